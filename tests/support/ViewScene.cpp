#include "ViewScene.h"

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

namespace orbtest {

ViewScene::ViewScene(const orbHostEnvironment &host)
    : m_host(host)
{
}

ViewScene::~ViewScene()
{
    destroyWindow();
    m_engine.reset();
}

void ViewScene::destroyWindow()
{
    m_window.reset();
    m_view = nullptr;
}

bool ViewScene::show(const QByteArray &items, const QVariantMap &contextObjects, int width,
                     int height, const QByteArray &extraImports)
{
    destroyWindow();
    m_engine = std::make_unique<QQmlEngine>();
    m_host.prepare(*m_engine);
    for (auto it = contextObjects.cbegin(); it != contextObjects.cend(); ++it)
        m_engine->rootContext()->setContextProperty(it.key(), it.value());
    m_window.reset(createWindow(*m_engine, width, height, items, extraImports));
    if (!m_window)
        return false;
    m_view = m_window->findChild<QQuickItem *>(QStringLiteral("view"));
    return m_view && QTest::qWaitForWindowExposed(window(), 5000);
}

QQuickWindow *ViewScene::window() const
{
    return qobject_cast<QQuickWindow *>(m_window.get());
}

} // namespace orbtest
