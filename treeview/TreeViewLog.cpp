#include "TreeViewLog.h"

Q_LOGGING_CATEGORY(lcTreeView, "orb.treeview", QtWarningMsg)
