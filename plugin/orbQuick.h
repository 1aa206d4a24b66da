#pragma once

#include <QtQml/QQmlExtensionPlugin>

// The QML extension plugin of the module "orbQuick": registers the native types
// and prepares every engine that imports the module.
class orbQuick : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "orbQuick" FILE "orbQuick.json")

public:
    // Reads the host's collector from the application property "orb::GarbageCollection".
    orbQuick();

    void registerTypes(const char *uri) override;
    // Throws std::runtime_error "uri != orbQuick" for any other URI.
    void initializeEngine(QQmlEngine *engine, const char *uri) override;
};
