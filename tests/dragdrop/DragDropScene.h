#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QObject>
#include <QtCore/QPoint>
#include <QtCore/QTimer>
#include <QtCore/QVariantList>

#include <functional>
#include <memory>
#include <vector>

class orbHostEnvironment;
class QQmlEngine;
class QQuickItem;
class QQuickWindow;

namespace orbtest {

// A window of the module's items at the top left of the screen, loaded from
// the import path by a real engine. Its root has a "log" list that the QML of
// the tests appends lines to with note().
class DragDropScene
{
public:
    DragDropScene(orbHostEnvironment &host, const QByteArray &items, int width = 400,
                  int height = 300, const QByteArray &extraImports = {});
    ~DragDropScene();

    QQuickWindow *window() const;
    QQuickItem *item(const char *name) const;
    QStringList log() const;
    QQmlEngine &engine() const { return *m_engine; }
    // Drags that ran longer than any test needs and were ended by the scene.
    int dragsCutShort() const { return m_dragsCutShort; }

private:
    void endOverlongDrags();

    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QObject> m_window;
    QTimer m_watchdog;
    QElapsedTimer m_dragClock;
    int m_dragsCutShort = 0;
};

// Steers a system drag from inside its nested event loop: the steps run one
// per tick once started() holds; whatever happens, after the time limit the
// pointer is released far outside the window, so a drag always ends.
class DragDriver : public QObject
{
public:
    DragDriver(QQuickWindow *window, std::function<bool()> started, int limitMs = 4000);

    DragDriver &moveTo(const QPoint &position);
    DragDriver &release(const QPoint &position);
    DragDriver &call(std::function<void()> step);
    DragDriver &wait(int ticks);
    bool timedOut() const { return m_timedOut; }
    // The position where a release drops nothing.
    static QPoint outside() { return QPoint(-400, -400); }

private:
    void tick();

    QQuickWindow *m_window;
    std::function<bool()> m_started;
    std::vector<std::function<void()>> m_steps;
    size_t m_next = 0;
    int m_limitMs;
    bool m_timedOut = false;
    QTimer m_timer;
    QElapsedTimer m_clock;
};

} // namespace orbtest
