#pragma once

#include <QtCore/qloggingcategory.h>

// The limits the reader enforces (nesting depth, expansion of 'use', image size)
// are reported here; warnings on by default.
Q_DECLARE_LOGGING_CATEGORY(lcSvgParser)
