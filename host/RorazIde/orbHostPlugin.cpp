#include "orbHostPlugin.h"

#include "orbHostFlashProperty.h"
#include "orbHostProperty.h"
#include "orbHostTranslator.h"

#include <QtQml/qqml.h>

void orbHostPlugin::registerTypes(const char *uri)
{
    qmlRegisterType<orbHostProperty>(uri, 1, 0, "QObjProperty");
    qmlRegisterType<orbHostTranslator>(uri, 1, 0, "QObjTranslator");
    qmlRegisterType<orbHostFlashProperty>(uri, 1, 0, "QObjFlashProperty");
}
