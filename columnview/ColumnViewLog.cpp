#include "ColumnViewLog.h"

Q_LOGGING_CATEGORY(lcColumnView, "orb.columnview", QtWarningMsg)
