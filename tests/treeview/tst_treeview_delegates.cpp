// What the delegate items of an ORBTreeView are told and where they are put:
// context properties and roles, geometry, data changes, recycling while
// scrolling, per-model delegates, and mouse handling.

#include "TestTreeModel.h"
#include "TreeViewHarness.h"
#include "orbHostEnvironment.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QStandardItemModel>
#include <QtGui/QWheelEvent>
#include <QtQml/QQmlListReference>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <cmath>
#include <memory>

class tst_TreeViewDelegates : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void contextPropertiesAndRoles();
    void rowsArePlacedByRowHeight();
    void dataChangesReachTheDelegate();
    void scrollingRecyclesDelegates();
    void openingAndClosingKeepEveryShownDelegateTrue();
    void eachModelItemUsesItsOwnDelegate();
    void wheelScrollsDragDoesNotClicksReachDelegates();
    void delegateChangingTheViewFromItsClick();

private:
    std::unique_ptr<orbHostEnvironment> m_host;
};

namespace {

QVariant ctx(QQuickItem *item, const char *name)
{
    return TreeViewHarness::contextProperty(item, QString::fromLatin1(name));
}

QByteArray singleModelView(const QByteArray &extra = {})
{
    return "ORBTreeView { id: view; objectName: 'view'; anchors.fill: parent; itemHeight: 20;"
           " rootItemHeight: 20; model: m0\n"
           " delegate: Rectangle { color: 'lightgrey'; property string shown: display;"
           " Text { text: display } }\n"
        + extra + " }";
}

} // namespace

void tst_TreeViewDelegates::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_TreeViewDelegates::cleanupTestCase()
{
    m_host.reset();
}

void tst_TreeViewDelegates::contextPropertiesAndRoles()
{
    TestTreeModel model;
    model.rebuild(3, 2, 2);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(singleModelView(), {{"m0", QVariant::fromValue<QObject *>(&model)}}));
    QVERIFY(harness.call("openItemAt", {0}).toBool());

    QQuickItem *open = harness.delegateForRow(0);
    QQuickItem *child = harness.delegateForRow(1);
    QQuickItem *closed = harness.delegateForRow(3);
    QVERIFY(open && child && closed);
    QCOMPARE(ctx(open, "ItemLevel").toInt(), 0);
    QCOMPARE(ctx(open, "ItemHasChildren").toBool(), true);
    QCOMPARE(ctx(open, "ItemIsExpanded").toBool(), true);
    QCOMPARE(ctx(open, "ItemIsExpandable").toBool(), false);
    QCOMPARE(ctx(child, "ItemIndex").toInt(), 1);
    QCOMPARE(ctx(child, "ItemLevel").toInt(), 1);
    QCOMPARE(ctx(child, "ItemHasChildren").toBool(), false);
    QCOMPARE(ctx(closed, "ItemIsExpanded").toBool(), false);
    QCOMPARE(ctx(closed, "ItemIsExpandable").toBool(), true);
    QCOMPARE(ctx(child, "display").toString(),
             model.index(0, 0, model.index(0, 0)).data().toString());
    QCOMPARE(ctx(closed, "key").toInt(), model.index(1, 0).data(TestTreeModel::KeyRole).toInt());
    QCOMPARE(child->property("shown").toString(), ctx(child, "display").toString());

    QQmlListReference models(harness.view(), "models");
    QCOMPARE(models.count(), 1);
    QCOMPARE(ctx(child, "ItemModelItem").value<QObject *>(), models.at(0));
    QCOMPARE(harness.call("data", {1, "key"}),
             model.index(0, 0, model.index(0, 0)).data(TestTreeModel::KeyRole));
}

void tst_TreeViewDelegates::rowsArePlacedByRowHeight()
{
    TestTreeModel model;
    model.rebuild(4, 2, 2);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show("ORBTreeView { objectName: 'view'; anchors.fill: parent; model: m0;"
                         " itemHeight: 15; rootItemHeight: 25; delegate: Rectangle { } }",
                         {{"m0", QVariant::fromValue<QObject *>(&model)}}, 240, 300));
    QVERIFY(harness.call("openItemAt", {1}).toBool());
    const double heights[] = {25, 25, 15, 15, 25, 25};
    double y = 0;
    for (int row = 0; row < 6; ++row) {
        QQuickItem *item = harness.delegateForRow(row);
        QVERIFY(item);
        QCOMPARE(item->y(), y);
        QCOMPARE(item->height(), heights[row]);
        QCOMPARE(item->width(), 240.0);
        y += heights[row];
    }
    QCOMPARE(harness.view()->property("contentHeight").toDouble(), y);
    harness.window()->setWidth(180);
    QTRY_COMPARE_WITH_TIMEOUT(harness.delegateForRow(0)->width(), 180.0, 2000);
}

void tst_TreeViewDelegates::dataChangesReachTheDelegate()
{
    QStandardItemModel model(3, 2);
    for (int row = 0; row < 3; ++row) {
        model.setItem(row, 0, new QStandardItem(QStringLiteral("name%1").arg(row)));
        model.setItem(row, 1, new QStandardItem(QStringLiteral("extra%1").arg(row)));
    }
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(singleModelView(), {{"m0", QVariant::fromValue<QObject *>(&model)}}));
    harness.view()->setProperty("currentIndex", 1);

    // With the role listed.
    QSignalSpy currentData(harness.view(), SIGNAL(currentItemDataChanged()));
    model.item(1, 0)->setText(QStringLiteral("renamed"));
    QCOMPARE(harness.delegateForRow(1)->property("shown").toString(), QStringLiteral("renamed"));
    QCOMPARE(currentData.count(), 1);
    QCOMPARE(harness.view()->property("currentItemData").toMap().value("display").toString(),
             QStringLiteral("renamed"));

    // With no roles: every property is written again.
    {
        const QSignalBlocker quiet(&model);
        model.item(2, 0)->setText(QStringLiteral("quietly"));
    }
    QCOMPARE(harness.delegateForRow(2)->property("shown").toString(), QStringLiteral("name2"));
    emit model.dataChanged(model.index(2, 0), model.index(2, 0));
    QCOMPARE(harness.delegateForRow(2)->property("shown").toString(), QStringLiteral("quietly"));

    // A change reported for another column updates the row.
    {
        const QSignalBlocker quiet(&model);
        model.item(0, 0)->setText(QStringLiteral("column0"));
    }
    emit model.dataChanged(model.index(0, 1), model.index(0, 1));
    QCOMPARE(harness.delegateForRow(0)->property("shown").toString(), QStringLiteral("column0"));
}

void tst_TreeViewDelegates::scrollingRecyclesDelegates()
{
    TestTreeModel model;
    model.rebuild(100000, 0, 1);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(singleModelView(), {{"m0", QVariant::fromValue<QObject *>(&model)}}, 300,
                         200));
    QCOMPARE(harness.rowCount(), 100000);
    const double contentHeight = harness.view()->property("contentHeight").toDouble();
    QCOMPARE(contentHeight, 100000 * 20.0);
    const int onScreen = int(std::ceil(200 / 20.0)) + 1;
    int created = 0;
    for (double y = 0; y <= contentHeight - 200; y += 397) {
        harness.view()->setProperty("contentY", y);
        created = std::max(created, harness.heldDelegates());
    }
    harness.view()->setProperty("contentY", contentHeight - 200);
    harness.settle();
    QVERIFY2(created <= onScreen + 2, qPrintable(QString::number(created)));
    const QList<QQuickItem *> shown = harness.delegates();
    QVERIFY(!shown.isEmpty());
    QCOMPARE(ctx(shown.last(), "ItemIndex").toInt(), 99999);
    for (QQuickItem *item : shown) {
        const int row = ctx(item, "ItemIndex").toInt();
        QCOMPARE(item->y(), row * 20.0);
        QCOMPARE(item->property("shown").toString(), model.index(row, 0).data().toString());
    }
}

void tst_TreeViewDelegates::openingAndClosingKeepEveryShownDelegateTrue()
{
    TestTreeModel model;
    model.rebuild(30, 3, 3);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(singleModelView(), {{"m0", QVariant::fromValue<QObject *>(&model)}}, 300,
                         200));
    QRandomGenerator random(4711);
    for (int step = 0; step < 300; ++step) {
        const int row = int(random.bounded(quint32(harness.rowCount())));
        harness.call(random.bounded(2) ? "openItemAt" : "closeItemAt", {row});
        if (step % 7 == 0)
            harness.view()->setProperty("contentY", random.bounded(200.0));
        // Rows above the changed one keep their items: every shown item must still be right.
        double y = -1;
        for (QQuickItem *item : harness.delegates()) {
            const int shownRow = ctx(item, "ItemIndex").toInt();
            QCOMPARE(harness.modelIndexAt(shownRow).data().toString(),
                     item->property("shown").toString());
            QCOMPARE(ctx(item, "ItemLevel").toInt(), harness.call("level", {shownRow}).toInt());
            if (harness.call("numChildren", {shownRow}).toInt() > 0) {
                const bool childShown = shownRow + 1 < harness.rowCount()
                    && harness.call("level", {shownRow + 1}).toInt()
                        > harness.call("level", {shownRow}).toInt();
                QCOMPARE(ctx(item, "ItemIsExpanded").toBool(), childShown);
            }
            QCOMPARE(item->y(), shownRow * 20.0);
            QVERIFY(item->y() > y);
            y = item->y();
        }
    }
}

void tst_TreeViewDelegates::eachModelItemUsesItsOwnDelegate()
{
    TestTreeModel first;
    TestTreeModel second;
    first.rebuild(2, 0, 1);
    second.rebuild(3, 0, 1);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show("Component { id: own; Rectangle { objectName: 'own' } }\n"
                         "ORBTreeView { objectName: 'view'; anchors.fill: parent;"
                         " delegate: Rectangle { objectName: 'fallback' }\n"
                         " models: [ ORBTreeViewModelItem { model: m0; delegate: own },"
                         " ORBTreeViewModelItem { model: m1 } ] }",
                         {{"m0", QVariant::fromValue<QObject *>(&first)},
                          {"m1", QVariant::fromValue<QObject *>(&second)}}));
    QCOMPARE(harness.rowCount(), 5);
    QStringList names;
    for (QQuickItem *item : harness.delegates())
        names << item->objectName();
    QCOMPARE(names, QStringList({"own", "own", "fallback", "fallback", "fallback"}));
}

void tst_TreeViewDelegates::wheelScrollsDragDoesNotClicksReachDelegates()
{
    TestTreeModel model;
    model.rebuild(200, 0, 1);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(
        "QtObject { id: clicks; objectName: 'clicks'; property int count: 0;"
        " property int lastRow: -1 }\n"
            + singleModelView("Component.onCompleted: view.delegate = clickable\n"
                              "Component { id: clickable; Rectangle {"
                              " MouseArea { anchors.fill: parent;"
                              " onClicked: { clicks.count++; clicks.lastRow = ItemIndex } } } }"),
        {{"m0", QVariant::fromValue<QObject *>(&model)}}));
    QObject *clicks = harness.window()->findChild<QObject *>(QStringLiteral("clicks"));
    QVERIFY(clicks);
    QQuickWindow *window = harness.window();

    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(clicks->property("count").toInt(), 1);
    QCOMPARE(clicks->property("lastRow").toInt(), 2);

    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(50, 150));
    for (int y = 140; y >= 20; y -= 10)
        QTest::mouseMove(window, QPoint(50, y), 5);
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(50, 20));
    harness.settle();
    QCOMPARE(harness.view()->property("contentY").toDouble(), 0.0);

    QWheelEvent wheel(QPointF(50, 50), window->mapToGlobal(QPoint(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QGuiApplication::sendEvent(window, &wheel);
    QTRY_VERIFY_WITH_TIMEOUT(harness.view()->property("contentY").toDouble() > 0.0, 3000);
}

void tst_TreeViewDelegates::delegateChangingTheViewFromItsClick()
{
    TestTreeModel model;
    model.rebuild(3, 2, 2);
    TestTreeModel other;
    other.rebuild(5, 0, 1);
    TreeViewHarness harness(*m_host);
    QVERIFY(
        harness.show("ORBTreeView { id: view; objectName: 'view'; anchors.fill: parent; model: m0\n"
                     " delegate: Rectangle { MouseArea { anchors.fill: parent; onClicked: {"
                     " if (display === 'reset') m0.resetTree();"
                     " else if (display === 'swap') view.model = m1;"
                     " else view.rootModelIndex = m0.index(0, 0) } } } }",
                     {{"m0", QVariant::fromValue<QObject *>(&model)},
                      {"m1", QVariant::fromValue<QObject *>(&other)}}));
    QQuickWindow *window = harness.window();
    model.setData(model.index(0, 0), QStringLiteral("reset"));
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(20, 10));
    harness.settle();
    QCOMPARE(harness.rowCount(), 3);
    model.setData(model.index(1, 0), QStringLiteral("root"));
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(20, 30));
    harness.settle();
    QCOMPARE(harness.modelIndexAt(0), model.index(0, 0));
    QCOMPARE(harness.rowCount(), 1);
    model.setData(model.index(0, 0), QStringLiteral("swap"));
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(20, 10));
    harness.settle();
    QCOMPARE(harness.rowCount(), 5);
    QCOMPARE(harness.view()->property("model").value<QObject *>(), &other);
}

QTEST_MAIN(tst_TreeViewDelegates)
#include "tst_treeview_delegates.moc"
