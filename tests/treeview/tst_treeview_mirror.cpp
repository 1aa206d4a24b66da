// The rows an ORBTreeView lists against the models they come from: a random
// sequence of model changes and user actions checked after every step, the
// documented edge cases and a very deep chain on a small stack.

#include "TestTreeModel.h"
#include "TreeViewHarness.h"
#include "orbHostEnvironment.h"

#include <QtCore/QProcess>
#include <QtCore/QRandomGenerator>
#include <QtGui/QGuiApplication>
#include <QtGui/QStandardItemModel>
#include <QtQuick/QQuickItem>
#include <QtTest/QtTest>

#include <memory>

class tst_TreeViewMirror : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void randomSequenceOneModel();
    void randomSequenceThreeModels();
    void currentIndexIsClamped();
    void openAndCloseReportWhetherTheyActed();
    void modelIndexOfMissingRowsIsInvalid();
    void hiddenRootListsItsChildrenAtLevelZero();
    void showModelIndexOpensEveryAncestor();
    void resetCollapsesEveryBranch();
    void sortKeepsOpenBranchesWithTheirRows();
    void sortFilterProxyOverATree();
    void deepChainOnASmallStack();
    void deepChainInThisProcess();

private:
    void runRandomSequence(int modelCount, quint32 seed);

    std::unique_ptr<orbHostEnvironment> m_host;
};

namespace {

const char *const RowDelegate = "delegate: Rectangle { height: 10; color: 'lightgrey';"
                                " Text { x: ItemLevel * 10; text: display } }";

QByteArray viewWithModels(int count, const QByteArray &extra = {})
{
    QByteArray items;
    for (int m = 0; m < count; ++m)
        items += "ORBTreeViewModelItem { model: m" + QByteArray::number(m) + " }\n";
    return "ORBTreeView { objectName: 'view'; anchors.fill: parent; " + QByteArray(RowDelegate)
        + "\n" + extra + "\n models: [" + items.replace("}\n", "},\n").chopped(2) + "] }";
}

struct ExpectedRow
{
    QPersistentModelIndex index;
    int level;
};

// The model walked in pre-order, listing the children of open rows only.
QVector<ExpectedRow> expectedRows(const QList<QAbstractItemModel *> &models,
                                  const QSet<QPersistentModelIndex> &open)
{
    QVector<ExpectedRow> rows;
    for (QAbstractItemModel *model : models) {
        QVector<ExpectedRow> pending;
        for (int row = model->rowCount() - 1; row >= 0; --row)
            pending.append({model->index(row, 0), 0});
        while (!pending.isEmpty()) {
            const ExpectedRow next = pending.takeLast();
            rows.append(next);
            if (!open.contains(next.index))
                continue;
            for (int row = model->rowCount(next.index) - 1; row >= 0; --row)
                pending.append({model->index(row, 0, next.index), next.level + 1});
        }
    }
    return rows;
}

QModelIndexList allIndexes(const QAbstractItemModel *model)
{
    QModelIndexList all;
    QModelIndexList pending{QModelIndex()};
    while (!pending.isEmpty()) {
        const QModelIndex parent = pending.takeLast();
        for (int row = 0; row < model->rowCount(parent); ++row) {
            all.append(model->index(row, 0, parent));
            pending.append(all.last());
        }
    }
    return all;
}

} // namespace

void tst_TreeViewMirror::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_TreeViewMirror::cleanupTestCase()
{
    m_host.reset();
}

void tst_TreeViewMirror::randomSequenceOneModel()
{
    runRandomSequence(1, 20240611);
}

void tst_TreeViewMirror::randomSequenceThreeModels()
{
    runRandomSequence(3, 77);
}

void tst_TreeViewMirror::runRandomSequence(int modelCount, quint32 seed)
{
    QRandomGenerator random(seed);
    std::vector<std::unique_ptr<TestTreeModel>> owned;
    QList<QAbstractItemModel *> models;
    QVariantMap context;
    for (int m = 0; m < modelCount; ++m) {
        owned.push_back(std::make_unique<TestTreeModel>());
        owned.back()->rebuild(6, 3, 3);
        models.append(owned.back().get());
        context.insert(QStringLiteral("m%1").arg(m), QVariant::fromValue<QObject *>(models.last()));
    }
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewWithModels(modelCount), context));

    QSet<QPersistentModelIndex> open;
    int checkedRows = 0;
    const int steps = 600;
    for (int step = 0; step < steps; ++step) {
        TestTreeModel *model = owned[size_t(random.bounded(modelCount))].get();
        const QModelIndexList indexes = allIndexes(model);
        const auto pickParent = [&]() -> QModelIndex {
            if (indexes.isEmpty() || random.bounded(5) == 0)
                return {};
            return indexes[random.bounded(indexes.size())];
        };
        const QPersistentModelIndex currentBefore = harness.modelIndexAt(harness.currentIndex());
        const int currentNumberBefore = harness.currentIndex();
        const int action = random.bounded(100);
        QString what;
        if (action < 22 || indexes.size() < 4) {
            const QModelIndex parent = pickParent();
            const int row = random.bounded(model->rowCount(parent) + 1);
            const int count = 1 + random.bounded(3);
            model->insert(parent, row, count, random.bounded(3));
            what = QStringLiteral("insert %1 at %2").arg(count).arg(row);
        } else if (action < 40 && indexes.size() > 20) {
            QModelIndex parent = pickParent();
            if (model->rowCount(parent) == 0)
                parent = QModelIndex();
            const int rows = model->rowCount(parent);
            if (rows > 0) {
                const int row = random.bounded(rows);
                const int count = 1 + random.bounded(std::min(3, rows - row));
                model->remove(parent, row, count);
                what = QStringLiteral("remove %1 at %2").arg(count).arg(row);
            }
        } else if (action < 58) {
            QModelIndex source = pickParent();
            if (model->rowCount(source) == 0)
                source = QModelIndex();
            const int rows = model->rowCount(source);
            const int row = random.bounded(rows);
            const int count = 1 + random.bounded(std::min(3, rows - row));
            const QModelIndex target = random.bounded(3) == 0 ? source : pickParent();
            const int targetRow = random.bounded(model->rowCount(target) + 1);
            model->moveRows(source, row, count, target, targetRow);
            what = QStringLiteral("move %1 from %2 to %3").arg(count).arg(row).arg(targetRow);
        } else if (action < 64) {
            model->reorder(pickParent(), random.bounded(3));
            what = QStringLiteral("reorder");
        } else if (action < 65) {
            model->rebuild(3, 2, 3);
            open.clear(); // a reset collapses every branch
            what = QStringLiteral("reset");
        } else if (action < 88) {
            const int row = random.bounded(std::max(1, harness.rowCount()));
            const QPersistentModelIndex index = harness.modelIndexAt(row);
            if (harness.call("openItemAt", {row}).toBool())
                open.insert(index);
            what = QStringLiteral("open %1").arg(row);
        } else if (action < 94) {
            const int row = random.bounded(std::max(1, harness.rowCount()));
            const QPersistentModelIndex index = harness.modelIndexAt(row);
            if (harness.call("closeItemAt", {row}).toBool())
                open.remove(index);
            what = QStringLiteral("close %1").arg(row);
        } else if (action < 97) {
            const int row = int(random.bounded(harness.rowCount() + 4)) - 2;
            harness.view()->setProperty("currentIndex", row);
            what = QStringLiteral("current %1").arg(row);
            QCOMPARE(harness.currentIndex(), std::max(0, std::min(row, harness.rowCount() - 1)));
            continue;
        } else {
            const QModelIndex leaf = indexes[random.bounded(indexes.size())];
            if (model->rowCount(leaf) == 0)
                model->setLazyChildren(leaf, 1 + random.bounded(3));
            what = QStringLiteral("lazy");
        }
        for (auto it = open.begin(); it != open.end();)
            it = it->isValid() ? std::next(it) : open.erase(it);

        const QVector<ExpectedRow> expected = expectedRows(models, open);
        QVERIFY2(harness.rowCount() == expected.size(),
                 qPrintable(QStringLiteral("step %1 (%2): %3 rows, expected %4")
                                .arg(step)
                                .arg(what)
                                .arg(harness.rowCount())
                                .arg(expected.size())));
        for (int row = 0; row < expected.size(); ++row) {
            const QModelIndex index = expected[row].index;
            const QString where
                = QStringLiteral("step %1 (%2), row %3").arg(step).arg(what).arg(row);
            QVERIFY2(harness.modelIndexAt(row) == index, qPrintable(where));
            QVERIFY2(harness.call("getIndex", {QVariant::fromValue(index)}).toInt() == row,
                     qPrintable(where));
            QVERIFY2(harness.call("level", {row}).toInt() == expected[row].level,
                     qPrintable(where));
            QVERIFY2(harness.call("numChildren", {row}).toInt() == index.model()->rowCount(index),
                     qPrintable(where));
            ++checkedRows;
        }
        const int shownCurrent
            = harness.call("getIndex", {QVariant::fromValue(QModelIndex(currentBefore))}).toInt();
        const int expectedCurrent = currentBefore.isValid() && shownCurrent >= 0
            ? shownCurrent
            : std::max(0, std::min(currentNumberBefore, harness.rowCount() - 1));
        QVERIFY2(harness.currentIndex() == expectedCurrent,
                 qPrintable(QStringLiteral("step %1 (%2): current %3, expected %4")
                                .arg(step)
                                .arg(what)
                                .arg(harness.currentIndex())
                                .arg(expectedCurrent)));
    }
    QVERIFY2(checkedRows > steps * 5, qPrintable(QString::number(checkedRows)));
}

void tst_TreeViewMirror::currentIndexIsClamped()
{
    TestTreeModel model;
    model.rebuild(10, 0, 1);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewWithModels(1), {{"m0", QVariant::fromValue<QObject *>(&model)}}));
    QCOMPARE(harness.rowCount(), 10);
    QCOMPARE(harness.currentIndex(), 0);
    harness.view()->setProperty("currentIndex", 100);
    QCOMPARE(harness.currentIndex(), 9);
    harness.view()->setProperty("currentIndex", -5);
    QCOMPARE(harness.currentIndex(), 0);
    harness.call("incrementCurrentIndex");
    QCOMPARE(harness.currentIndex(), 1);
    QCOMPARE(harness.view()->property("currentItemData").toMap().value("display").toString(),
             model.index(1, 0).data().toString());
    harness.call("decrementCurrentIndex");
    harness.call("decrementCurrentIndex");
    QCOMPARE(harness.currentIndex(), 0);
}

void tst_TreeViewMirror::openAndCloseReportWhetherTheyActed()
{
    TestTreeModel model;
    model.rebuild(2, 3, 2);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewWithModels(1), {{"m0", QVariant::fromValue<QObject *>(&model)}}));
    QCOMPARE(harness.call("closeItemAt", {0}).toBool(), false);
    QCOMPARE(harness.call("openItemAt", {0}).toBool(), true);
    QCOMPARE(harness.rowCount(), 5);
    QCOMPARE(harness.call("openItemAt", {0}).toBool(), false);
    QCOMPARE(harness.call("parentIndex", {2}).toInt(), 0);
    QCOMPARE(harness.call("closeItemAt", {0}).toBool(), true);
    QCOMPARE(harness.rowCount(), 2);
    harness.call("toggleItemAt", {1});
    QCOMPARE(harness.rowCount(), 5);
    harness.call("toggleItemAt", {1});
    QCOMPARE(harness.rowCount(), 2);
    harness.call("setCollapsable", {1, false});
    QCOMPARE(harness.rowCount(), 5);
    QCOMPARE(harness.call("closeItemAt", {1}).toBool(), false);
    QCOMPARE(harness.rowCount(), 5);
}

void tst_TreeViewMirror::modelIndexOfMissingRowsIsInvalid()
{
    TestTreeModel model;
    model.rebuild(3, 0, 1);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewWithModels(1), {{"m0", QVariant::fromValue<QObject *>(&model)}}));
    QVERIFY(harness.modelIndexAt(2).isValid());
    QVERIFY(!harness.modelIndexAt(harness.rowCount()).isValid());
    QVERIFY(!harness.modelIndexAt(-1).isValid());
    QCOMPARE(harness.call("getIndex", {QVariant::fromValue(model.index(1, 0))}).toInt(), 1);
}

void tst_TreeViewMirror::hiddenRootListsItsChildrenAtLevelZero()
{
    TestTreeModel model;
    model.rebuild(2, 3, 3);
    const QModelIndex root = model.index(1, 0);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(
        "ORBTreeView { objectName: 'view'; anchors.fill: parent;"
        " itemHeight: 12; rootItemHeight: 30; "
            + QByteArray(RowDelegate)
            + "\n models: [ ORBTreeViewModelItem { model: m0; root: theRoot;"
              " hideRoot: true } ] }",
        {{"m0", QVariant::fromValue<QObject *>(&model)}, {"theRoot", QVariant::fromValue(root)}}));
    QCOMPARE(harness.rowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(harness.modelIndexAt(row), model.index(row, 0, root));
        QCOMPARE(harness.call("level", {row}).toInt(), 0);
    }
    QQuickItem *first = harness.delegateForRow(0);
    QVERIFY(first);
    QCOMPARE(first->height(), 30.0);
    QVERIFY(harness.call("openItemAt", {0}).toBool());
    QCOMPARE(harness.call("level", {1}).toInt(), 1);
    QCOMPARE(harness.delegateForRow(1)->height(), 12.0);
}

void tst_TreeViewMirror::showModelIndexOpensEveryAncestor()
{
    TestTreeModel model;
    model.rebuild(3, 3, 5);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewWithModels(1), {{"m0", QVariant::fromValue<QObject *>(&model)}}));
    const QModelIndex target
        = model.index(2, 0, model.index(1, 0, model.index(0, 0, model.index(2, 0))));
    const int row = harness.call("showModelIndex", {QVariant::fromValue(target)}).toInt();
    QVERIFY(row > 0);
    QCOMPARE(harness.modelIndexAt(row), target);
    QCOMPARE(harness.call("level", {row}).toInt(), 3);
    QCOMPARE(harness.call("showModelIndex", {QVariant::fromValue(QModelIndex())}).toInt(), -1);
}

void tst_TreeViewMirror::resetCollapsesEveryBranch()
{
    TestTreeModel model;
    model.rebuild(3, 2, 2);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewWithModels(1), {{"m0", QVariant::fromValue<QObject *>(&model)}}));
    QSignalSpy finished(harness.view(), SIGNAL(resetFinished()));
    QVERIFY(harness.call("openItemAt", {0}).toBool());
    QCOMPARE(harness.rowCount(), 5);
    model.rebuild(3, 2, 2);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(harness.rowCount(), 3);
}

void tst_TreeViewMirror::sortKeepsOpenBranchesWithTheirRows()
{
    QStandardItemModel model;
    for (const char *name : {"delta", "alpha", "charlie", "bravo"}) {
        auto *row = new QStandardItem(QString::fromLatin1(name));
        for (int c = 0; c < 2; ++c)
            row->appendRow(new QStandardItem(QStringLiteral("%1-%2").arg(name).arg(c)));
        model.appendRow(row);
    }
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewWithModels(1), {{"m0", QVariant::fromValue<QObject *>(&model)}}));
    QVERIFY(harness.call("openItemAt", {2}).toBool()); // charlie
    model.sort(0);
    QCOMPARE(harness.rowCount(), 6);
    QStringList shown;
    for (int row = 0; row < harness.rowCount(); ++row)
        shown << harness.call("data", {row, "display"}).toString();
    QCOMPARE(shown, QStringList({"alpha", "bravo", "charlie", "charlie-0", "charlie-1", "delta"}));
}

void tst_TreeViewMirror::sortFilterProxyOverATree()
{
    QStandardItemModel source;
    for (int r = 0; r < 4; ++r) {
        auto *row = new QStandardItem(QStringLiteral("top%1").arg(r));
        for (int c = 0; c < 3; ++c)
            row->appendRow(new QStandardItem(QStringLiteral("child%1%2").arg(r).arg(c)));
        source.appendRow(row);
    }
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&source);
    proxy.setRecursiveFilteringEnabled(true);
    TreeViewHarness harness(*m_host);
    QVERIFY(harness.show(viewWithModels(1), {{"m0", QVariant::fromValue<QObject *>(&proxy)}}));
    QVERIFY(harness.call("openItemAt", {1}).toBool());
    QCOMPARE(harness.rowCount(), 7);
    proxy.setFilterFixedString(QStringLiteral("child1"));
    QCOMPARE(harness.rowCount(), 4); // top1, still open, and its three children
    QCOMPARE(harness.call("data", {0, "display"}).toString(), QStringLiteral("top1"));
    QCOMPARE(harness.call("data", {3, "display"}).toString(), QStringLiteral("child12"));
    proxy.setFilterFixedString(QString());
    proxy.sort(0, Qt::DescendingOrder);
    QCOMPARE(harness.call("data", {0, "display"}).toString(), QStringLiteral("top3"));
    const int top1 = harness.call("getIndex", {QVariant::fromValue(proxy.index(2, 0))}).toInt();
    QCOMPARE(harness.call("data", {top1, "display"}).toString(), QStringLiteral("top1"));
    QCOMPARE(harness.call("numChildren", {top1}).toInt(), 3);
    QCOMPARE(harness.rowCount(), 7); // top1 stayed open through the filter and the sort
}

void tst_TreeViewMirror::deepChainOnASmallStack()
{
    // The same test again in a child process whose stack is limited to 1 MiB.
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORB_TREE_SMALL_STACK"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("ulimit -s 1024 && exec \"$0\" deepChainInThisProcess"),
                 QCoreApplication::applicationFilePath()});
    QVERIFY(child.waitForFinished(90000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
}

void tst_TreeViewMirror::deepChainInThisProcess()
{
    if (qEnvironmentVariableIsEmpty("ORB_TREE_SMALL_STACK"))
        QSKIP("run by deepChainOnASmallStack with a 1 MiB stack");
    const int depth = 10000;
    auto model = std::make_unique<TestTreeModel>();
    model->makeChain(depth);
    auto harness = std::make_unique<TreeViewHarness>(*m_host);
    QVERIFY(
        harness->show(viewWithModels(1), {{"m0", QVariant::fromValue<QObject *>(model.get())}}));
    QCOMPARE(harness->rowCount(), 1);
    const int deepest
        = harness->call("showModelIndex", {QVariant::fromValue(model->deepest())}).toInt();
    QCOMPARE(deepest, depth - 1);
    QCOMPARE(harness->call("level", {deepest}).toInt(), depth - 1);
    QVERIFY(harness->call("closeItemAt", {0}).toBool());
    QCOMPARE(harness->rowCount(), 1);
    QVERIFY(harness->call("openItemAt", {0}).toBool());
    QCOMPARE(harness->rowCount(), depth);
    harness->view()->setProperty("contentY", 20000.0);
    harness->settle();
    const QModelIndex middle = harness->modelIndexAt(depth / 2);
    model->remove(middle, 0, 1);
    QCOMPARE(harness->rowCount(), depth / 2 + 1);
    harness.reset();
    model.reset();
}

QTEST_MAIN(tst_TreeViewMirror)
#include "tst_treeview_mirror.moc"
