// An ORBColumnView in a real window over real models: rows and cells, their
// data read at once or on the global thread pool, row geometry, scrolling,
// columns moved and inserted, model notifications and mouse input.

#include "ColumnViewHarness.h"
#include "CountingModel.h"
#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QElapsedTimer>
#include <QtGui/QGuiApplication>
#include <QtGui/QStandardItemModel>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlListReference>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <memory>

class tst_ColumnViewView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void rowsOnScreenAndSyncData();
    void rowsAreBuiltOnceTheViewIsComplete();
    void cellAccessorsOfRows();
    void hiddenAndOffViewportCellsHoldNoData();
    void tallCurrentRowGeometry();
    void positionViewAtIndexAndScrollPage();
    void asyncReadsOnPoolKeepOnlyLastIndex();
    void randomFetchDelayWaitsAtLeastOneStep();
    void moveColumnKeepsListOrder();
    void insertColumnRebuildsCells();
    void twoColumnDataChangedOnlyWarns();
    void modelNotificationsKeepRowsCurrent();
    void movedRowsShowTheirNewData();
    void clickPressMoveAndDoubleClick();
    void pressesOnChildrenAreFiltered();
    void rowAtContentYAndAtMousePosition();
    void asynchronousSwitchedAtRunTime();
    void resizingColumnLocksContentX();

private:
    std::unique_ptr<orbHostEnvironment> m_host;
};

namespace {

QByteArray cellDelegate(const char *role)
{
    return QByteArray("ORBColumnViewCell { property string role: '") + role + "' }";
}

QByteArray viewQml(const QByteArray &viewExtra = {}, const QByteArray &rowExtra = {},
                   const QByteArray &columns = {})
{
    const QByteArray columnList = columns.isEmpty()
        ? "ORBColumnViewColumn { role: 'title'; width: 100; delegate: " + cellDelegate("title")
            + " },\n ORBColumnViewColumn { role: 'artist'; width: "
              "100; delegate: "
            + cellDelegate("artist") + " }"
        : columns;
    return "ItemSelectionModel { id: sel; model: m0 }\n"
           "ORBColumnView { id: view; objectName: 'view'; anchors.fill: parent; model: m0;"
           " selectionModel: sel\n"
           " rowDelegate: ORBColumnViewRow { color: 'lightgrey'; defaultHeight: 20; "
        + rowExtra + " }\n columns: [ " + columnList + " ]\n" + viewExtra + " }";
}

QVariantMap modelContext(QObject *model)
{
    return {{"m0", QVariant::fromValue(model)}};
}

QString cellText(QQuickItem *row, const char *role)
{
    QQuickItem *cell = ColumnViewHarness::cell(row, QString::fromLatin1(role));
    return cell ? cell->property("cellData").toString() : QStringLiteral("<no cell>");
}

QVariant callView(QQuickItem *view, const char *method, QGenericArgument a = {},
                  QGenericArgument b = {}, QGenericArgument c = {})
{
    QMetaObject::invokeMethod(view, method, Qt::DirectConnection, a, b, c);
    return {};
}

bool allRowsShowTheirData(const ColumnViewHarness &harness)
{
    for (QQuickItem *row : harness.rows()) {
        const int index = row->property("index").toInt();
        if (cellText(row, "artist") != QStringLiteral("artist %1").arg(index))
            return false;
    }
    return true;
}

} // namespace

void tst_ColumnViewView::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_ColumnViewView::cleanupTestCase()
{
    m_host.reset();
}

void tst_ColumnViewView::rowsOnScreenAndSyncData()
{
    CountingModel model(100);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model), 400, 200));
    const QList<QQuickItem *> rows = harness.rows();
    QCOMPARE(rows.size(), 11);
    QCOMPARE(rows.first()->property("index").toInt(), 0);
    QCOMPARE(rows.last()->property("index").toInt(), 10);
    QCOMPARE(rows.at(4)->y(), 80.0);
    QCOMPARE(rows.at(4)->height(), 20.0);
    QCOMPARE(harness.view()->property("contentHeight").toReal(), 2000.0);
    QCOMPARE(cellText(rows.at(3), "title"), QStringLiteral("row 3"));
    QCOMPARE(ColumnViewHarness::cell(rows.at(3), "artist")->x(), 100.0);
    QCOMPARE(ColumnViewHarness::cell(rows.at(3), "artist")->width(), 100.0);

    // Synchronous reads land before the scroll returns, on the GUI thread.
    harness.view()->setProperty("contentY", 400.0);
    QQuickItem *row25 = harness.row(25);
    QVERIFY(row25);
    QCOMPARE(cellText(row25, "title"), QStringLiteral("row 25"));
    QVERIFY(!model.readOnThreadOtherThan(QThread::currentThread()));
    QVERIFY(harness.heldRows() <= 12);
}

void tst_ColumnViewView::rowsAreBuiltOnceTheViewIsComplete()
{
    CountingModel model(100);
    ColumnViewHarness harness(*m_host);
    // The columns' delegate is declared after them, as QML authors often do.
    QVERIFY(harness.show(
        "ORBColumnView { id: view; objectName: 'view'; anchors.fill: parent; model: m0\n"
        " property int rowsMade: 0\n"
        " rowDelegate: ORBColumnViewRow { defaultHeight: 20; Component.onCompleted: "
        "view.rowsMade++ }\n"
        " columns: [ ORBColumnViewColumn { role: 'title'; width: 100; delegate: cell } ]\n"
        " Component { id: cell; ORBColumnViewCell { property string role: 'title' } } }",
        modelContext(&model), 400, 200));
    QCOMPARE(harness.rows().size(), 11);
    QCOMPARE(cellText(harness.row(10), "title"), QStringLiteral("row 10"));
    // Every row item made is one the view holds: none was thrown away.
    QCOMPARE(harness.heldRows(), 11);
    QCOMPARE(harness.view()->property("rowsMade").toInt(), harness.heldRows());
}

void tst_ColumnViewView::cellAccessorsOfRows()
{
    CountingModel model(20);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model)));
    QQuickItem *row3 = harness.row(3);
    QVERIFY(row3);
    QString text;
    bool flag = false;
    QVERIFY(QMetaObject::invokeMethod(row3, "getStringData", Q_RETURN_ARG(QString, text),
                                      Q_ARG(int, CountingModel::TitleRole)));
    QCOMPARE(text, QStringLiteral("row 3"));
    QVERIFY(QMetaObject::invokeMethod(row3, "getStringData", Q_RETURN_ARG(QString, text),
                                      Q_ARG(int, Qt::UserRole + 50)));
    QCOMPARE(text, QString());
    QVERIFY(QMetaObject::invokeMethod(row3, "getBoolData", Q_RETURN_ARG(bool, flag),
                                      Q_ARG(int, CountingModel::FlagRole)));
    QVERIFY(flag);
    QVERIFY(QMetaObject::invokeMethod(row3, "getBoolData", Q_RETURN_ARG(bool, flag),
                                      Q_ARG(int, Qt::UserRole + 50)));
    QVERIFY(!flag);

    // Writing a cell writes the model; the change comes back through it.
    QQuickItem *title = ColumnViewHarness::cell(row3, "title");
    title->setProperty("cellData", QStringLiteral("changed"));
    QCOMPARE(title->property("cellData").toString(), QStringLiteral("row 3"));
}

void tst_ColumnViewView::hiddenAndOffViewportCellsHoldNoData()
{
    CountingModel model(20);
    ColumnViewHarness harness(*m_host);
    const QByteArray columns
        = "ORBColumnViewColumn { role: 'title'; width: 300; delegate: " + cellDelegate("title")
        + " },\n ORBColumnViewColumn { role: 'flag'; width: 100; visible: false; delegate: "
        + cellDelegate("flag")
        + " },\n ORBColumnViewColumn { role: 'artist'; width: 200;"
          " delegate: "
        + cellDelegate("artist") + " }";
    QVERIFY(harness.show(viewQml({}, {}, columns), modelContext(&model), 250, 200));
    QQuickItem *row1 = harness.row(1);
    QVERIFY(row1);
    QCOMPARE(cellText(row1, "title"), QStringLiteral("row 1"));
    QQuickItem *hidden = ColumnViewHarness::cell(row1, "flag");
    QQuickItem *offViewport = ColumnViewHarness::cell(row1, "artist");
    QVERIFY(!hidden->isVisible());
    QVERIFY(!hidden->property("cellData").isValid());
    QCOMPARE(offViewport->x(), 300.0);
    QVERIFY(!offViewport->isVisible());
    QVERIFY(!offViewport->property("cellData").isValid());

    // Scrolled into view, the cell shows its data.
    harness.view()->setProperty("contentX", 200.0);
    QVERIFY(offViewport->isVisible());
    QCOMPARE(offViewport->property("cellData").toString(), QStringLiteral("artist 1"));
}

void tst_ColumnViewView::tallCurrentRowGeometry()
{
    CountingModel model(100);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml({}, "selectedHeight: 40"), modelContext(&model)));
    harness.view()->setProperty("currentRowIndex", 3);
    harness.settle();
    QCOMPARE(harness.view()->property("currentRowIndex").toInt(), 3);
    QQuickItem *row3 = harness.row(3);
    QQuickItem *row5 = harness.row(5);
    QVERIFY(row3 && row5);
    QCOMPARE(row3->height(), 40.0);
    QVERIFY(row3->property("isCurrentRow").toBool());
    QVERIFY(!row5->property("isCurrentRow").toBool());
    QCOMPARE(row5->y(), 120.0);
    QCOMPARE(row5->height(), 20.0);
    QCOMPARE(harness.view()->property("contentHeight").toReal(), 2020.0);
}

void tst_ColumnViewView::positionViewAtIndexAndScrollPage()
{
    CountingModel model(100);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model)));
    QQuickItem *view = harness.view();
    callView(view, "positionViewAtIndex", Q_ARG(int, 5)); // already shown
    QCOMPARE(view->property("contentY").toReal(), 0.0);
    callView(view, "positionViewAtIndex", Q_ARG(int, 50)); // below: bottom-aligned
    QCOMPARE(view->property("contentY").toReal(), 50 * 20 - 200 + 20.0);
    callView(view, "positionViewAtIndex", Q_ARG(int, 10)); // above: top-aligned
    QCOMPARE(view->property("contentY").toReal(), 200.0);
    harness.settle();
    QVERIFY(harness.row(10) && harness.row(20));

    callView(view, "scrollPage", Q_ARG(bool, false), Q_ARG(bool, false));
    QCOMPARE(view->property("contentY").toReal(), 400.0);
    callView(view, "scrollPage", Q_ARG(bool, true), Q_ARG(bool, false));
    QCOMPARE(view->property("contentY").toReal(), 200.0);
    // The current row (0) is off screen: the page keys first move it there.
    callView(view, "scrollPage", Q_ARG(bool, false), Q_ARG(bool, true));
    QCOMPARE(view->property("currentRowIndex").toInt(), 20);
    QCOMPARE(view->property("contentY").toReal(), 200.0);
    callView(view, "scrollPage", Q_ARG(bool, false), Q_ARG(bool, true));
    QCOMPARE(view->property("currentRowIndex").toInt(), 30);
    QCOMPARE(view->property("contentY").toReal(), 400.0);
    callView(view, "positionViewAtIndex", Q_ARG(int, 99));
    QCOMPARE(view->property("contentY").toReal(), 1800.0);
}

void tst_ColumnViewView::asyncReadsOnPoolKeepOnlyLastIndex()
{
    CountingModel model(1000);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml("asynchronous: true", "fetchDelay: 20"), modelContext(&model)));
    QTRY_VERIFY_WITH_TIMEOUT(allRowsShowTheirData(harness), 3000);
    QVERIFY(model.readOnThreadOtherThan(QThread::currentThread()));

    // Every held row counts the data it receives from now on.
    QList<std::shared_ptr<QSignalSpy>> spies;
    const QList<QQuickItem *> held
        = harness.view()->property("contentItem").value<QQuickItem *>()->childItems();
    for (QQuickItem *item : held) {
        if (item->inherits("orbQuickColumnViewRow"))
            spies.append(std::make_shared<QSignalSpy>(item, SIGNAL(dataChanged())));
    }
    QCOMPARE(spies.size(), 11);
    harness.view()->setProperty("contentY", 4000.0);
    harness.view()->setProperty("contentY", 8000.0);
    harness.view()->setProperty("contentY", 12000.0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.row(600) && allRowsShowTheirData(harness), 3000);
    harness.settle(100);
    int received = 0;
    for (const auto &spy : spies)
        received += spy->count();
    QCOMPARE(received, 11);
    QVERIFY(harness.row(600));
    QCOMPARE(cellText(harness.row(600), "title"), QStringLiteral("row 600"));
}

void tst_ColumnViewView::randomFetchDelayWaitsAtLeastOneStep()
{
    CountingModel model(100);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml("asynchronous: true", "fetchDelay: -1"), modelContext(&model)));
    QTRY_VERIFY_WITH_TIMEOUT(allRowsShowTheirData(harness), 5000);
    const int before = model.itemDataCalls();
    QElapsedTimer elapsed;
    elapsed.start();
    harness.view()->setProperty("contentY", 1000.0);
    qint64 firstRead = -1;
    while (elapsed.elapsed() < 5000 && model.itemDataCalls() < before + 11) {
        if (firstRead < 0 && model.itemDataCalls() > before)
            firstRead = elapsed.elapsed();
        QTest::qWait(1);
    }
    if (firstRead < 0)
        firstRead = elapsed.elapsed();
    QCOMPARE(model.itemDataCalls(), before + 11);
    QVERIFY2(firstRead >= 15, qPrintable(QString::number(firstRead)));
    // Each read waits at most 256 ms; the pool runs them side by side.
    QVERIFY2(elapsed.elapsed() < 11 * 256 + 500, qPrintable(QString::number(elapsed.elapsed())));
    QTRY_VERIFY_WITH_TIMEOUT(allRowsShowTheirData(harness), 3000);
}

void tst_ColumnViewView::moveColumnKeepsListOrder()
{
    CountingModel model(20);
    ColumnViewHarness harness(*m_host);
    const QByteArray columns
        = "ORBColumnViewColumn { role: 'title'; width: 100; delegate: " + cellDelegate("title")
        + " },\n ORBColumnViewColumn { role: 'artist'; width: 120; delegate: "
        + cellDelegate("artist")
        + " },\n ORBColumnViewColumn { role: 'flag'; width: 80;"
          " delegate: "
        + cellDelegate("flag") + " }";
    QVERIFY(harness.show(viewQml("columnSpacing: 2", {}, columns), modelContext(&model)));
    QQmlListReference list(harness.view(), "columns");
    QCOMPARE(list.count(), 3);
    callView(harness.view(), "moveColumn", Q_ARG(int, 0), Q_ARG(int, 2), Q_ARG(bool, false));
    QCOMPARE(list.at(0)->property("role").toString(), QStringLiteral("title"));
    QCOMPARE(list.at(0)->property("index").toInt(), 2);
    QCOMPARE(list.at(1)->property("index").toInt(), 0);
    QCOMPARE(list.at(2)->property("index").toInt(), 1);
    QCOMPARE(list.at(1)->property("xPosition").toReal(), 0.0);
    QCOMPARE(list.at(2)->property("xPosition").toReal(), 122.0);
    QCOMPARE(list.at(0)->property("xPosition").toReal(), 204.0);
    QCOMPARE(ColumnViewHarness::cell(harness.row(1), "title")->x(), 204.0);
}

void tst_ColumnViewView::insertColumnRebuildsCells()
{
    CountingModel model(20);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model)));
    QCOMPARE(ColumnViewHarness::cells(harness.row(0)).size(), 2);
    QQmlComponent component(&harness.engine());
    component.setData("import orbQuick 1.0\nORBColumnViewColumn { role: 'flag'; width: 60;"
                      " delegate: ORBColumnViewCell { property string role: 'flag' } }",
                      QUrl());
    QObject *column = component.create();
    QVERIFY(column);
    QVERIFY(QMetaObject::invokeMethod(harness.view(), "insertColumn", Q_ARG(int, 1),
                                      QGenericArgument("orbQuickColumnViewColumn*", &column)));
    harness.settle();
    QQmlListReference list(harness.view(), "columns");
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.at(1), column);
    QCOMPARE(list.at(2)->property("index").toInt(), 2);
    QQuickItem *row2 = harness.row(2);
    QVERIFY(row2);
    QCOMPARE(ColumnViewHarness::cells(row2).size(), 3);
    QCOMPARE(ColumnViewHarness::cell(row2, "flag")->property("cellData").toBool(), false);
    QCOMPARE(ColumnViewHarness::cell(harness.row(3), "flag")->property("cellData").toBool(), true);
}

void tst_ColumnViewView::twoColumnDataChangedOnlyWarns()
{
    QStandardItemModel model(10, 2);
    model.setItemRoleNames({{Qt::UserRole + 2, "artist"}});
    for (int row = 0; row < 10; ++row)
        model.setData(model.index(row, 0), QStringLiteral("artist %1").arg(row), Qt::UserRole + 2);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model)));
    QVERIFY(allRowsShowTheirData(harness));
    orbtest::MessageCapture capture;
    emit model.dataChanged(model.index(0, 0), model.index(3, 1));
    QCOMPARE(capture.messages().size(), 1);
    QVERIFY(capture.messages().first().contains(QStringLiteral("Unable to modify range:")));
}

void tst_ColumnViewView::modelNotificationsKeepRowsCurrent()
{
    CountingModel model(30);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model)));
    model.setTitle(2, QStringLiteral("edited"));
    QCOMPARE(cellText(harness.row(2), "title"), QStringLiteral("edited"));
    model.insertAt(1, 2);
    harness.settle();
    QCOMPARE(cellText(harness.row(1), "title"), QStringLiteral("new 1"));
    QCOMPARE(cellText(harness.row(4), "title"), QStringLiteral("edited"));
    model.removeAt(0, 3);
    harness.settle();
    QCOMPARE(cellText(harness.row(1), "title"), QStringLiteral("edited"));
    QCOMPARE(harness.view()->property("rowCount").toInt(), 29);
    QCOMPARE(harness.view()->property("contentHeight").toReal(), 29 * 20.0);
}

void tst_ColumnViewView::movedRowsShowTheirNewData()
{
    CountingModel model(30);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model)));
    const auto rowsMatchModel = [&] {
        const QList<QQuickItem *> rows = harness.rows();
        if (rows.size() != 11)
            return false;
        for (QQuickItem *row : rows) {
            const QModelIndex index = model.index(row->property("index").toInt());
            if (cellText(row, "title") != model.data(index, CountingModel::TitleRole).toString())
                return false;
        }
        return true;
    };
    // Down and up on screen, in from below the screen, out to below it.
    const int moves[][3] = {{2, 2, 8}, {9, 1, 0}, {25, 3, 1}, {1, 2, 28}};
    for (const auto &move : moves) {
        QVERIFY(model.moveAt(move[0], move[1], move[2]));
        harness.settle();
        QVERIFY2(rowsMatchModel(),
                 qPrintable(QStringLiteral("after moving %1 rows from %2 to %3")
                                .arg(move[1])
                                .arg(move[0])
                                .arg(move[2])));
    }
    QCOMPARE(cellText(harness.row(0), "title"), QStringLiteral("row 9"));
}

void tst_ColumnViewView::clickPressMoveAndDoubleClick()
{
    CountingModel model(30);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model)));
    QSignalSpy pressed(harness.view(), SIGNAL(rowPressed(int, orbQuickMouseEvent *)));
    QSignalSpy clicked(harness.view(), SIGNAL(rowClicked(int, orbQuickMouseEvent *)));
    QSignalSpy doubleClicked(harness.view(), SIGNAL(rowDoubleClicked(int, orbQuickMouseEvent *)));
    QQuickWindow *window = harness.window();

    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(50, 30));
    QTest::mouseMove(window, QPoint(52, 31));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(53, 30));
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.at(0).at(0).toInt(), 1);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), 1);
    QCOMPARE(harness.view()->property("dragRowData").toMap().value("title").toString(),
             QStringLiteral("row 1"));

    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(50, 70), 500);
    QTest::mouseMove(window, QPoint(55, 70));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(55, 70));
    QCOMPARE(pressed.count(), 2);
    QCOMPARE(pressed.at(1).at(0).toInt(), 3);
    QCOMPARE(clicked.count(), 1);

    QTest::mouseDClick(window, Qt::LeftButton, {}, QPoint(50, 90), 500);
    QCOMPARE(doubleClicked.count(), 1);
    QCOMPARE(doubleClicked.at(0).at(0).toInt(), 4);
}

void tst_ColumnViewView::pressesOnChildrenAreFiltered()
{
    CountingModel model(30);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(
        viewQml({},
                "MouseArea { objectName: 'inner'; anchors.fill: parent; property int hits: 0;"
                " onPressed: hits++ }"),
        modelContext(&model)));
    QSignalSpy pressed(harness.view(), SIGNAL(rowPressed(int, orbQuickMouseEvent *)));
    QSignalSpy clicked(harness.view(), SIGNAL(rowClicked(int, orbQuickMouseEvent *)));
    QTest::mouseClick(harness.window(), Qt::LeftButton, {}, QPoint(30, 50));
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.at(0).at(0).toInt(), 2);
    QCOMPARE(clicked.count(), 1);
    QQuickItem *inner = harness.row(2)->findChild<QQuickItem *>(QStringLiteral("inner"));
    QVERIFY(inner);
    QCOMPARE(inner->property("hits").toInt(), 1);
}

namespace {

int rowAtContentY(QQuickItem *view, qreal y, bool strict)
{
    QObject *row = nullptr;
    if (!QMetaObject::invokeMethod(view, "rowForContentYPosition", Qt::DirectConnection,
                                   QGenericReturnArgument("orbQuickColumnViewRow*", &row),
                                   Q_ARG(qreal, y), Q_ARG(bool, strict)))
        return -2;
    return row ? row->property("index").toInt() : -1;
}

QVariant rowDataAt(QQuickItem *view, qreal x, qreal y)
{
    QVariant data;
    QMetaObject::invokeMethod(view, "getRowDataForRowAtMousePosition", Qt::DirectConnection,
                              Q_RETURN_ARG(QVariant, data), Q_ARG(qreal, x), Q_ARG(qreal, y));
    return data;
}

} // namespace

void tst_ColumnViewView::rowAtContentYAndAtMousePosition()
{
    CountingModel model(100);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml({}, "selectedHeight: 40"), modelContext(&model)));
    QQuickItem *view = harness.view();
    view->setProperty("currentRowIndex", 3);
    harness.settle();
    // Rows 0-2 at 0, 20, 40; the current row 3 spans 60-100; row 4 starts at 100.
    QCOMPARE(rowAtContentY(view, 0, false), 0);
    QCOMPARE(rowAtContentY(view, 59.5, false), 2);
    QCOMPARE(rowAtContentY(view, 60, false), 3);
    QCOMPARE(rowAtContentY(view, 99, true), 3);
    QCOMPARE(rowAtContentY(view, 100, true), 4);
    QCOMPARE(rowAtContentY(view, 125, true), 5);
    QCOMPARE(rowAtContentY(view, -1, false), -1);
    QCOMPARE(rowAtContentY(view, -1, true), -1);
    const QList<QQuickItem *> rows = harness.rows();
    const qreal bottom = rows.last()->y() + rows.last()->height();
    const int last = rows.last()->property("index").toInt();
    QCOMPARE(rowAtContentY(view, bottom + 50, false), last);
    QCOMPARE(rowAtContentY(view, bottom + 50, true), -1);

    QVariantMap data = rowDataAt(view, 10, 70).toMap();
    QCOMPARE(data.value("title").toString(), QStringLiteral("row 3"));
    QCOMPARE(data.value("artist").toString(), QStringLiteral("artist 3"));
    QVERIFY(data.contains("flag"));
    QCOMPARE(rowDataAt(view, 10, 99).toMap().value("title").toString(), QStringLiteral("row 3"));
    QCOMPARE(rowDataAt(view, 150, 101).toMap().value("title").toString(), QStringLiteral("row 4"));
    QCOMPARE(rowDataAt(view, 10, 41).toMap().value("title").toString(), QStringLiteral("row 2"));

    // Scrolled below the current row, every row sits 20 lower.
    view->setProperty("contentY", 400.0);
    harness.settle();
    QCOMPARE(rowAtContentY(view, 405, true), 19);
    QCOMPARE(rowDataAt(view, 10, 5).toMap().value("title").toString(), QStringLiteral("row 19"));
    QCOMPARE(rowDataAt(view, 10, 25).toMap().value("artist").toString(),
             QStringLiteral("artist 20"));

    // Nothing under the point: an invalid value.
    model.reset(3);
    harness.settle();
    view->setProperty("contentY", 0.0);
    harness.settle();
    QVERIFY(!harness.rows().isEmpty());
    QVERIFY(!rowDataAt(view, 10, 190).isValid());
}

void tst_ColumnViewView::asynchronousSwitchedAtRunTime()
{
    CountingModel model(1000);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml({}, "fetchDelay: 10"), modelContext(&model)));
    QQuickItem *view = harness.view();
    QVERIFY(allRowsShowTheirData(harness));
    QSignalSpy changed(view, SIGNAL(asynchronousChanged()));

    view->setProperty("asynchronous", true);
    QCOMPARE(changed.count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(harness.rows().size() == 11 && allRowsShowTheirData(harness), 3000);
    view->setProperty("contentY", 2000.0);
    QTRY_VERIFY_WITH_TIMEOUT(harness.row(100) && allRowsShowTheirData(harness), 3000);
    QVERIFY(model.readOnThreadOtherThan(QThread::currentThread()));

    view->setProperty("asynchronous", false);
    QCOMPARE(changed.count(), 2);
    // Read at once again: no waiting needed.
    QCOMPARE(harness.rows().size(), 11);
    QVERIFY(allRowsShowTheirData(harness));
    QCOMPARE(cellText(harness.row(100), "title"), QStringLiteral("row 100"));
    view->setProperty("contentY", 600.0);
    harness.settle();
    QVERIFY(harness.row(30));
    QVERIFY(allRowsShowTheirData(harness));

    // Switched back and forth with reads still asleep, rows end up right.
    view->setProperty("asynchronous", true);
    view->setProperty("contentY", 4000.0);
    view->setProperty("asynchronous", false);
    view->setProperty("asynchronous", true);
    QTRY_VERIFY_WITH_TIMEOUT(harness.row(200) && allRowsShowTheirData(harness), 3000);
    harness.settle(100);
    QVERIFY(allRowsShowTheirData(harness));
}

void tst_ColumnViewView::resizingColumnLocksContentX()
{
    CountingModel model(100);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(
        viewQml("header: ORBColumnViewColumnHeader { objectName: 'header'; height: 20; "
                "width: 400 }",
                {},
                "ORBColumnViewColumn { objectName: 'titleColumn'; role: 'title'; width: 300; "
                "delegate: "
                    + cellDelegate("title")
                    + " },\n ORBColumnViewColumn { role: 'artist'; width: 300; delegate: "
                    + cellDelegate("artist") + " }"),
        modelContext(&model)));
    QQuickItem *view = harness.view();
    QObject *header = harness.find("header");
    QVERIFY(header);
    view->setProperty("contentX", 100.0);
    QCOMPARE(view->property("contentX").toReal(), 100.0);

    header->setProperty("resizingColumn", true);
    view->setProperty("contentX", 150.0);
    QCOMPARE(view->property("contentX").toReal(), 100.0);
    harness.find("titleColumn")->setProperty("width", 500);
    harness.settle();
    QCOMPARE(view->property("contentX").toReal(), 100.0);
    QMetaObject::invokeMethod(view, "positionViewAtColumnIndex", Q_ARG(int, 1));
    QCOMPARE(view->property("contentX").toReal(), 100.0);

    header->setProperty("resizingColumn", false);
    harness.settle();
    QCOMPARE(view->property("contentX").toReal(), 100.0);
    view->setProperty("contentX", 150.0);
    QCOMPARE(view->property("contentX").toReal(), 150.0);
}

QTEST_MAIN(tst_ColumnViewView)
#include "tst_columnview_view.moc"
