// ORBMouseArea's cost per move while the button is held, against what a QML
// author writes without it, measured in the same run:
//   - hideCursor None against Qt Quick's MouseArea with the same handler;
//   - the endless drag (OnPressed, the system cursor: every move reads the
//     pointer, emits moved and puts the pointer back in the middle) against a
//     MouseArea whose handler calls a C++ helper doing the same.
// Moves are sent to the window as the window system would deliver them; batches
// of both sides alternate and their medians are compared. Prints each ratio on
// a line of its own.

#include "BenchStatistics.h"
#include "orbHostEnvironment.h"

#include <QtCore/QElapsedTimer>
#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int BatchSize = 1000;

// What a QML author calls from onPositionChanged to get an endless drag
// without ORBMouseArea: the steps since the last call, the pointer put back.
class Recentring : public QObject
{
    Q_OBJECT
public:
    explicit Recentring(QScreen *screen)
        : m_screen(screen)
        , m_centre(screen->geometry().center())
    {
    }

    Q_INVOKABLE int recentre()
    {
        const QPoint position = QCursor::pos();
        if (position == m_centre)
            return 0;
        QCursor::setPos(m_screen, m_centre);
        return position.x() - m_centre.x();
    }

private:
    QScreen *m_screen;
    QPoint m_centre;
};

// One window filled by one area under test; the handler adds to `total`.
class Scene
{
public:
    Scene(QQmlEngine &engine, const QByteArray &area)
    {
        QQmlComponent component(&engine);
        component.setData("import QtQuick 2.15\nimport QtQuick.Window 2.15\nimport orbQuick 1.0\n"
                          "Window { id: root; width: 300; height: 200; visible: true\n"
                          "  property int total: 0\n"
                              + area + " }",
                          QUrl());
        m_window.reset(qobject_cast<QQuickWindow *>(component.create()));
        if (!m_window) {
            std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
            return;
        }
        (void)QTest::qWaitForWindowExposed(m_window.get());
    }

    bool isValid() const { return m_window != nullptr; }
    int total() const { return m_window->property("total").toInt(); }

    void press() { send(QEvent::MouseButtonPress, Qt::LeftButton, QPointF(100, 100)); }
    void release() { send(QEvent::MouseButtonRelease, Qt::LeftButton, QPointF(100, 100)); }
    void move(int i) { send(QEvent::MouseMove, Qt::NoButton, QPointF(100 + i % 2, 100)); }

private:
    void send(QEvent::Type type, Qt::MouseButton button, const QPointF &local)
    {
        const QPointF global = m_window->mapToGlobal(local.toPoint());
        QMouseEvent event(type, local, local, global, button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(m_window.get(), &event);
    }

    std::unique_ptr<QQuickWindow> m_window;
};

// Alternating batches of moves on two pressed scenes; the median seconds per
// move of each. beforeMove runs ahead of every move on both sides.
template<typename BeforeMove>
std::pair<double, double> perMove(Scene &candidate, Scene &baseline, int moves,
                                  BeforeMove beforeMove)
{
    std::vector<double> candidateTimes;
    std::vector<double> baselineTimes;
    const auto batch = [&](Scene &scene, std::vector<double> &times) {
        scene.press();
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < BatchSize; ++i) {
            beforeMove();
            scene.move(i);
        }
        times.push_back(clock.nsecsElapsed() * 1e-9 / BatchSize);
        scene.release();
        QCoreApplication::processEvents(); // what the pointer moves queued
    };
    for (int done = 0; done < moves; done += BatchSize) {
        batch(candidate, candidateTimes);
        batch(baseline, baselineTimes);
    }
    return {median(candidateTimes), median(baselineTimes)};
}

bool everyMoveCounted(const char *name, const Scene &scene, int expected)
{
    if (scene.total() == expected)
        return true;
    std::fprintf(stderr, "mousearea %s: the handler counted %d, expected %d\n", name, scene.total(),
                 expected);
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    orbHostEnvironment host(app);
    QQmlEngine engine;
    host.prepare(engine);
    QScreen *screen = QGuiApplication::primaryScreen();
    Recentring recentring(screen);
    engine.rootContext()->setContextProperty(QStringLiteral("recentring"), &recentring);

    constexpr int PlainMoves = 100000;
    Scene none(engine,
               "ORBMouseArea { anchors.fill: parent; hideCursor: ORBMouseArea.None\n"
               "  onPositionChanged: root.total++ }");
    Scene plain(engine, "MouseArea { anchors.fill: parent; onPositionChanged: root.total++ }");
    if (!none.isValid() || !plain.isValid())
        return 1;
    const auto [noneTime, plainTime] = perMove(none, plain, PlainMoves, [] {});
    if (!everyMoveCounted("none", none, PlainMoves)
        || !everyMoveCounted("plain", plain, PlainMoves))
        return 1;
    std::printf("mousearea per move while pressed: ORBMouseArea None %.0f ns, MouseArea %.0f ns\n",
                noneTime * 1e9, plainTime * 1e9);
    std::printf("mousearea none/MouseArea ratio: %.3f\n", noneTime / plainTime);

    // Each move finds the pointer a few pixels off the middle, as a user's would.
    constexpr int EndlessMoves = 20000;
    constexpr int Step = 3;
    const QPoint offCentre = screen->geometry().center() + QPoint(Step, 0);
    const auto nudge = [&] { QCursor::setPos(screen, offCentre); };
    Scene endless(engine,
                  "ORBMouseArea { anchors.fill: parent; hideCursor: ORBMouseArea.OnPressed\n"
                  "  onMoved: root.total += mouse.delta }");
    Scene byHand(engine,
                 "MouseArea { anchors.fill: parent\n"
                 "  onPositionChanged: root.total += recentring.recentre() }");
    if (!endless.isValid() || !byHand.isValid())
        return 1;
    const auto [endlessTime, byHandTime] = perMove(endless, byHand, EndlessMoves, nudge);
    if (!everyMoveCounted("endless", endless, EndlessMoves * Step)
        || !everyMoveCounted("by hand", byHand, EndlessMoves * Step))
        return 1;
    std::printf("mousearea endless drag per move (one pointer nudge included): ORBMouseArea "
                "OnPressed %.1f us, MouseArea+cursor %.1f us\n",
                endlessTime * 1e6, byHandTime * 1e6);
    std::printf("mousearea endless/MouseArea+cursor ratio: %.3f\n", endlessTime / byHandTime);
    // The nudge alone, to read the ratio without it.
    std::vector<double> nudgeTimes;
    for (int done = 0; done < EndlessMoves; done += BatchSize) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < BatchSize; ++i) {
            nudge();
            QCursor::setPos(screen, offCentre - QPoint(Step, 0));
        }
        nudgeTimes.push_back(clock.nsecsElapsed() * 1e-9 / (2 * BatchSize));
        QCoreApplication::processEvents();
    }
    std::printf("mousearea pointer nudge alone: %.1f us per move\n", median(nudgeTimes) * 1e6);
    return 0;
}

#include "mousearea_bench.moc"
