// ORBTreeView under models that change or misbehave, bad arguments and bad
// QML: no crash, hang or wrong row, and a clear message where something is
// skipped.

#include "QmlTestSupport.h"
#include "TestTreeModel.h"
#include "TreeViewHarness.h"
#include "orbHostEnvironment.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QStandardItemModel>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlListReference>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <climits>
#include <cmath>
#include <limits>
#include <memory>

class tst_TreeViewRobustness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void multipleModelWarnings();
    void sameModelItemListedTwice();
    void twoModelItemsOverOneModel();
    void modelItemWithoutModel();
    void modelDeletedWhileShown();
    void modelItemDestroyedWhileShown();
    void newModelsListShowsOnlyItsItems();
    void changesInCollapsedAndUnmirroredBranches();
    void misbehavingNotifications();
    void misbehavingModels();
    void layoutChangeWithoutPersistentIndexUpdates();
    void badArguments();
    void badDelegates();
    void delegateOpeningRowsWhileBeingMade();

private:
    std::unique_ptr<orbHostEnvironment> m_host;
};

namespace {

QVariant obj(QObject *object)
{
    return QVariant::fromValue(object);
}

QByteArray viewOver(const QByteArray &models, const QByteArray &extra = {})
{
    return "ORBTreeView { id: view; objectName: 'view'; anchors.fill: parent;"
           " delegate: Rectangle { Text { text: display } }\n"
        + extra + "\n models: [" + models + "] }";
}

const QByteArray TwoItems = "ORBTreeViewModelItem { objectName: 'first'; model: m0 },"
                            " ORBTreeViewModelItem { objectName: 'second'; model: m1 }";

int countOf(const QStringList &messages, const QString &text)
{
    int count = 0;
    for (const QString &message : messages)
        count += message.contains(text) ? 1 : 0;
    return count;
}

} // namespace

void tst_TreeViewRobustness::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_TreeViewRobustness::cleanupTestCase()
{
    m_host.reset();
}

void tst_TreeViewRobustness::multipleModelWarnings()
{
    TestTreeModel a, b;
    a.rebuild(2, 1, 2);
    b.rebuild(3, 0, 1);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewOver(TwoItems), {{"m0", obj(&a)}, {"m1", obj(&b)}}));
    QCOMPARE(harness.rowCount(), 5);
    orbtest::MessageCapture capture;
    QVERIFY(!harness.view()->property("rootModelIndex").value<QModelIndex>().isValid());
    harness.view()->setProperty("rootModelIndex", QVariant::fromValue(a.index(0, 0)));
    QVERIFY(capture.messages().contains(
        "QModelIndex orbQuickTreeView::rootModelIndex() const Not supported for multiple models"));
    QVERIFY(capture.messages().contains(
        "void orbQuickTreeView::setRootModelIndex(const QModelIndex&) Not supported for multiple "
        "models. Set root in ORBTreeViewModelItem instance instead."));
    QCOMPARE(harness.rowCount(), 5);
    QVERIFY(harness.view()->property("model").value<QObject *>() == nullptr);

    QStandardItemModel stranger(2, 1);
    QCOMPARE(harness.call("showModelIndex", {QVariant::fromValue(stranger.index(1, 0))}).toInt(),
             -1);
    QVERIFY(capture.contains("Corresponding orbQuickTreeViewItem was not found for index"));
    QCOMPARE(harness.call("getIndex", {QVariant::fromValue(stranger.index(1, 0))}).toInt(), -1);
}

void tst_TreeViewRobustness::sameModelItemListedTwice()
{
    TestTreeModel a;
    a.rebuild(3, 0, 1);
    orbtest::MessageCapture capture;
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show("ORBTreeViewModelItem { id: only; model: m0 }\n" + viewOver("only, only"),
                         {{"m0", obj(&a)}}));
    QCOMPARE(harness.rowCount(), 3);
    QVERIFY(capture.contains("listed twice"));
}

void tst_TreeViewRobustness::twoModelItemsOverOneModel()
{
    TestTreeModel a;
    a.rebuild(3, 0, 1);
    orbtest::MessageCapture capture;
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(
        viewOver("ORBTreeViewModelItem { model: m0 }, ORBTreeViewModelItem { model: m0 }"),
        {{"m0", obj(&a)}}));
    QCOMPARE(harness.rowCount(), 3);
    QVERIFY(capture.messages().contains("failed to addbranch"));
}

void tst_TreeViewRobustness::modelItemWithoutModel()
{
    TestTreeModel a;
    a.rebuild(4, 0, 1);
    TreeViewHarness harness(*m_host);
    QVERIFY(
        harness.show(viewOver("ORBTreeViewModelItem { objectName: 'empty' }"), {{"m0", obj(&a)}}));
    QCOMPARE(harness.rowCount(), 0);
    QCOMPARE(harness.call("openItemAt", {0}).toBool(), false);
    QObject *item = harness.window()->findChild<QObject *>("empty");
    QVERIFY(item);
    item->setProperty("model", obj(&a));
    QCOMPARE(harness.rowCount(), 4);
}

void tst_TreeViewRobustness::modelDeletedWhileShown()
{
    auto a = std::make_unique<TestTreeModel>();
    TestTreeModel b;
    a->rebuild(2, 2, 2);
    b.rebuild(2, 2, 2);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewOver(TwoItems), {{"m0", obj(a.get())}, {"m1", obj(&b)}}));
    QVERIFY(harness.call("openItemAt", {0}).toBool()); // a's first row
    QVERIFY(harness.call("openItemAt", {4}).toBool()); // b's first row
    QCOMPARE(harness.rowCount(), 8);
    harness.view()->setProperty("currentIndex", 6);
    a.reset();
    harness.settle();
    QCOMPARE(harness.rowCount(), 4);
    QCOMPARE(harness.modelIndexAt(0), b.index(0, 0));
    QCOMPARE(harness.modelIndexAt(1), b.index(0, 0, b.index(0, 0)));
    QCOMPARE(harness.currentIndex(), 2); // stayed on its row
    QCOMPARE(harness.delegates().size(), 4);

    // A single model that goes away leaves an empty view whose model reads null.
    auto c = std::make_unique<TestTreeModel>();
    c->rebuild(3, 0, 1);
    harness.view()->setProperty("model", obj(c.get()));
    QCOMPARE(harness.rowCount(), 3);
    c.reset();
    QCOMPARE(harness.rowCount(), 0);
    QVERIFY(harness.view()->property("model").value<QObject *>() == nullptr);
}

void tst_TreeViewRobustness::modelItemDestroyedWhileShown()
{
    TestTreeModel a, b;
    a.rebuild(2, 2, 2);
    b.rebuild(3, 2, 2);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewOver(TwoItems), {{"m0", obj(&a)}, {"m1", obj(&b)}}));
    QVERIFY(harness.call("openItemAt", {2}).toBool());
    QCOMPARE(harness.rowCount(), 7);
    delete harness.window()->findChild<QObject *>("first");
    harness.settle();
    QCOMPARE(QQmlListReference(harness.view(), "models").count(), 1);
    QCOMPARE(harness.rowCount(), 5);
    QCOMPARE(harness.modelIndexAt(1), b.index(0, 0, b.index(0, 0)));
    a.insert({}, 0, 2); // no longer watched: nothing changes
    QCOMPARE(harness.rowCount(), 5);
}

void tst_TreeViewRobustness::newModelsListShowsOnlyItsItems()
{
    TestTreeModel a, b, c;
    a.rebuild(2, 0, 1);
    b.rebuild(3, 0, 1);
    c.rebuild(4, 0, 1);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show("ORBTreeViewModelItem { id: third; objectName: 'third' }\n"
                             + viewOver(TwoItems),
                         {{"m0", obj(&a)}, {"m1", obj(&b)}}));
    QCOMPARE(harness.rowCount(), 5);
    QObject *third = harness.window()->findChild<QObject *>("third");
    third->setProperty("model", obj(&c));
    QQmlListReference models(harness.view(), "models");
    models.clear();
    QCOMPARE(harness.rowCount(), 0);
    models.append(third);
    QCOMPARE(harness.rowCount(), 4);
    b.insert({}, 0, 1); // the old models are no longer watched
    QCOMPARE(harness.rowCount(), 4);
}

void tst_TreeViewRobustness::changesInCollapsedAndUnmirroredBranches()
{
    TestTreeModel a;
    a.rebuild(3, 2, 3);
    const QModelIndex root = a.index(1, 0);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewOver("ORBTreeViewModelItem { model: m0; root: theRoot }"),
                         {{"m0", obj(&a)}, {"theRoot", QVariant::fromValue(root)}}));
    QCOMPARE(harness.rowCount(), 1);
    a.insert(a.index(0, 0), 0, 3, 1); // outside the branch
    a.remove(a.index(2, 0), 0, 1);
    a.moveRows(a.index(0, 0), 0, 2, a.index(2, 0), 0);
    QCOMPARE(harness.rowCount(), 1);
    a.insert(root, 0, 2); // collapsed: listed once opened
    QCOMPARE(harness.rowCount(), 1);
    QCOMPARE(harness.call("numChildren", {0}).toInt(), 4);
    QVERIFY(harness.call("openItemAt", {0}).toBool());
    QCOMPARE(harness.rowCount(), 5);
    a.moveRows(a.index(0, 0), 0, 1, root, 1); // into the branch from outside
    QCOMPARE(harness.rowCount(), 6);
    QCOMPARE(harness.modelIndexAt(2), a.index(1, 0, root));
    a.moveRows(root, 0, 2, a.index(0, 0), 0); // out of it
    QCOMPARE(harness.rowCount(), 4);
}

void tst_TreeViewRobustness::misbehavingNotifications()
{
    TestTreeModel a;
    a.rebuild(4, 2, 2);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewOver("ORBTreeViewModelItem { model: m0 }"), {{"m0", obj(&a)}}));
    orbtest::MessageCapture capture;
    const auto send = [&](const char *signal, int first, int last) {
        QMetaObject::invokeMethod(&a, signal, Q_ARG(QModelIndex, QModelIndex()), Q_ARG(int, first),
                                  Q_ARG(int, last));
    };
    send("rowsInserted", 2, 100);
    QVERIFY(capture.contains("clamped"));
    send("rowsAboutToBeRemoved", 3, 1);
    QVERIFY(capture.contains("reversed"));
    send("rowsAboutToBeRemoved", -4, -2);
    QCOMPARE(harness.rowCount(), 4);

    // Removed without "about to": the rows go all the same.
    a.removeSilently({}, 1, 2);
    send("rowsRemoved", 1, 2);
    QVERIFY(capture.contains("removed without notice"));
    QCOMPARE(harness.rowCount(), 2);
    QCOMPARE(harness.modelIndexAt(1), a.index(1, 0));

    TestTreeModel stranger;
    stranger.rebuild(2, 0, 1);
    emit a.dataChanged(stranger.index(0, 0), stranger.index(1, 0));
    QVERIFY(capture.contains("dataChanged with indexes of another model"));
    emit a.dataChanged(a.index(1, 0), a.index(0, 0));
    emit a.dataChanged(a.index(0, 0), a.index(0, 0).sibling(0, 1), {Qt::DisplayRole, 12345});
    QCOMPARE(harness.rowCount(), 2);
}

void tst_TreeViewRobustness::misbehavingModels()
{
    TestTreeModel a;
    a.rebuild(3, 2, 2);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewOver("ORBTreeViewModelItem { model: m0 }"), {{"m0", obj(&a)}}));
    orbtest::MessageCapture capture;

    a.invalidIndexRow = 4; // index() fails for an existing row
    a.insert({}, 3, 2);
    a.invalidIndexRow = -1;
    QVERIFY(capture.contains("the model gives no index for it"));
    QCOMPARE(harness.rowCount(), 4);

    a.childlessHasChildren = true; // hasChildren says yes, there are no rows
    const int leaf = 3;
    QCOMPARE(harness.call("numChildren", {leaf}).toInt(), 0);
    QVERIFY(harness.call("openItemAt", {leaf}).toBool());
    QCOMPARE(harness.rowCount(), 4);
    a.childlessHasChildren = false;

    a.setLazyChildren(a.index(3, 0), 3); // fetched synchronously while opening
    QVERIFY(harness.call("closeItemAt", {leaf}).toBool());
    QCOMPARE(harness.call("canFetchMore", {leaf}).toBool(), true);
    QVERIFY(harness.call("openItemAt", {leaf}).toBool());
    QCOMPARE(a.fetchCount, 1);
    QCOMPARE(harness.rowCount(), 7);
    QCOMPARE(harness.modelIndexAt(6), a.index(2, 0, a.index(3, 0)));
}

void tst_TreeViewRobustness::layoutChangeWithoutPersistentIndexUpdates()
{
    TestTreeModel a;
    a.rebuild(4, 2, 3);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewOver("ORBTreeViewModelItem { model: m0 }"), {{"m0", obj(&a)}}));
    QVERIFY(harness.call("openItemAt", {1}).toBool());
    a.reorder({}, 1, false);
    // What stays open is the model's business now; the rows must still be the model's.
    const int rows = harness.rowCount();
    QVERIFY(rows >= 4);
    for (int row = 0; row < rows; ++row) {
        const QModelIndex index = harness.modelIndexAt(row);
        QVERIFY(index.isValid());
        QCOMPARE(harness.call("numChildren", {row}).toInt(), a.rowCount(index));
    }
    a.reorder({}, 0, true);
    QCOMPARE(harness.rowCount(), rows);
}

void tst_TreeViewRobustness::badArguments()
{
    TestTreeModel a;
    a.rebuild(30, 1, 2);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewOver("ORBTreeViewModelItem { model: m0 }"), {{"m0", obj(&a)}}));
    for (int row : {-1, -1000, 30, INT_MAX, INT_MIN}) {
        QCOMPARE(harness.call("openItemAt", {row}).toBool(), false);
        QCOMPARE(harness.call("closeItemAt", {row}).toBool(), false);
        harness.call("toggleItemAt", {row});
        harness.call("setCollapsable", {row, false});
        QVERIFY(!harness.call("data", {row, "display"}).isValid());
        QCOMPARE(harness.call("setData", {row, "display", "x"}).toBool(), false);
        QCOMPARE(harness.call("canFetchMore", {row}).toBool(), false);
        QCOMPARE(harness.call("numChildren", {row}).toInt(), 0);
        QCOMPARE(harness.call("level", {row}).toInt(), 0);
        QCOMPARE(harness.call("parentIndex", {row}).toInt(), 0);
        harness.call("positionViewAtIndex", {row});
        QVERIFY(!harness.modelIndexAt(row).isValid());
    }
    QCOMPARE(harness.rowCount(), 30);
    QCOMPARE(harness.view()->property("contentY").toDouble(), 0.0);
    // An unknown or empty role name reads role 0, the display role.
    QCOMPARE(harness.call("data", {0, ""}).toString(), a.index(0, 0).data().toString());
    QCOMPARE(harness.call("data", {0, "nonsense"}).toString(), a.index(0, 0).data().toString());
    QCOMPARE(harness.call("data", {0, "key"}).toInt(),
             a.index(0, 0).data(TestTreeModel::KeyRole).toInt());
    for (double y : {std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity(), -5.0, 1e12}) {
        QVERIFY(!harness.call("visibleItemAtContentYPosition", {y, true}).value<QQuickItem *>());
        if (std::isnan(y) || y < 0)
            QVERIFY(
                !harness.call("visibleItemAtContentYPosition", {y, false}).value<QQuickItem *>());
    }
    auto *second
        = harness.call("visibleItemAtContentYPosition", {25.0, true}).value<QQuickItem *>();
    QVERIFY(second);
    QCOMPARE(TreeViewHarness::contextProperty(second, "ItemIndex").toInt(), 1);
    harness.view()->setProperty("currentIndex", INT_MAX);
    QCOMPARE(harness.currentIndex(), 29);
    harness.call("incrementCurrentIndex");
    QCOMPARE(harness.currentIndex(), 29);
    harness.call("positionViewAtIndex", {29});
    QCOMPARE(harness.view()->property("contentY").toDouble(), 30 * 20.0 - 200);
    harness.call("positionViewAtIndex", {0});
    QCOMPARE(harness.view()->property("contentY").toDouble(), 0.0);
    QCOMPARE(
        harness.call("showModelIndex", {QVariant::fromValue(a.index(0, 0, a.index(5, 0)))}).toInt(),
        6);
}

void tst_TreeViewRobustness::badDelegates()
{
    TestTreeModel a;
    a.rebuild(20, 0, 1);
    {
        TreeViewHarness harness(*m_host);
        QVERIFY(harness.show("ORBTreeView { objectName: 'view'; anchors.fill: parent; model: m0 }",
                             {{"m0", obj(&a)}}));
        QCOMPARE(harness.rowCount(), 20);
        QCOMPARE(harness.heldDelegates(), 0);
        harness.view()->setProperty("contentY", 100.0);
        QCOMPARE(harness.call("data", {3, "display"}).toString(), a.index(3, 0).data().toString());
    }
    for (const QByteArray &source :
         {QByteArray("import QtQuick 2.15\nRectangle { Behavior on nothing { } }"),
          QByteArray("import QtQml 2.15\nQtObject { }")}) {
        orbtest::MessageCapture capture;
        TreeViewHarness harness(*m_host);
        QVERIFY(harness.show("ORBTreeView { objectName: 'view'; anchors.fill: parent; model: m0 }",
                             {{"m0", obj(&a)}}));
        QQmlComponent component(&harness.engine());
        component.setData(source, QUrl(QStringLiteral("file:///orbtest/Delegate.qml")));
        harness.view()->setProperty("delegate", QVariant::fromValue(&component));
        harness.view()->setProperty("contentY", 150.0);
        harness.view()->setProperty("contentY", 0.0);
        QCOMPARE(harness.rowCount(), 20);
        QCOMPARE(harness.heldDelegates(), 0);
        QCOMPARE(countOf(capture.messages(), "orbQuickTreeView: the delegate"), 1);
        harness.view()->setProperty("delegate", QVariant::fromValue<QQmlComponent *>(nullptr));
    }
}

void tst_TreeViewRobustness::delegateOpeningRowsWhileBeingMade()
{
    TestTreeModel a;
    a.rebuild(3, 3, 3);
    TreeViewHarness harness(*m_host);
    QVERIFY(
        harness.show("ORBTreeView { id: view; objectName: 'view'; anchors.fill: parent; model: m0\n"
                     " delegate: Rectangle { Component.onCompleted: view.openItemAt(ItemIndex) } }",
                     {{"m0", obj(&a)}}));
    harness.settle();
    QVERIFY(harness.rowCount() >= 3);
    for (QQuickItem *item : harness.delegates()) {
        const int row = TreeViewHarness::contextProperty(item, "ItemIndex").toInt();
        QCOMPARE(item->y(), row * 20.0);
    }
}

QTEST_MAIN(tst_TreeViewRobustness)
#include "tst_treeview_robustness.moc"
