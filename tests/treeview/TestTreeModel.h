#pragma once

#include <QtCore/QAbstractItemModel>

#include <memory>
#include <vector>

// A tree model for the tests: rows with a name and a key, two columns,
// moves, reorderings with and without persistent-index updates, resets and
// children fetched lazily. Nodes live in one flat store and are never freed
// one by one, so any depth is built and destroyed without recursion.
class TestTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Roles { KeyRole = Qt::UserRole + 1 };

    explicit TestTreeModel(QObject *parent = nullptr);
    ~TestTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QHash<int, QByteArray> roleNames() const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;
    bool moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                  const QModelIndex &destinationParent, int destinationChild) override;

    // Inserts count rows, each with childrenEach children of its own.
    void insert(const QModelIndex &parent, int row, int count, int childrenEach = 0);
    void remove(const QModelIndex &parent, int row, int count);
    // Reverses or rotates the children of parent inside a layout change.
    void reorder(const QModelIndex &parent, int rotation, bool updatePersistentIndexes = true);
    // Replaces everything by a fresh tree of the given shape inside a reset.
    void rebuild(int topRows, int childrenEach, int depth);
    // Children that appear only when fetched; hasChildren says yes meanwhile.
    void setLazyChildren(const QModelIndex &parent, int count);
    // A chain of depth rows below the top, one child each.
    void makeChain(int depth);
    QModelIndex deepest() const;
    // A small fresh tree, for QML handlers.
    Q_INVOKABLE void resetTree() { rebuild(3, 2, 2); }
    // Drops rows without telling anyone (for notifications sent by hand).
    void removeSilently(const QModelIndex &parent, int row, int count);

    // Misbehaviours.
    bool fetchInsertsSynchronously = true;
    int invalidIndexRow = -1;          // index() gives an invalid index for this row
    bool childlessHasChildren = false; // hasChildren true where there are no rows

    int fetchCount = 0;

private:
    struct Node;
    Node *nodeOf(const QModelIndex &index) const;
    QModelIndex indexOf(Node *node, int column = 0) const;
    Node *makeNode(Node *parent);
    void addChildren(Node *parent, int childrenEach, int depth);

    std::vector<std::unique_ptr<Node>> m_store;
    Node *m_top;
    int m_nextKey = 0;
};
