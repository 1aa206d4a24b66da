#pragma once

#include <QtQml/QQmlExtensionPlugin>

// The QML module "RorazIde" that stands in for the host application: its
// property objects and translators, for tests and the demo.
class orbHostPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override;
};
