#include "TestTreeModel.h"

#include <algorithm>

struct TestTreeModel::Node
{
    Node *parent = nullptr;
    std::vector<Node *> children;
    int key = 0;
    QString name;
    int lazyChildren = 0;

    int row() const
    {
        const auto &siblings = parent->children;
        return int(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
    }
};

TestTreeModel::TestTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{
    m_top = makeNode(nullptr);
}

TestTreeModel::~TestTreeModel() = default;

TestTreeModel::Node *TestTreeModel::makeNode(Node *parent)
{
    m_store.push_back(std::make_unique<Node>());
    Node *node = m_store.back().get();
    node->parent = parent;
    node->key = m_nextKey++;
    node->name = QStringLiteral("n%1").arg(node->key);
    return node;
}

TestTreeModel::Node *TestTreeModel::nodeOf(const QModelIndex &index) const
{
    return index.isValid() ? static_cast<Node *>(index.internalPointer()) : m_top;
}

QModelIndex TestTreeModel::indexOf(Node *node, int column) const
{
    if (node == m_top)
        return {};
    return createIndex(node->row(), column, node);
}

QModelIndex TestTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    const Node *node = nodeOf(parent);
    if (row < 0 || column < 0 || column > 1 || row >= int(node->children.size()))
        return {};
    if (row == invalidIndexRow)
        return {};
    return createIndex(row, column, node->children[size_t(row)]);
}

QModelIndex TestTreeModel::parent(const QModelIndex &child) const
{
    if (!child.isValid())
        return {};
    return indexOf(nodeOf(child)->parent);
}

int TestTreeModel::rowCount(const QModelIndex &parent) const
{
    if (parent.column() > 0)
        return 0;
    return int(nodeOf(parent)->children.size());
}

int TestTreeModel::columnCount(const QModelIndex &) const
{
    return 2;
}

QVariant TestTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Node *node = nodeOf(index);
    if (role == Qt::DisplayRole)
        return index.column() == 0 ? node->name : QStringLiteral("c1:") + node->name;
    if (role == KeyRole)
        return node->key;
    return {};
}

bool TestTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return false;
    nodeOf(index)->name = value.toString();
    emit dataChanged(index, index, {Qt::DisplayRole});
    return true;
}

QHash<int, QByteArray> TestTreeModel::roleNames() const
{
    return {{Qt::DisplayRole, "display"}, {KeyRole, "key"}};
}

bool TestTreeModel::hasChildren(const QModelIndex &parent) const
{
    const Node *node = nodeOf(parent);
    return !node->children.empty() || node->lazyChildren > 0
        || (childlessHasChildren && parent.isValid());
}

bool TestTreeModel::canFetchMore(const QModelIndex &parent) const
{
    return nodeOf(parent)->lazyChildren > 0;
}

void TestTreeModel::fetchMore(const QModelIndex &parent)
{
    Node *node = nodeOf(parent);
    if (node->lazyChildren <= 0 || !fetchInsertsSynchronously)
        return;
    ++fetchCount;
    const int count = node->lazyChildren;
    node->lazyChildren = 0;
    insert(parent, int(node->children.size()), count);
}

void TestTreeModel::setLazyChildren(const QModelIndex &parent, int count)
{
    nodeOf(parent)->lazyChildren = count;
}

bool TestTreeModel::moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                             const QModelIndex &destinationParent, int destinationChild)
{
    Node *from = nodeOf(sourceParent);
    Node *to = nodeOf(destinationParent);
    if (count <= 0 || sourceRow < 0 || sourceRow + count > int(from->children.size())
        || destinationChild < 0 || destinationChild > int(to->children.size()))
        return false;
    for (Node *up = to; up; up = up->parent) {
        for (int row = sourceRow; row < sourceRow + count; ++row) {
            if (up == from->children[size_t(row)])
                return false; // into its own subtree
        }
    }
    if (!beginMoveRows(sourceParent, sourceRow, sourceRow + count - 1, destinationParent,
                       destinationChild))
        return false;
    std::vector<Node *> moving(from->children.begin() + sourceRow,
                               from->children.begin() + sourceRow + count);
    from->children.erase(from->children.begin() + sourceRow,
                         from->children.begin() + sourceRow + count);
    int at = destinationChild;
    if (from == to && destinationChild > sourceRow)
        at -= count;
    to->children.insert(to->children.begin() + at, moving.begin(), moving.end());
    for (Node *node : moving)
        node->parent = to;
    endMoveRows();
    return true;
}

void TestTreeModel::addChildren(Node *parent, int childrenEach, int depth)
{
    if (depth <= 0)
        return;
    for (int i = 0; i < childrenEach; ++i) {
        Node *child = makeNode(parent);
        parent->children.push_back(child);
        addChildren(child, childrenEach, depth - 1);
    }
}

void TestTreeModel::insert(const QModelIndex &parent, int row, int count, int childrenEach)
{
    Node *node = nodeOf(parent);
    beginInsertRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i) {
        Node *child = makeNode(node);
        node->children.insert(node->children.begin() + row + i, child);
        addChildren(child, childrenEach, 1);
    }
    endInsertRows();
}

void TestTreeModel::remove(const QModelIndex &parent, int row, int count)
{
    Node *node = nodeOf(parent);
    beginRemoveRows(parent, row, row + count - 1);
    node->children.erase(node->children.begin() + row, node->children.begin() + row + count);
    endRemoveRows();
}

void TestTreeModel::reorder(const QModelIndex &parent, int rotation, bool updatePersistentIndexes)
{
    Node *node = nodeOf(parent);
    const int count = int(node->children.size());
    if (count < 2)
        return;
    emit layoutAboutToBeChanged({QPersistentModelIndex(parent)},
                                QAbstractItemModel::VerticalSortHint);
    QModelIndexList before;
    for (int column = 0; column < 2; ++column) {
        for (Node *child : node->children)
            before.append(indexOf(child, column));
    }
    if (rotation == 0)
        std::reverse(node->children.begin(), node->children.end());
    else
        std::rotate(node->children.begin(), node->children.begin() + rotation % count,
                    node->children.end());
    if (updatePersistentIndexes) {
        QModelIndexList after;
        for (const QModelIndex &old : before)
            after.append(indexOf(nodeOf(old), old.column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({QPersistentModelIndex(parent)}, QAbstractItemModel::VerticalSortHint);
}

void TestTreeModel::rebuild(int topRows, int childrenEach, int depth)
{
    beginResetModel();
    m_top->children.clear();
    for (int i = 0; i < topRows; ++i) {
        Node *child = makeNode(m_top);
        m_top->children.push_back(child);
        addChildren(child, childrenEach, depth - 1);
    }
    endResetModel();
}

void TestTreeModel::makeChain(int depth)
{
    beginResetModel();
    m_top->children.clear();
    Node *parent = m_top;
    for (int level = 0; level < depth; ++level) {
        Node *child = makeNode(parent);
        parent->children.push_back(child);
        parent = child;
    }
    endResetModel();
}

QModelIndex TestTreeModel::deepest() const
{
    Node *node = m_top;
    while (!node->children.empty())
        node = node->children.front();
    return indexOf(node);
}

void TestTreeModel::removeSilently(const QModelIndex &parent, int row, int count)
{
    Node *node = nodeOf(parent);
    node->children.erase(node->children.begin() + row, node->children.begin() + row + count);
}
