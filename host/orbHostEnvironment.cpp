#include "orbHostEnvironment.h"

#include "GarbageCollection.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QVariant>
#include <QtQml/QQmlEngine>

orbHostEnvironment::orbHostEnvironment(QCoreApplication &app, int collectorIntervalMs)
    : m_app(app)
    , m_collector(std::make_unique<orb::GarbageCollection>(collectorIntervalMs))
{
    m_app.setProperty(orb::GarbageCollection::applicationProperty,
                      QVariant::fromValue<void *>(m_collector.get()));
}

orbHostEnvironment::~orbHostEnvironment()
{
    m_app.setProperty(orb::GarbageCollection::applicationProperty, QVariant());
    m_collector.reset();
}

void orbHostEnvironment::prepare(QQmlEngine &engine) const
{
    engine.addImportPath(moduleImportPath());
}

QString orbHostEnvironment::moduleImportPath()
{
    return QStringLiteral(ORB_QML_IMPORT_DIR);
}
