// A bound knob turned by the real X pointer: the endless drag reaches the
// host's translator as incValue/decValue calls scaled by the movement, and the
// cursor comes back where the press was.

#include "QmlTestSupport.h"
#include "XTestPointer.h"
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

// The knob's translator records every call as [name, step].
const QByteArray Content = R"(
    x: 80; y: 60
    ORBMainWindow {
        id: root
        width: 400; height: 300
        QObjTranslator {
            id: translator
            objectName: "translator"
            editable: true
            value: 0.5
            property var calls: []
            onCalled: calls.push([name, arguments[0]])
        }
        QObjProperty { id: knobProp; translator: translator }
        ORBKnob {
            objectName: "knob"
            x: 40; y: 40; width: 120; height: 120
            prop: knobProp
            property int events: 0
            onPositionChanged: events++
        }
    }
)";

// orbQuick first: its plugin carries the resources of the folder imports.
const QByteArray Imports = "import orbQuick 1.0\nimport RorazIde 1.0\n"
                           "import \"qrc:/Libs/orbQuick/Windows/MainWindow\"\n"
                           "import \"qrc:/Libs/orbQuick/Controls/Knobs\"\n";

} // namespace

class tst_KnobDrag : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void dragStepsScaleWithTheMovement_data();
    void dragStepsScaleWithTheMovement();
    void controlDragIsFine();

private:
    QQuickItem *knob() const { return m_window->findChild<QQuickItem *>("knob"); }
    QObject *translator() const { return m_window->findChild<QObject *>("translator"); }
    QVariantList calls() const { return translator()->property("calls").toList(); }
    QPoint centre() const { return m_window->screen()->geometry().center(); }
    bool moveAndWait(const QPoint &global);

    std::unique_ptr<orbHostEnvironment> m_host;
    std::unique_ptr<XTestPointer> m_pointer;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QQuickWindow> m_window;
};

void tst_KnobDrag::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_KnobDrag::init()
{
    m_pointer = std::make_unique<XTestPointer>();
    QVERIFY2(m_pointer->isAvailable(), "needs an X display with the XTest extension");
    m_engine = std::make_unique<QQmlEngine>();
    m_host->prepare(*m_engine);
    m_window.reset(
        qobject_cast<QQuickWindow *>(orbtest::createWindow(*m_engine, 400, 300, Content, Imports)));
    QVERIFY(m_window);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_KnobDrag::cleanup()
{
    m_pointer.reset();
    m_window.reset();
    m_engine.reset();
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

// Moves the pointer and waits until the knob has seen a motion event.
bool tst_KnobDrag::moveAndWait(const QPoint &global)
{
    const int before = knob()->property("events").toInt();
    m_pointer->moveTo(global);
    return QTest::qWaitFor([&] { return knob()->property("events").toInt() > before; }, WaitMs);
}

void tst_KnobDrag::dragStepsScaleWithTheMovement_data()
{
    QTest::addColumn<int>("dy");
    QTest::addColumn<QString>("call");
    QTest::newRow("up 10 px raises") << -10 << "incValue";
    QTest::newRow("down 7 px lowers") << 7 << "decValue";
}

void tst_KnobDrag::dragStepsScaleWithTheMovement()
{
    QFETCH(int, dy);
    QFETCH(QString, call);
    const QPoint pressedAt = knob()->mapToGlobal(QPointF(60, 60)).toPoint();
    m_pointer->moveTo(pressedAt);
    m_pointer->press(XTestPointer::Left);
    QVERIFY(QTest::qWaitFor([&] { return knob()->property("pressed").toBool(); }, WaitMs));

    // The first move parks the cursor in the screen's centre without a step.
    QVERIFY(moveAndWait(pressedAt + QPoint(0, 20)));
    QVERIFY(QTest::qWaitFor([&] { return QCursor::pos() == centre(); }, WaitMs));
    QVERIFY(calls().isEmpty());

    QVERIFY(moveAndWait(centre() + QPoint(0, dy)));
    QVERIFY(QTest::qWaitFor([&] { return !calls().isEmpty(); }, WaitMs));
    QCOMPARE(calls().size(), 1);
    const QVariantList first = calls().at(0).toList();
    QCOMPARE(first.at(0).toString(), call);
    QVERIFY2(qFuzzyCompare(first.at(1).toDouble(), std::abs(dy) * 0.01),
             qPrintable(first.at(1).toString()));
    QCOMPARE(translator()->property("value").toDouble(), 0.5 - dy * 0.01);

    m_pointer->release(XTestPointer::Left);
    QVERIFY(QTest::qWaitFor([&] { return !knob()->property("pressed").toBool(); }, WaitMs));
    QCOMPARE(QCursor::pos(), pressedAt);
}

void tst_KnobDrag::controlDragIsFine()
{
    // Control is held through the whole drag: every motion event carries it.
    m_pointer->holdControl(true);
    QVERIFY(QTest::qWaitFor(
        [] { return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier; }, WaitMs));
    const QPoint pressedAt = knob()->mapToGlobal(QPointF(30, 30)).toPoint();
    m_pointer->moveTo(pressedAt);
    m_pointer->press(XTestPointer::Left);
    QVERIFY(QTest::qWaitFor([&] { return knob()->property("pressed").toBool(); }, WaitMs));
    QVERIFY(moveAndWait(pressedAt + QPoint(0, -20)));
    QVERIFY(QTest::qWaitFor([&] { return QCursor::pos() == centre(); }, WaitMs));

    QVERIFY(moveAndWait(centre() + QPoint(0, -10)));
    QVERIFY(QTest::qWaitFor([&] { return !calls().isEmpty(); }, WaitMs));
    const QVariantList first = calls().at(0).toList();
    QCOMPARE(first.at(0).toString(), QStringLiteral("incValue"));
    QVERIFY2(qFuzzyCompare(first.at(1).toDouble(), 0.01), qPrintable(first.at(1).toString()));

    m_pointer->release(XTestPointer::Left);
    m_pointer->holdControl(false);
    QVERIFY(QTest::qWaitFor([&] { return !knob()->property("pressed").toBool(); }, WaitMs));
    QCOMPARE(QCursor::pos(), pressedAt);
}

QTEST_MAIN(tst_KnobDrag)
#include "tst_knobdrag.moc"
