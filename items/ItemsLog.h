#pragma once

#include <QtCore/qloggingcategory.h>

// The QML-facing items and the component helper log here; warnings on by default.
Q_DECLARE_LOGGING_CATEGORY(lcItems)
