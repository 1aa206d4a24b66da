#pragma once

#include <QtCore/qglobal.h>

#if defined(ORB_RUNTIME_LIBRARY)
#define ORB_RUNTIME_EXPORT Q_DECL_EXPORT
#else
#define ORB_RUNTIME_EXPORT Q_DECL_IMPORT
#endif
