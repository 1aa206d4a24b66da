#pragma once

#include <QtCore/qloggingcategory.h>

// Drag handler, drag zone and drop zone log here; warnings on by default.
Q_DECLARE_LOGGING_CATEGORY(lcDragDrop)
