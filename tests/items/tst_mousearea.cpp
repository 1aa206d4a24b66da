// ORBMouseArea's endless drag in a real window, driven by the X pointer
// through XTest; a counting cursor layer in front of the system one keeps
// track of what X cannot show: whether the cursor is hidden.

#include "QmlTestSupport.h"
#include "XTestPointer.h"
#include "orbCursorLayer.h"
#include "orbHostEnvironment.h"

#include <QtGui/QCursor>
#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <memory>

namespace {

constexpr int WaitMs = 3000;

// Counts hides and shows and passes everything on to the system layer.
class CountingCursorLayer final : public orbCursorLayer
{
public:
    explicit CountingCursorLayer(orbCursorLayer &system)
        : m_system(system)
    {
    }

    void hide() override
    {
        ++hides;
        m_system.hide();
    }
    void show() override
    {
        ++shows;
        m_system.show();
    }
    void pushShape(Qt::CursorShape shape) override { m_system.pushShape(shape); }
    void popShape() override { m_system.popShape(); }
    void moveTo(const QPoint &global, QScreen *screen) override { m_system.moveTo(global, screen); }
    QPoint position() const override { return m_system.position(); }

    bool hidden() const { return hides > shows; }

    int hides = 0;
    int shows = 0;

private:
    orbCursorLayer &m_system;
};

// Two knobs over a plain MouseArea that takes the right button; each knob
// keeps the events of its moved signal as QML saw them.
const QByteArray Scene = R"(
import QtQuick 2.15
import QtQuick.Window 2.15
import orbQuick 1.0
Window {
    x: 80; y: 60; width: 520; height: 300; visible: true
    MouseArea {
        objectName: "below"
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        property int presses: 0
        onPressed: presses++
    }
    component Knob: ORBMouseArea {
        width: 200; height: 200
        hideCursor: ORBMouseArea.OnPressed
        property var steps: []
        property var seen: []
        onPositionChanged: seen.push(Qt.point(mouse.x, mouse.y))
        onMoved: steps.push({ x: mouse.x, y: mouse.y, delta: mouse.delta, button: mouse.button,
                              buttons: mouse.buttons, modifiers: mouse.modifiers })
    }
    Knob { objectName: "knob"; x: 40; y: 30 }
    Knob { objectName: "other"; x: 280; y: 30; hideCursor: ORBMouseArea.OnMoved }
})";

} // namespace

class tst_MouseArea : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void onPressedParksAtScreenCentreAndReleaseRestores();
    void stepsFollowTheDragAxis_data();
    void stepsFollowTheDragAxis();
    void motionQueuedBeforeReCentringCountsOnce();
    void onMovedParksSilentlyOnTheFirstMove();
    void noneLeavesTheCursorAlone();
    void lostGrabPutsTheCursorBack();
    void movedCarriesItemPositionButtonsAndModifiers();
    void rightPressReachesTheItemBelow();
    void hidesAndShowsStayBalanced();
    void unknownValuesAreReportedAndHarmless();

private:
    QQuickItem *item(const char *name) const;
    QPoint centre() const { return m_window->screen()->geometry().center(); }
    QVariantList steps(QQuickItem *knob) const { return knob->property("steps").toList(); }
    bool press(QQuickItem *knob, const QPoint &local);
    bool dragTo(QQuickItem *knob, const QPoint &global);
    bool release(QQuickItem *knob);

    std::unique_ptr<orbHostEnvironment> m_host;
    std::unique_ptr<XTestPointer> m_pointer;
    std::unique_ptr<CountingCursorLayer> m_layer;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QQuickWindow> m_window;
};

void tst_MouseArea::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_MouseArea::init()
{
    m_pointer = std::make_unique<XTestPointer>();
    QVERIFY2(m_pointer->isAvailable(), "needs an X display with the XTest extension");
    m_layer = std::make_unique<CountingCursorLayer>(orbCursorLayer::current());
    orbCursorLayer::setCurrent(m_layer.get());
    m_engine = std::make_unique<QQmlEngine>();
    m_host->prepare(*m_engine);
    m_window.reset(qobject_cast<QQuickWindow *>(orbtest::createFromQml(*m_engine, Scene)));
    QVERIFY(m_window);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_MouseArea::cleanup()
{
    m_pointer.reset(); // lets go of anything still held
    m_window.reset();
    m_engine.reset();
    orbCursorLayer::setCurrent(nullptr);
    const bool cursorLeftOver = QGuiApplication::overrideCursor() != nullptr;
    while (QGuiApplication::overrideCursor()) // the next test starts clean
        QGuiApplication::restoreOverrideCursor();
    if (m_layer) {
        const std::unique_ptr<CountingCursorLayer> layer = std::move(m_layer);
        QCOMPARE(layer->shows, layer->hides);
    }
    QVERIFY(!cursorLeftOver);
}

QQuickItem *tst_MouseArea::item(const char *name) const
{
    return m_window->findChild<QQuickItem *>(QLatin1String(name));
}

// Each step waits until the item has handled the event it causes.
bool tst_MouseArea::press(QQuickItem *knob, const QPoint &local)
{
    m_pointer->moveTo(knob->mapToGlobal(local).toPoint());
    m_pointer->press(XTestPointer::Left);
    return QTest::qWaitFor([&] { return knob->property("pressed").toBool(); }, WaitMs);
}

bool tst_MouseArea::dragTo(QQuickItem *knob, const QPoint &global)
{
    // Motion already queued, such as that of the last re-centring, would be
    // merged with the new one: wait until the item has caught up first.
    const auto caughtUp = [&] {
        const QPointF mouse(knob->property("mouseX").toReal(), knob->property("mouseY").toReal());
        return mouse == knob->mapFromGlobal(QCursor::pos());
    };
    if (!QTest::qWaitFor(caughtUp, WaitMs))
        return false;
    const int before = knob->property("seen").toList().size();
    const QPointF local = knob->mapFromGlobal(global);
    m_pointer->moveTo(global);
    return QTest::qWaitFor(
        [&] { return knob->property("seen").toList().mid(before).contains(local); }, WaitMs);
}

bool tst_MouseArea::release(QQuickItem *knob)
{
    m_pointer->release(XTestPointer::Left);
    return QTest::qWaitFor([&] { return !knob->property("pressed").toBool(); }, WaitMs);
}

void tst_MouseArea::onPressedParksAtScreenCentreAndReleaseRestores()
{
    QQuickItem *knob = item("knob");
    QVERIFY(press(knob, {50, 60}));
    const QPoint pressedAt = knob->mapToGlobal(QPointF(50, 60)).toPoint();
    QCOMPARE(QCursor::pos(), centre());
    QVERIFY(m_layer->hidden());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::BlankCursor);

    QVERIFY(dragTo(knob, centre() + QPoint(7, 2)));
    QCOMPARE(QCursor::pos(), centre());
    QVERIFY(dragTo(knob, centre() + QPoint(-4, 0)));
    QCOMPARE(steps(knob).size(), 2);
    QCOMPARE(steps(knob).at(0).toMap().value("delta").toInt(), 7);
    QCOMPARE(steps(knob).at(1).toMap().value("delta").toInt(), -4);

    QVERIFY(release(knob));
    QCOMPARE(QCursor::pos(), pressedAt);
    QVERIFY(!m_layer->hidden());
    QCOMPARE(m_layer->hides, 1);
}

void tst_MouseArea::stepsFollowTheDragAxis_data()
{
    QTest::addColumn<QString>("axis");
    QTest::addColumn<QPoint>("movement");
    QTest::addColumn<QVariantList>("expected"); // deltas of moved, if any
    QTest::newRow("x") << "XAxis" << QPoint(5, -9) << QVariantList{5};
    QTest::newRow("y, up is negative") << "YAxis" << QPoint(2, -6) << QVariantList{-6};
    QTest::newRow("xy sum") << "XYAxis" << QPoint(4, 3) << QVariantList{7};
    QTest::newRow("xy cancelling") << "XYAxis" << QPoint(3, -3) << QVariantList{};
}

void tst_MouseArea::stepsFollowTheDragAxis()
{
    QFETCH(QString, axis);
    QFETCH(QPoint, movement);
    QFETCH(QVariantList, expected);
    QQuickItem *knob = item("knob");
    const int axisValue = knob->metaObject()
                              ->enumerator(knob->metaObject()->indexOfEnumerator("DragAxis"))
                              .keyToValue(qPrintable(axis));
    knob->setProperty("dragAxis", axisValue);

    QVERIFY(press(knob, {100, 100}));
    QVERIFY(dragTo(knob, centre() + movement));
    // Re-centred whether or not there was a step.
    QCOMPARE(QCursor::pos(), centre());
    QVariantList deltas;
    for (const QVariant &step : steps(knob))
        deltas.append(step.toMap().value("delta").toInt());
    QCOMPARE(deltas, expected);
    QVERIFY(release(knob));
}

void tst_MouseArea::motionQueuedBeforeReCentringCountsOnce()
{
    // Every motion delivered, none merged with the next.
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    const auto restore = qScopeGuard(
        [] { QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, true); });
    QQuickItem *knob = item("knob");
    QVERIFY(press(knob, {100, 100}));
    QVERIFY(dragTo(knob, centre() + QPoint(1, 0)));
    // Two motions reach the queue before the item sees the first: the pointer
    // is then 12 away, and that is counted once.
    const int before = knob->property("seen").toList().size();
    m_pointer->moveTo(centre() + QPoint(5, 0));
    m_pointer->moveTo(centre() + QPoint(12, 0));
    QVERIFY(QTest::qWaitFor([&] { return knob->property("seen").toList().size() >= before + 2; },
                            WaitMs));
    QVariantList deltas;
    for (const QVariant &step : steps(knob))
        deltas.append(step.toMap().value("delta").toInt());
    QCOMPARE(deltas, (QVariantList{1, 12}));
    QVERIFY(release(knob));
}

void tst_MouseArea::onMovedParksSilentlyOnTheFirstMove()
{
    QQuickItem *knob = item("other");
    QVERIFY(press(knob, {20, 20}));
    const QPoint pressedAt = knob->mapToGlobal(QPointF(20, 20)).toPoint();
    QCOMPARE(QCursor::pos(), pressedAt);
    QVERIFY(!m_layer->hidden());

    QVERIFY(dragTo(knob, pressedAt + QPoint(30, 0)));
    QCOMPARE(QCursor::pos(), centre());
    QVERIFY(m_layer->hidden());
    QVERIFY(steps(knob).isEmpty());

    QVERIFY(dragTo(knob, centre() + QPoint(3, 0)));
    QCOMPARE(steps(knob).size(), 1);
    QVERIFY(release(knob));
    QCOMPARE(QCursor::pos(), pressedAt);
}

void tst_MouseArea::noneLeavesTheCursorAlone()
{
    QQuickItem *knob = item("knob");
    knob->setProperty("hideCursor", 0); // None
    QVERIFY(press(knob, {10, 10}));
    const QPoint target = knob->mapToGlobal(QPointF(60, 45)).toPoint();
    QVERIFY(dragTo(knob, target)); // the plain MouseArea still follows
    QCOMPARE(QCursor::pos(), target);
    QVERIFY(release(knob));
    QCOMPARE(QCursor::pos(), target);
    QCOMPARE(m_layer->hides, 0);
    QVERIFY(steps(knob).isEmpty());
}

void tst_MouseArea::lostGrabPutsTheCursorBack()
{
    QQuickItem *knob = item("knob");
    QVERIFY(press(knob, {70, 80}));
    const QPoint pressedAt = knob->mapToGlobal(QPointF(70, 80)).toPoint();
    QVERIFY(dragTo(knob, centre() + QPoint(0, 5)));
    knob->setVisible(false);
    QVERIFY(!knob->property("pressed").toBool());
    QCOMPARE(QCursor::pos(), pressedAt);
    QVERIFY(!m_layer->hidden());
}

void tst_MouseArea::movedCarriesItemPositionButtonsAndModifiers()
{
    QQuickItem *knob = item("knob");
    QVERIFY(press(knob, {100, 100}));
    m_pointer->holdShift(true);
    const QPoint target = centre() + QPoint(6, 1);
    QVERIFY(dragTo(knob, target));
    m_pointer->holdShift(false);
    QCOMPARE(steps(knob).size(), 1);
    const QVariantMap step = steps(knob).first().toMap();
    const QPoint local = knob->mapFromGlobal(target).toPoint();
    QCOMPARE(step.value("x").toInt(), local.x());
    QCOMPARE(step.value("y").toInt(), local.y());
    QCOMPARE(step.value("delta").toInt(), 6);
    QCOMPARE(step.value("button").toInt(), int(Qt::NoButton)); // a move has none of its own
    QCOMPARE(step.value("buttons").toInt(), int(Qt::LeftButton));
    QCOMPARE(step.value("modifiers").toInt(), int(Qt::ShiftModifier));
    QVERIFY(release(knob));
}

void tst_MouseArea::rightPressReachesTheItemBelow()
{
    QQuickItem *knob = item("knob");
    QQuickItem *below = item("below");
    m_pointer->moveTo(knob->mapToGlobal(QPointF(50, 50)).toPoint());
    m_pointer->press(XTestPointer::Right);
    QVERIFY(QTest::qWaitFor([&] { return below->property("presses").toInt() == 1; }, WaitMs));
    QVERIFY(!knob->property("pressed").toBool());
    m_pointer->release(XTestPointer::Right);
    QCOMPARE(m_layer->hides, 0);
}

void tst_MouseArea::hidesAndShowsStayBalanced()
{
    QQuickItem *knob = item("knob");
    QQuickItem *other = item("other");
    for (QQuickItem *each : {knob, other, knob}) {
        QVERIFY(press(each, {30, 30}));
        QVERIFY(dragTo(each, each->mapToGlobal(QPointF(40, 30)).toPoint()));
        QVERIFY(dragTo(each, centre() + QPoint(2, 0)));
        QVERIFY(m_layer->hidden());
        QCOMPARE(m_layer->hides - m_layer->shows, 1);
        QVERIFY(release(each));
        QCOMPARE(m_layer->shows, m_layer->hides);
    }
    QCOMPARE(m_layer->hides, 3);

    // Destroyed while dragging: shown again, with nothing left on the stack.
    QVERIFY(press(other, {30, 30}));
    QVERIFY(dragTo(other, centre() + QPoint(9, 9)));
    QVERIFY(m_layer->hidden());
    delete other;
    QVERIFY(!m_layer->hidden());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_MouseArea::unknownValuesAreReportedAndHarmless()
{
    QQuickItem *knob = item("knob");
    orbtest::MessageCapture messages;
    knob->setProperty("dragAxis", 7);
    QVERIFY(messages.contains(QStringLiteral(
        "orbQuickMouseArea::setDragAxis: unknown axis 7; drags will report no steps")));
    QVERIFY(press(knob, {30, 30}));
    QVERIFY(dragTo(knob, centre() + QPoint(8, 8)));
    QCOMPARE(QCursor::pos(), centre());
    QVERIFY(steps(knob).isEmpty());
    QVERIFY(release(knob));

    knob->setProperty("hideCursor", 9);
    QVERIFY(messages.contains(QStringLiteral(
        "orbQuickMouseArea::setHideCursor: unknown mode 9; the cursor is left alone")));
    QVERIFY(press(knob, {30, 30}));
    QVERIFY(dragTo(knob, knob->mapToGlobal(QPointF(50, 50)).toPoint()));
    QVERIFY(release(knob));
    QCOMPARE(m_layer->hides, 1);
}

QTEST_MAIN(tst_MouseArea)
#include "tst_mousearea.moc"
