#pragma once

#include <QtCore/qloggingcategory.h>

namespace orb {
Q_DECLARE_LOGGING_CATEGORY(lcRuntime)
}
