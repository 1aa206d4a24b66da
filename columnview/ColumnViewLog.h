#pragma once

#include <QtCore/qloggingcategory.h>

// The column view and its columns log here; warnings on by default.
Q_DECLARE_LOGGING_CATEGORY(lcColumnView)
