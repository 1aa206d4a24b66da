#include "DragDropScene.h"

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtGui/QDrag>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

namespace orbtest {

namespace {

const QByteArray Helpers = R"qml(
property var log: []
function note(line) { log = log.concat([line]) }
function describeValue(v) {
    if (v instanceof ArrayBuffer)
        return 'bytes:' + Array.prototype.join.call(new Uint8Array(v), ',')
    if (typeof v === 'object' && v.length !== undefined)
        return '[' + Array.prototype.join.call(v, ';') + ']'
    return String(v)
}
function describe(data) {
    return Object.keys(data).sort().map(function(k) { return k + '=' + describeValue(data[k]) })
                 .join(' ')
}
)qml";

} // namespace

DragDropScene::DragDropScene(orbHostEnvironment &host, const QByteArray &items, int width,
                             int height, const QByteArray &extraImports)
    : m_engine(std::make_unique<QQmlEngine>())
{
    host.prepare(*m_engine);
    m_window.reset(createWindow(*m_engine, width, height,
                                "x: 0; y: 0; flags: Qt.FramelessWindowHint\n" + Helpers + items,
                                extraImports));
    m_watchdog.setInterval(100);
    QObject::connect(&m_watchdog, &QTimer::timeout, [this] { endOverlongDrags(); });
    m_watchdog.start();
    if (window() && !QTest::qWaitForWindowExposed(window(), 5000))
        qWarning("DragDropScene: the window was not exposed within 5 s");
}

DragDropScene::~DragDropScene()
{
    m_window.reset();
    m_engine.reset();
}

void DragDropScene::endOverlongDrags()
{
    if (!window() || !window()->findChild<QDrag *>()) {
        m_dragClock.invalidate();
        return;
    }
    if (!m_dragClock.isValid())
        m_dragClock.start();
    if (m_dragClock.elapsed() < 6000)
        return;
    ++m_dragsCutShort;
    m_dragClock.invalidate();
    QTest::mouseRelease(window(), Qt::LeftButton, {}, DragDriver::outside());
}

QQuickWindow *DragDropScene::window() const
{
    return qobject_cast<QQuickWindow *>(m_window.get());
}

QQuickItem *DragDropScene::item(const char *name) const
{
    return m_window ? m_window->findChild<QQuickItem *>(QLatin1String(name)) : nullptr;
}

QStringList DragDropScene::log() const
{
    return m_window ? m_window->property("log").toStringList() : QStringList();
}

DragDriver::DragDriver(QQuickWindow *window, std::function<bool()> started, int limitMs)
    : m_window(window)
    , m_started(std::move(started))
    , m_limitMs(limitMs)
{
    m_clock.start();
    m_timer.setInterval(40);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
    m_timer.start();
}

DragDriver &DragDriver::moveTo(const QPoint &position)
{
    return call([this, position] { QTest::mouseMove(m_window, position); });
}

DragDriver &DragDriver::release(const QPoint &position)
{
    return call([this, position] { QTest::mouseRelease(m_window, Qt::LeftButton, {}, position); });
}

DragDriver &DragDriver::call(std::function<void()> step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

DragDriver &DragDriver::wait(int ticks)
{
    for (int i = 0; i < ticks; ++i)
        call([] {});
    return *this;
}

void DragDriver::tick()
{
    if (m_clock.elapsed() > m_limitMs) {
        m_timedOut = true;
        m_timer.stop();
        QTest::mouseRelease(m_window, Qt::LeftButton, {}, outside());
        return;
    }
    if (m_next == 0 && !m_started())
        return;
    if (m_next < m_steps.size())
        m_steps[m_next++]();
}

} // namespace orbtest
