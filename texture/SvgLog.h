#pragma once

#include <QtCore/QLoggingCategory>

// The texture cache and the scene builder log here; warnings on by default.
Q_DECLARE_LOGGING_CATEGORY(lcSvg)
