#include "DragDropLog.h"

Q_LOGGING_CATEGORY(lcDragDrop, "orb.dragdrop", QtWarningMsg)
