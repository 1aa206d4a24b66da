#include "RuntimeLog.h"

namespace orb {
Q_LOGGING_CATEGORY(lcRuntime, "orb.runtime", QtWarningMsg)
}
