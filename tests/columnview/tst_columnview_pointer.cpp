// An ORBColumnView under the display's pointer: a press held on a row selects
// it and starts a system drag of the row, scrolling in the meantime cancels
// that; the header sets and restores the mouse cursor through the cursor layer.

#include "CountingModel.h"
#include "DragDropScene.h"
#include "RecordingCursorLayer.h"
#include "orbHostEnvironment.h"

#include <QtCore/QItemSelectionModel>
#include <QtGui/QDrag>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <memory>

using orbtest::DragDriver;
using orbtest::DragDropScene;
using orbtest::RecordingCursorLayer;

class tst_ColumnViewPointer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void heldPressSelectsTheRowAndDragsIt();
    void scrollingWhileHeldCancelsTheDrag();
    void headerCursorGoesThroughTheCursorLayer();

private:
    std::unique_ptr<DragDropScene> scene(CountingModel &model, QItemSelectionModel &selection);

    std::unique_ptr<orbHostEnvironment> m_host;
    std::unique_ptr<RecordingCursorLayer> m_cursor;
};

namespace {

constexpr int DragStartTime = 300;

// Rows of 20 px under a 20 px header; the handler notes its drags.
const QByteArray ViewWithDragHandler = R"qml(
ORBColumnView {
    objectName: 'view'; anchors.fill: parent
    dragStartTime: 300
    rowDelegate: ORBColumnViewRow { defaultHeight: 20 }
    header: ORBColumnViewColumnHeader { objectName: 'header'; height: 20; width: 400 }
    columns: [ ORBColumnViewColumn { role: 'title'; width: 200
                   delegate: ORBColumnViewCell { property string role: 'title' } } ]
    onDragRowDataChanged: dragHandler.setMimeData('text/plain', dragRowData.title)
    dragHandler: ORBDragHandler {
        objectName: 'handler'
        supportedActions: Qt.CopyAction
        delegate: Component { Rectangle { width: 60; height: 20; color: 'red' } }
        onDragStarted: note('started')
        onDragFinished: note('finished ' + describe(event.mimeData.toVariant()))
    }
}
)qml";

QDrag *runningDrag(QQuickItem *handler)
{
    return handler ? handler->findChild<QDrag *>() : nullptr;
}

// The point in the middle of a row's title cell, in the window: rows start
// below the 20 px header in the content.
QPoint rowPoint(const DragDropScene &scene, int row)
{
    const qreal contentY = scene.item("view")->property("contentY").toReal();
    return QPoint(50, int(20 + row * 20 + 10 - contentY));
}

} // namespace

void tst_ColumnViewPointer::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_ColumnViewPointer::cleanupTestCase()
{
    m_host.reset();
}

void tst_ColumnViewPointer::init()
{
    m_cursor = RecordingCursorLayer::install();
}

// Every test's scene is gone by now: whatever the header pushed, it popped,
// and a cursor hidden during a drag is shown again.
void tst_ColumnViewPointer::cleanup()
{
    const QString imbalance = RecordingCursorLayer::uninstall(std::move(m_cursor));
    QVERIFY2(imbalance.isEmpty(), qPrintable(imbalance));
}

std::unique_ptr<DragDropScene> tst_ColumnViewPointer::scene(CountingModel &model,
                                                            QItemSelectionModel &selection)
{
    auto result = std::make_unique<DragDropScene>(*m_host, ViewWithDragHandler);
    QQuickItem *view = result->item("view");
    if (!view)
        return nullptr;
    view->setProperty("model", QVariant::fromValue<QObject *>(&model));
    view->setProperty("selectionModel", QVariant::fromValue<QObject *>(&selection));
    QTest::qWait(30);
    return result;
}

void tst_ColumnViewPointer::heldPressSelectsTheRowAndDragsIt()
{
    CountingModel model(50);
    QItemSelectionModel selection(&model);
    auto s = scene(model, selection);
    QVERIFY(s);
    QQuickItem *handler = s->item("handler");
    QVERIFY(handler);
    QVERIFY(!selection.isRowSelected(3, {}));

    QSignalSpy finished(handler, SIGNAL(dragFinished(orbDragHandlerEvent *)));
    bool selectedDuringDrag = false;
    int currentDuringDrag = -1;
    DragDriver driver(s->window(), [&] { return runningDrag(handler) != nullptr; });
    driver
        .call([&] {
            selectedDuringDrag = selection.isRowSelected(3, {});
            currentDuringDrag = selection.currentIndex().row();
        })
        .release(DragDriver::outside());
    QElapsedTimer clock;
    clock.start();
    QTest::mousePress(s->window(), Qt::LeftButton, {}, rowPoint(*s, 3));
    QVERIFY(QTest::qWaitFor([&] { return finished.count() > 0; }, 8000));
    QVERIFY(!driver.timedOut());
    QVERIFY2(clock.elapsed() >= DragStartTime - 10, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(selectedDuringDrag);
    QCOMPARE(currentDuringDrag, 3);
    QCOMPARE(selection.selectedRows().size(), 1);
    QCOMPARE(s->log(),
             QStringList() << "started"
                           << "finished text/plain=bytes:114,111,119,32,51");
    QCOMPARE(s->dragsCutShort(), 0);
}

void tst_ColumnViewPointer::scrollingWhileHeldCancelsTheDrag()
{
    CountingModel model(50);
    QItemSelectionModel selection(&model);
    auto s = scene(model, selection);
    QVERIFY(s);
    QQuickItem *view = s->item("view");
    QSignalSpy started(s->item("handler"), SIGNAL(dragStarted()));

    QTest::mousePress(s->window(), Qt::LeftButton, {}, rowPoint(*s, 3));
    QTest::qWait(DragStartTime / 3);
    view->setProperty("contentY", 40.0);
    QTest::qWait(DragStartTime * 2);
    QCOMPARE(started.count(), 0);
    QVERIFY(!runningDrag(s->item("handler")));
    QVERIFY(!selection.isRowSelected(3, {}));
    QTest::mouseRelease(s->window(), Qt::LeftButton, {}, rowPoint(*s, 3));
    QTest::qWait(50);
    QCOMPARE(started.count(), 0);
    QVERIFY(s->log().isEmpty());
}

void tst_ColumnViewPointer::headerCursorGoesThroughTheCursorLayer()
{
    CountingModel model(5);
    QItemSelectionModel selection(&model);
    auto s = scene(model, selection);
    QVERIFY(s);
    QQuickItem *header = s->item("header");
    QVERIFY(header);
    QVERIFY(QMetaObject::invokeMethod(header, "overrideMouseCursor",
                                      Q_ARG(Qt::CursorShape, Qt::SplitHCursor)));
    QCOMPARE(m_cursor->pushes, QVector<Qt::CursorShape>{Qt::SplitHCursor});
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::SplitHCursor);
    QVERIFY(QMetaObject::invokeMethod(header, "restoreMouseCursor"));
    QCOMPARE(m_cursor->pops, 1);
    QVERIFY(!QGuiApplication::overrideCursor());

    // A restore without an override of its own leaves another item's cursor.
    m_cursor->pushShape(Qt::OpenHandCursor);
    QVERIFY(QMetaObject::invokeMethod(header, "restoreMouseCursor"));
    QCOMPARE(m_cursor->pops, 1);
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::OpenHandCursor);
    m_cursor->popShape();

    // A header destroyed while it holds the cursor gives it back.
    QVERIFY(QMetaObject::invokeMethod(header, "overrideMouseCursor",
                                      Q_ARG(Qt::CursorShape, Qt::SplitHCursor)));
    s.reset();
    QCOMPARE(m_cursor->pops, m_cursor->pushes.size());
    QVERIFY(!QGuiApplication::overrideCursor());
}

QTEST_MAIN(tst_ColumnViewPointer)
#include "tst_columnview_pointer.moc"
