#include "ItemsLog.h"

Q_LOGGING_CATEGORY(lcItems, "orb.items", QtWarningMsg)
