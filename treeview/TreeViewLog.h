#pragma once

#include <QtCore/qloggingcategory.h>

// The tree view and its mirror tree log here; warnings on by default.
Q_DECLARE_LOGGING_CATEGORY(lcTreeView)
