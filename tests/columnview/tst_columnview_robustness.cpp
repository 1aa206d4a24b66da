// The column view under hostile conditions: models reset, emptied or deleted
// under it, bad delegates and selection models, and the view deleted while
// its rows' reads are still queued on the pool.

#include "ColumnViewHarness.h"
#include "CountingModel.h"
#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QItemSelectionModel>
#include <QtCore/QThreadPool>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlListReference>
#include <QtQuick/QQuickItem>
#include <QtTest/QtTest>

#include <chrono>
#include <condition_variable>
#include <memory>

class tst_ColumnViewRobustness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void resetRepeatedlyWhileScrolling_data();
    void resetRepeatedlyWhileScrolling();
    void rowsRemovedUnderCurrentAtBottomAndAll();
    void modelDeletedWhileViewLives_data();
    void modelDeletedWhileViewLives();
    void viewDeletedWithReadsQueued();
    void slowReadsDoNotBlockTheGuiThread();
    void badCellDelegatesLeaveRowsOut();
    void columnWithoutDelegateLeavesRowsOutSilently();
    void foreignAndDeletedSelectionModels();
    void failingRowDelegatesShowNoRows_data();
    void failingRowDelegatesShowNoRows();
    void zeroPitchShowsNoRows();
    void hostileSpacingsAreRefused_data();
    void hostileSpacingsAreRefused();
    void destroyedColumnIsDropped();

private:
    std::unique_ptr<orbHostEnvironment> m_host;
};

void tst_ColumnViewRobustness::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_ColumnViewRobustness::cleanupTestCase()
{
    m_host.reset();
}

namespace {

QByteArray viewQml(const QByteArray &viewExtra = {}, const QByteArray &rowExtra = {},
                   const QByteArray &cell = "ORBColumnViewCell { property string role: 'title' }")
{
    return "ItemSelectionModel { id: sel; objectName: 'sel'; model: m0 }\n"
           "ORBColumnView { id: view; objectName: 'view'; anchors.fill: parent; model: m0;"
           " selectionModel: sel\n rowDelegate: ORBColumnViewRow { defaultHeight: 20; "
        + rowExtra
        + " }\n columns: [ ORBColumnViewColumn { objectName: 'titleColumn'; role: "
          "'title'; width: 100; delegate: "
        + cell + " } ]\n" + viewExtra + " }";
}

QVariantMap modelContext(QObject *model)
{
    return {{"m0", QVariant::fromValue(model)}};
}

// Reads made off the GUI thread wait at a gate until it opens, or give up
// after a few seconds, so that a thread waiting for them shows as a failure
// rather than a hang.
class GatedModel : public CountingModel
{
public:
    using CountingModel::CountingModel;

    QMap<int, QVariant> itemData(const QModelIndex &index) const override
    {
        if (QThread::currentThread() != thread()) {
            std::unique_lock<std::mutex> locker(m_gateMutex);
            ++m_waiting;
            if (!m_gate.wait_for(locker, std::chrono::seconds(3), [this] { return m_open; }))
                ++m_gaveUp;
            --m_waiting;
        }
        return CountingModel::itemData(index);
    }

    void setOpen(bool open)
    {
        std::lock_guard<std::mutex> locker(m_gateMutex);
        m_open = open;
        m_gate.notify_all();
    }
    int waitingReads() const
    {
        std::lock_guard<std::mutex> locker(m_gateMutex);
        return m_waiting;
    }
    int readsThatGaveUp() const
    {
        std::lock_guard<std::mutex> locker(m_gateMutex);
        return m_gaveUp;
    }

private:
    mutable std::mutex m_gateMutex;
    mutable std::condition_variable m_gate;
    bool m_open = true;
    mutable int m_waiting = 0;
    mutable int m_gaveUp = 0;
};

bool rowsShowTheirTitles(const ColumnViewHarness &harness, const QString &prefix)
{
    for (QQuickItem *row : harness.rows()) {
        QQuickItem *cell = ColumnViewHarness::cell(row, QStringLiteral("title"));
        if (!cell
            || cell->property("cellData").toString()
                != prefix + QString::number(row->property("index").toInt()))
            return false;
    }
    return true;
}

} // namespace

void tst_ColumnViewRobustness::resetRepeatedlyWhileScrolling_data()
{
    QTest::addColumn<bool>("asynchronous");
    QTest::newRow("sync") << false;
    QTest::newRow("async") << true;
}

void tst_ColumnViewRobustness::resetRepeatedlyWhileScrolling()
{
    QFETCH(bool, asynchronous);
    CountingModel model(500);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(asynchronous ? "asynchronous: true" : ""), modelContext(&model)));
    QMetaObject::invokeMethod(harness.view(), "flick", Q_ARG(qreal, 0), Q_ARG(qreal, -3000));
    for (int i = 0; i < 20; ++i) {
        model.reset(400 + i);
        QTest::qWait(5);
    }
    QMetaObject::invokeMethod(harness.view(), "cancelFlick");
    QTRY_VERIFY_WITH_TIMEOUT(
        !harness.rows().isEmpty() && rowsShowTheirTitles(harness, QStringLiteral("reset ")), 3000);
    QCOMPARE(harness.view()->property("rowCount").toInt(), 419);
}

void tst_ColumnViewRobustness::rowsRemovedUnderCurrentAtBottomAndAll()
{
    CountingModel model(100);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml({}, "selectedHeight: 30"), modelContext(&model)));
    harness.view()->setProperty("currentRowIndex", 4);
    model.removeAt(3, 3);
    harness.settle();
    QCOMPARE(ColumnViewHarness::cell(harness.row(3), "title")->property("cellData").toString(),
             QStringLiteral("row 6"));

    harness.view()->setProperty("contentY", 97 * 20 - 200 + 10.0);
    harness.settle();
    QVERIFY(harness.row(96));
    model.removeAt(90, 7);
    harness.settle();
    QCOMPARE(harness.view()->property("rowCount").toInt(), 90);
    for (QQuickItem *row : harness.rows())
        QVERIFY(row->property("index").toInt() < 90);
    QVERIFY(harness.row(89));

    model.removeAt(0, 90);
    harness.settle();
    QVERIFY(harness.rows().isEmpty());
    QCOMPARE(harness.view()->property("currentRowIndex").toInt(), -1);
    model.insertAt(0, 2);
    harness.settle();
    QCOMPARE(harness.rows().size(), 2);
}

void tst_ColumnViewRobustness::modelDeletedWhileViewLives_data()
{
    QTest::addColumn<bool>("asynchronous");
    QTest::newRow("sync") << false;
    QTest::newRow("async with reads asleep") << true;
}

void tst_ColumnViewRobustness::modelDeletedWhileViewLives()
{
    QFETCH(bool, asynchronous);
    auto model = std::make_unique<CountingModel>(100);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(
        viewQml(asynchronous ? "asynchronous: true" : "", asynchronous ? "fetchDelay: 200" : ""),
        modelContext(model.get())));
    harness.view()->setProperty("contentY", 600.0); // reads now sleep for 200 ms
    model.reset();
    QCOMPARE(harness.view()->property("model").value<QObject *>(), nullptr);
    QCOMPARE(harness.view()->property("rowCount").toInt(), 0);
    QVERIFY(harness.rows().isEmpty());
    harness.settle(300);
    QCOMPARE(harness.view()->property("currentRowIndex").toInt(), -1);
}

void tst_ColumnViewRobustness::viewDeletedWithReadsQueued()
{
    CountingModel model(1000);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml("asynchronous: true", "fetchDelay: 100"), modelContext(&model),
                         400, 2000));
    QVERIFY(harness.heldRows() >= 100);
    QElapsedTimer elapsed;
    elapsed.start();
    harness.destroyWindow();
    QVERIFY2(elapsed.elapsed() < 2000, qPrintable(QString::number(elapsed.elapsed())));
    QVERIFY(QThreadPool::globalInstance()->waitForDone(2000));
}

// Rows moved on while their reads are still inside the model: the GUI thread
// goes on at once instead of waiting for those reads.
void tst_ColumnViewRobustness::slowReadsDoNotBlockTheGuiThread()
{
    GatedModel model(1000);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml("asynchronous: true"), modelContext(&model)));
    QTRY_VERIFY_WITH_TIMEOUT(rowsShowTheirTitles(harness, QStringLiteral("row ")), 3000);

    model.setOpen(false);
    harness.view()->setProperty("contentY", 4000.0);
    QTRY_VERIFY_WITH_TIMEOUT(model.waitingReads() > 0, 3000);
    harness.view()->setProperty("contentY", 8000.0);
    const int gaveUp = model.readsThatGaveUp();
    model.setOpen(true);
    QVERIFY2(gaveUp == 0, "the GUI thread waited for a read in progress");
    QTRY_VERIFY_WITH_TIMEOUT(
        harness.row(400) && rowsShowTheirTitles(harness, QStringLiteral("row ")), 3000);
}

void tst_ColumnViewRobustness::badCellDelegatesLeaveRowsOut()
{
    CountingModel model(50);
    ColumnViewHarness harness(*m_host);
    {
        orbtest::MessageCapture capture;
        QVERIFY(harness.show(viewQml({}, {}, "Item {}"), modelContext(&model)));
        QVERIFY(harness.rows().isEmpty());
        QVERIFY(capture.contains(QStringLiteral(
            "orbQuickColumnViewColumn delegate is not of type orbQuickColumnViewCell "
            "(ORBColumnViewCell)")));
    }
    QObject *column = harness.find("titleColumn");
    QVERIFY(column);
    {
        orbtest::MessageCapture capture;
        column->setProperty("delegate", QVariant::fromValue<QObject *>(nullptr));
        harness.settle();
        QVERIFY(harness.rows().isEmpty());
        QVERIFY(capture.messages().isEmpty());
    }
    QQmlComponent good(&harness.engine());
    good.setData("import orbQuick 1.0\nORBColumnViewCell { property string role: 'title' }",
                 QUrl());
    column->setProperty("delegate", QVariant::fromValue<QObject *>(&good));
    harness.settle();
    QCOMPARE(harness.rows().size(), 11);
    QVERIFY(rowsShowTheirTitles(harness, QStringLiteral("row ")));

    // Broken at run time, the rows go; repaired, they come back.
    column->setProperty("delegate", QVariant::fromValue<QObject *>(nullptr));
    harness.settle();
    QVERIFY(harness.rows().isEmpty());
    column->setProperty("delegate", QVariant::fromValue<QObject *>(&good));
    harness.settle();
    QCOMPARE(harness.rows().size(), 11);
}

void tst_ColumnViewRobustness::columnWithoutDelegateLeavesRowsOutSilently()
{
    CountingModel model(50);
    ColumnViewHarness harness(*m_host);
    orbtest::MessageCapture capture;
    QVERIFY(harness.show(viewQml({}, {}, "null"), modelContext(&model)));
    QVERIFY(harness.rows().isEmpty());
    QCOMPARE(harness.heldRows(), 0);
    harness.view()->setProperty("contentY", 200.0);
    harness.settle();
    QCOMPARE(harness.heldRows(), 0);
    QVERIFY2(capture.messages().isEmpty(), qPrintable(capture.messages().join('\n')));
}

void tst_ColumnViewRobustness::foreignAndDeletedSelectionModels()
{
    CountingModel model(50);
    CountingModel other(5);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model)));
    QQuickItem *view = harness.view();
    view->setProperty("currentRowIndex", 2);
    QVERIFY(harness.row(2)->property("isCurrentRow").toBool());

    auto foreign = std::make_unique<QItemSelectionModel>(&other);
    {
        orbtest::MessageCapture capture;
        view->setProperty("selectionModel", QVariant::fromValue<QObject *>(foreign.get()));
        QCOMPARE(capture.messages().size(), 1);
    }
    QCOMPARE(view->property("currentRowIndex").toInt(), -1);
    view->setProperty("currentRowIndex", 3);
    QCOMPARE(foreign->currentIndex().isValid(), false);
    QVERIFY(!harness.row(2)->property("isCurrentRow").toBool());

    foreign->setModel(&model);
    view->setProperty("currentRowIndex", 3);
    harness.settle();
    QCOMPARE(view->property("currentRowIndex").toInt(), 3);
    QVERIFY(harness.row(3)->property("isCurrentRow").toBool());

    foreign.reset();
    QCOMPARE(view->property("selectionModel").value<QObject *>(), nullptr);
    QCOMPARE(view->property("currentRowIndex").toInt(), -1);
    harness.settle();
    QVERIFY(!harness.row(3)->property("isCurrentRow").toBool());
}

void tst_ColumnViewRobustness::failingRowDelegatesShowNoRows_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("warning");
    const QString makesNoItem
        = QStringLiteral("orbQuickColumnView: the row delegate makes no item:");
    QTest::newRow("component error")
        << QByteArray("import QtQuick 2.15\nItem { noSuchProperty: 1 }") << QString()
        << makesNoItem;
    QTest::newRow("missing file") << QByteArray()
                                  << QStringLiteral("/nonexistent/orbMissingRow.qml")
                                  << makesNoItem;
    QTest::newRow("root not a row")
        << QByteArray("import QtQuick 2.15\nItem { implicitHeight: 20 }") << QString()
        << QStringLiteral("orbQuickColumnView: the row delegate is not an ORBColumnViewRow");
}

void tst_ColumnViewRobustness::failingRowDelegatesShowNoRows()
{
    QFETCH(QByteArray, source);
    QFETCH(QString, file);
    QFETCH(QString, warning);
    CountingModel model(50);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model)));
    QQuickItem *view = harness.view();
    QCOMPARE(harness.rows().size(), 11);
    const QVariant good = view->property("rowDelegate");

    std::unique_ptr<QQmlComponent> bad;
    {
        orbtest::MessageCapture capture;
        if (file.isEmpty()) {
            bad = std::make_unique<QQmlComponent>(&harness.engine());
            bad->setData(source, QUrl());
        } else {
            bad = std::make_unique<QQmlComponent>(&harness.engine(), QUrl::fromLocalFile(file));
        }
        QVERIFY(view->setProperty("rowDelegate", QVariant::fromValue<QObject *>(bad.get())));
        harness.settle();
        QVERIFY2(capture.contains(warning), qPrintable(capture.messages().join('\n')));
    }
    QVERIFY(harness.rows().isEmpty());
    QCOMPARE(harness.heldRows(), 0);
    view->setProperty("contentY", 300.0);
    harness.settle();
    QCOMPARE(harness.heldRows(), 0);

    // A working delegate brings the rows back.
    view->setProperty("rowDelegate", good);
    harness.settle();
    QVERIFY(!harness.rows().isEmpty());
    QVERIFY(rowsShowTheirTitles(harness, QStringLiteral("row ")));
}

void tst_ColumnViewRobustness::zeroPitchShowsNoRows()
{
    CountingModel model(50);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml(), modelContext(&model)));
    QQuickItem *view = harness.view();
    QQmlComponent flat(&harness.engine());
    flat.setData("import orbQuick 1.0\nORBColumnViewRow { defaultHeight: 0 }", QUrl());
    {
        orbtest::MessageCapture capture;
        view->setProperty("rowDelegate", QVariant::fromValue<QObject *>(&flat));
        harness.settle();
        QVERIFY(harness.rows().isEmpty());
        QCOMPARE(harness.heldRows(), 0);
        view->setProperty("contentY", 100.0);
        QMetaObject::invokeMethod(view, "scrollPage", Q_ARG(bool, false), Q_ARG(bool, true));
        harness.settle();
        QCOMPARE(harness.heldRows(), 0);
        QVERIFY(capture.messages().isEmpty());
    }
    // Spacing alone makes a pitch again: rows come back, each 0 high.
    view->setProperty("rowSpacing", 20.0);
    harness.settle();
    QVERIFY(harness.row(10));
    QCOMPARE(harness.row(10)->height(), 0.0);
}

void tst_ColumnViewRobustness::hostileSpacingsAreRefused_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<qreal>("value");
    QTest::addColumn<QString>("warning");
    for (const char *property : {"rowSpacing", "columnSpacing"}) {
        const QString prefix = QStringLiteral("orbQuickColumnView: refusing %1 ").arg(property);
        QTest::addRow("%s NaN", property) << QByteArray(property) << qQNaN() << prefix + "nan";
        QTest::addRow("%s inf", property) << QByteArray(property) << qInf() << prefix + "inf";
        QTest::addRow("%s -inf", property) << QByteArray(property) << -qInf() << prefix + "-inf";
        QTest::addRow("%s negative", property)
            << QByteArray(property) << qreal(-3) << prefix + "-3";
    }
}

void tst_ColumnViewRobustness::hostileSpacingsAreRefused()
{
    QFETCH(QByteArray, property);
    QFETCH(qreal, value);
    QFETCH(QString, warning);
    CountingModel model(50);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(viewQml("rowSpacing: 4; columnSpacing: 6"), modelContext(&model)));
    QQuickItem *view = harness.view();
    QSignalSpy changed(view, QByteArray("2" + property + "Changed()").constData());
    QVERIFY(changed.isValid());
    {
        orbtest::MessageCapture capture;
        view->setProperty(property.constData(), value);
        QCOMPARE(capture.messages(), QStringList{warning});
    }
    harness.settle();
    QCOMPARE(changed.count(), 0);
    QCOMPARE(view->property("rowSpacing").toReal(), 4.0);
    QCOMPARE(view->property("columnSpacing").toReal(), 6.0);
    QVERIFY(harness.row(4));
    QCOMPARE(harness.row(4)->y(), 4 * 24.0);
    QVERIFY(rowsShowTheirTitles(harness, QStringLiteral("row ")));
    // Zero is a valid spacing.
    view->setProperty(property.constData(), 0.0);
    QCOMPARE(changed.count(), 1);
}

void tst_ColumnViewRobustness::destroyedColumnIsDropped()
{
    CountingModel model(100);
    ColumnViewHarness harness(*m_host);
    QVERIFY(harness.show(
        viewQml({}, {},
                "ORBColumnViewCell { property string role: 'title' } },\n"
                " ORBColumnViewColumn { objectName: 'artistColumn'; role: 'artist'; width: "
                "100; delegate: ORBColumnViewCell { property string role: 'artist' }"),
        modelContext(&model)));
    QQuickItem *view = harness.view();
    QCOMPARE(view->property("columnCount").toInt(), 2);
    QCOMPARE(ColumnViewHarness::cells(harness.row(0)).size(), 2);
    QSignalSpy columnsChanged(view, SIGNAL(columnsChanged()));

    delete harness.find("artistColumn");
    harness.settle();
    QCOMPARE(columnsChanged.count(), 1);
    QCOMPARE(view->property("columnCount").toInt(), 1);
    QQmlListReference columns(view, "columns");
    QCOMPARE(columns.count(), 1);
    QCOMPARE(columns.at(0), harness.find("titleColumn"));
    QCOMPARE(harness.rows().size(), 11);
    for (QQuickItem *row : harness.rows()) {
        QCOMPARE(ColumnViewHarness::cells(row).size(), 1);
        QVERIFY(!ColumnViewHarness::cell(row, QStringLiteral("artist")));
    }
    QVERIFY(rowsShowTheirTitles(harness, QStringLiteral("row ")));

    // The rows keep scrolling, following the model and taking new columns.
    view->setProperty("contentY", 800.0);
    harness.settle();
    QVERIFY(harness.row(45));
    model.setTitle(45, QStringLiteral("changed"));
    harness.settle();
    QCOMPARE(ColumnViewHarness::cell(harness.row(45), "title")->property("cellData").toString(),
             QStringLiteral("changed"));
    model.setTitle(45, QStringLiteral("row 45"));
    harness.settle();
    QVERIFY(rowsShowTheirTitles(harness, QStringLiteral("row ")));

    // The title column goes too: no cells can be made, no crash.
    delete harness.find("titleColumn");
    harness.settle();
    QCOMPARE(view->property("columnCount").toInt(), 0);
    view->setProperty("contentY", 0.0);
    harness.settle();
    for (QQuickItem *row : harness.rows())
        QVERIFY(ColumnViewHarness::cells(row).isEmpty());
}

QTEST_MAIN(tst_ColumnViewRobustness)
#include "tst_columnview_robustness.moc"
