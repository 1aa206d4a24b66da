#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QVariantMap>

#include <memory>

class QObject;
class QQmlEngine;
class QQuickItem;
class QQuickWindow;
class orbHostEnvironment;

namespace orbtest {

// A view in a real window: a fresh QML engine prepared by the host stand-in,
// objects given to QML as context properties, and the window's item named
// "view" found once the window is exposed. The view harnesses build on it.
class ViewScene
{
public:
    explicit ViewScene(const orbHostEnvironment &host);
    ~ViewScene();

    // items: QML placed in the window (createWindow()); false when the window
    // or its "view" cannot be made or shown.
    bool show(const QByteArray &items, const QVariantMap &contextObjects, int width, int height,
              const QByteArray &extraImports = {});
    void destroyWindow();

    QQmlEngine &engine() const { return *m_engine; }
    QObject *windowObject() const { return m_window.get(); }
    QQuickWindow *window() const;
    QQuickItem *view() const { return m_view; }

private:
    const orbHostEnvironment &m_host;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QObject> m_window;
    QQuickItem *m_view = nullptr;
};

} // namespace orbtest
