#pragma once

#include <QtCore/QString>

#include <memory>

class QCoreApplication;
class QQmlEngine;

namespace orb {
class GarbageCollection;
}

// The few things a host application does to use the orbQuick module, kept in
// one place for the demo and the tests:
//   1. create the collector and publish it on the application object, before
//      any engine loads the plugin;
//   2. point each engine at the folder holding the module (not needed once
//      the module is installed into Qt's own QML folder).
// Construct it right after the application object, before any engine; it must
// outlive every engine.
class orbHostEnvironment
{
public:
    explicit orbHostEnvironment(QCoreApplication &app, int collectorIntervalMs = 1000);
    ~orbHostEnvironment();

    orbHostEnvironment(const orbHostEnvironment &) = delete;
    orbHostEnvironment &operator=(const orbHostEnvironment &) = delete;

    void prepare(QQmlEngine &engine) const;

    orb::GarbageCollection &collector() const { return *m_collector; }
    // The import folder of the build tree holding "orbQuick/qmldir".
    static QString moduleImportPath();

private:
    QCoreApplication &m_app;
    std::unique_ptr<orb::GarbageCollection> m_collector;
};
