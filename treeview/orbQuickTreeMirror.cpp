#include "orbQuickTreeMirror.h"

#include "TreeViewLog.h"
#include "orbQuickTreeViewModelItem.h"

#include <QtCore/QAbstractItemModel>
#include <QtCore/QDebug>

#include <algorithm>

orbQuickTreeMirror::orbQuickTreeMirror()
    : m_top(std::make_unique<orbQuickTreeItem>(nullptr, nullptr, QModelIndex()))
{
}

orbQuickTreeMirror::~orbQuickTreeMirror() = default;

void orbQuickTreeMirror::dropInvalidExpanded()
{
    for (auto it = m_expanded.begin(); it != m_expanded.end();) {
        if (it->isValid())
            ++it;
        else
            it = m_expanded.erase(it);
    }
}

orbQuickTreeItem *orbQuickTreeMirror::node(const QModelIndex &index) const
{
    if (!index.isValid())
        return nullptr;
    return m_nodes.find(QPersistentModelIndex(index));
}

bool orbQuickTreeMirror::hidesRoot(const orbQuickTreeViewModelItem *item) const
{
    return m_settings.hideRoot || (item && item->hideRoot());
}

int orbQuickTreeMirror::itemOrder(const orbQuickTreeViewModelItem *item) const
{
    return m_items.indexOf(const_cast<orbQuickTreeViewModelItem *>(item));
}

orbQuickTreeViewModelItem *orbQuickTreeMirror::modelItemOf(const QModelIndex &index) const
{
    if (m_items.size() == 1)
        return m_items.first();
    if (!index.isValid())
        return nullptr;
    if (const orbQuickTreeItem *mirrored = node(index))
        return mirrored->modelItem();
    for (orbQuickTreeViewModelItem *item : m_items) {
        if (item->model() != index.model())
            continue;
        const QModelIndex root = item->root();
        for (QModelIndex up = index;; up = up.parent()) {
            if (up == root)
                return item;
            if (!up.isValid())
                break;
        }
    }
    return nullptr;
}

void orbQuickTreeMirror::clear()
{
    m_rows.clear();
    m_numbered = 0;
    m_contentHeight = 0.0;
    m_nodes.clear();
    for (orbQuickTreeItem *node : m_top->takeChildren())
        delete node;
}

void orbQuickTreeMirror::build()
{
    clear();
    for (orbQuickTreeViewModelItem *item : qAsConst(m_items))
        addItemBranches(item);
}

void orbQuickTreeMirror::addItemBranches(orbQuickTreeViewModelItem *item)
{
    QAbstractItemModel *model = item->model();
    if (!model)
        return;
    int position = blockStart(item);
    const QModelIndex root = item->root();
    if (root.isValid()) {
        if (root.model() != model)
            return;
        if (model->hasChildren(root) && model->canFetchMore(root))
            model->fetchMore(root);
        addBranch(item, root, m_top.get(), position);
        return;
    }
    const int rows = model->rowCount();
    for (int row = 0; row < rows; ++row) {
        if (addBranch(item, model->index(row, 0), m_top.get(), position))
            ++position;
    }
}

void orbQuickTreeMirror::removeItemBranches(const orbQuickTreeViewModelItem *item)
{
    std::vector<orbQuickTreeItem *> own;
    for (orbQuickTreeItem *node : m_top->children()) {
        if (node->modelItem() == item)
            own.push_back(node);
    }
    for (orbQuickTreeItem *node : own)
        removeSubtree(node);
}

void orbQuickTreeMirror::removeModelBranches(const QAbstractItemModel *model)
{
    std::vector<orbQuickTreeItem *> own;
    for (orbQuickTreeItem *node : m_top->children()) {
        const QAbstractItemModel *nodeModel
            = node->modelItem() ? node->modelItem()->model() : nullptr;
        if (!nodeModel || nodeModel == model)
            own.push_back(node);
    }
    for (orbQuickTreeItem *node : own)
        removeSubtree(node);
}

void orbQuickTreeMirror::addModelBranches(const QAbstractItemModel *model)
{
    for (orbQuickTreeViewModelItem *item : qAsConst(m_items)) {
        if (item->model() == model)
            addItemBranches(item);
    }
}

bool orbQuickTreeMirror::addBranch(orbQuickTreeViewModelItem *item, const QModelIndex &index,
                                   orbQuickTreeItem *parentNode, int position)
{
    if (!index.isValid() || !item || !item->model() || !parentNode)
        return false;
    orbQuickTreeItem *node = createNode(item, index, parentNode, position);
    if (!node)
        return false;
    addChildrenOf(node);
    return true;
}

orbQuickTreeItem *orbQuickTreeMirror::createNode(orbQuickTreeViewModelItem *item,
                                                 const QModelIndex &index,
                                                 orbQuickTreeItem *parentNode, int position)
{
    auto node = std::make_unique<orbQuickTreeItem>(parentNode, item, index);
    // One node per index: the table could not tell two apart.
    const bool listed = node->index().isValid() && m_nodes.insert(node.get());
    if (node->index().isValid() && !listed) {
        qWarning("failed to addbranch");
        return nullptr;
    }
    if (!parentNode->adoptChild(position < 0 ? parentNode->childCount() : position, node.get())) {
        qWarning("failed to addbranch");
        m_nodes.remove(node.get());
        return nullptr;
    }
    return placeBelow(node.release());
}

void orbQuickTreeMirror::addChildrenOf(orbQuickTreeItem *start)
{
    std::vector<orbQuickTreeItem *> pending{start};
    while (!pending.empty()) {
        orbQuickTreeItem *node = pending.back();
        pending.pop_back();
        const QModelIndex index = node->index();
        const QAbstractItemModel *model = index.model();
        const int rows = model->rowCount(index);
        for (int row = 0; row < rows; ++row) {
            const QModelIndex childIndex = model->index(row, 0, index);
            if (!childIndex.isValid()) {
                qCWarning(lcTreeView) << "orbQuickTreeView: skipped row" << row << "of" << index
                                      << "the model gives no index for it";
                continue;
            }
            if (orbQuickTreeItem *child = createNode(node->modelItem(), childIndex, node, -1))
                pending.push_back(child);
        }
    }
}

orbQuickTreeItem *orbQuickTreeMirror::placeBelow(orbQuickTreeItem *node)
{
    const orbQuickTreeViewModelItem *item = node->modelItem();
    const QPersistentModelIndex &index = node->index();
    const QModelIndex root = item->root();
    const bool hiddenRoot = hidesRoot(item) && root.isValid() && root == index;
    node->setCollapsed(!hiddenRoot && !m_expanded.contains(index));
    node->setLevel(childLevel(node->parent(), item, index));
    node->setHeight(node->level() > 0 ? m_settings.itemHeight : m_settings.rootItemHeight);
    return node;
}

int orbQuickTreeMirror::childLevel(const orbQuickTreeItem *parentNode,
                                   const orbQuickTreeViewModelItem *item,
                                   const QModelIndex &index) const
{
    if (!parentNode || !parentNode->index().isValid())
        return 0;
    const QModelIndex root = item->root();
    if (parentNode->index() == root && hidesRoot(item))
        return 0;
    if (!index.isValid() || index == root)
        return 0;
    return parentNode->level() + 1;
}

void orbQuickTreeMirror::removeSubtree(orbQuickTreeItem *node)
{
    if (orbQuickTreeItem *parent = node->parent())
        parent->removeChild(node);
    std::vector<orbQuickTreeItem *> subtree;
    node->visit([&](orbQuickTreeItem *each) {
        subtree.push_back(each);
        return true;
    });
    forget(subtree);
    delete node;
}

void orbQuickTreeMirror::forget(const std::vector<orbQuickTreeItem *> &nodes)
{
    // Found by their own index even when the model has made it invalid.
    for (const orbQuickTreeItem *node : nodes)
        m_nodes.remove(node);
}

int orbQuickTreeMirror::blockStart(const orbQuickTreeViewModelItem *item) const
{
    const int order = itemOrder(item);
    int start = 0;
    for (const orbQuickTreeItem *node : m_top->children()) {
        if (itemOrder(node->modelItem()) >= order)
            break;
        ++start;
    }
    return start;
}

orbQuickTreeMirror::Container orbQuickTreeMirror::containerOf(const QAbstractItemModel *model,
                                                              const QModelIndex &parent) const
{
    if (parent.isValid()) {
        orbQuickTreeItem *parentNode = node(parent);
        if (!parentNode)
            return {};
        return {parentNode, parentNode->modelItem(), 0};
    }
    for (orbQuickTreeViewModelItem *item : m_items) {
        if (item->model() == model && !item->root().isValid())
            return {m_top.get(), item, blockStart(item)};
    }
    return {};
}

void orbQuickTreeMirror::addRows(QAbstractItemModel *model, const QModelIndex &parent, int first,
                                 int last)
{
    const Container container = containerOf(model, parent);
    if (!container.node)
        return; // outside every mirrored branch
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (!index.isValid()) {
            qCWarning(lcTreeView) << "orbQuickTreeView: skipped inserted row" << row << "of"
                                  << parent << "the model gives no index for it";
            continue;
        }
        addBranch(container.item, index, container.node, container.offset + row);
    }
}

void orbQuickTreeMirror::removeRows(QAbstractItemModel *model, const QModelIndex &parent, int first,
                                    int last)
{
    for (int row = first; row <= last; ++row) {
        if (orbQuickTreeItem *gone = node(model->index(row, 0, parent)))
            removeSubtree(gone);
    }
}

bool orbQuickTreeMirror::moveRows(QAbstractItemModel *model, const QModelIndex &sourceParent,
                                  int first, int last, const QModelIndex &destinationParent,
                                  int destinationRow)
{
    const Container source = containerOf(model, sourceParent);
    const Container destination = containerOf(model, destinationParent);
    const int count = last - first + 1;
    const bool sameParent = source.node && source.node == destination.node;
    // Where the first moved row is now in the destination parent.
    const int landing
        = sameParent && destinationRow > last ? destinationRow - count : destinationRow;
    if (!source.node) {
        addRows(model, destinationParent, landing, landing + count - 1);
        return true;
    }

    std::vector<orbQuickTreeItem *> moving;
    for (int row = first; row <= last; ++row) {
        orbQuickTreeItem *moved = source.node->child(source.offset + row);
        // The persistent indexes already point at the new places: they tell
        // whether the nodes taken by position are the rows that moved.
        if (!moved || moved->index().parent() != destinationParent
            || moved->index().row() != landing + row - first)
            return false;
        moving.push_back(moved);
    }
    if (!destination.node) {
        for (orbQuickTreeItem *moved : moving)
            removeSubtree(moved);
        return true;
    }
    for (orbQuickTreeItem *moved : moving)
        source.node->removeChild(moved);
    const int offset = destination.node == m_top.get() ? blockStart(destination.item) : 0;
    int position = offset + landing;
    for (orbQuickTreeItem *moved : moving) {
        destination.node->adoptChild(position++, moved);
        moved->setParent(destination.node);
        moved->visit([this](orbQuickTreeItem *each) {
            each->setLevel(childLevel(each->parent(), each->modelItem(), each->index()));
            each->setHeight(each->level() > 0 ? m_settings.itemHeight : m_settings.rootItemHeight);
            return true;
        });
    }
    return true;
}

orbQuickTreeItem *orbQuickTreeMirror::nodeAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return nullptr;
    numberThrough(row);
    return m_rows[size_t(row)];
}

int orbQuickTreeMirror::rowOf(const QModelIndex &index) const
{
    return rowOfNode(node(index));
}

int orbQuickTreeMirror::rowOfNode(const orbQuickTreeItem *node) const
{
    if (!node)
        return -1;
    const int row = node->row();
    if (row >= 0 && size_t(row) < m_numbered && m_rows[size_t(row)] == node)
        return row;
    // Not among the numbered rows: shown further down, or not shown at all.
    while (m_numbered < m_rows.size()) {
        numberThrough(int(m_numbered));
        if (m_rows[m_numbered - 1] == node)
            return int(m_numbered - 1);
    }
    return -1;
}

void orbQuickTreeMirror::reflatten()
{
    m_rows.clear();
    for (orbQuickTreeItem *branch : m_top->children()) {
        const orbQuickTreeViewModelItem *item = branch->modelItem();
        if (itemOrder(item) < 0)
            continue;
        const QModelIndex root = item->root();
        if (root.isValid() && branch->index() != root)
            continue;
        const std::vector<orbQuickTreeItem *> shown = branch->flatten();
        const size_t skip = root.isValid() && hidesRoot(item) && !shown.empty() ? 1 : 0;
        m_rows.insert(m_rows.end(), shown.begin() + long(skip), shown.end());
    }
    m_numbered = 0;
    numberThrough(rowCount() - 1);
    m_contentHeight = m_rows.empty() ? 0.0 : m_rows.back()->y() + m_rows.back()->height();
}

bool orbQuickTreeMirror::open(orbQuickTreeItem *node)
{
    if (!node->collapsed())
        return false; // its rows are listed already
    node->setCollapsed(false);
    const int row = rowOfNode(node);
    if (row < 0)
        return false;
    const std::vector<orbQuickTreeItem *> shown = node->flatten();
    m_rows.insert(m_rows.begin() + row + 1, shown.begin() + 1, shown.end());
    m_contentHeight += heightOf(shown) - node->height();
    markStale(row + 1);
    return true;
}

bool orbQuickTreeMirror::close(orbQuickTreeItem *node)
{
    const int row = rowOfNode(node);
    const size_t hidden = row >= 0 && !node->collapsed() ? node->flatten().size() - 1 : 0;
    node->setCollapsed(true);
    if (row < 0)
        return false;
    const auto first = m_rows.begin() + row + 1;
    const auto last = first + long(hidden);
    m_contentHeight -= heightOf(std::vector<orbQuickTreeItem *>(first, last));
    m_rows.erase(first, last);
    markStale(row + 1);
    return true;
}

double orbQuickTreeMirror::heightOf(const std::vector<orbQuickTreeItem *> &nodes)
{
    double sum = 0.0;
    for (const orbQuickTreeItem *node : nodes)
        sum += node->height();
    return sum;
}

void orbQuickTreeMirror::markStale(int from)
{
    m_numbered = std::min(m_numbered, size_t(std::max(0, from)));
    // With nothing left to renumber the sum is exact again.
    if (m_numbered == m_rows.size() && !m_rows.empty())
        m_contentHeight = m_rows.back()->y() + m_rows.back()->height();
    else if (m_rows.empty())
        m_contentHeight = 0.0;
}

void orbQuickTreeMirror::numberThrough(int last) const
{
    const size_t end = std::min(m_rows.size(), size_t(std::max(0, last + 1)));
    for (; m_numbered < end; ++m_numbered) {
        orbQuickTreeItem *node = m_rows[m_numbered];
        const orbQuickTreeItem *previous = m_numbered > 0 ? m_rows[m_numbered - 1] : nullptr;
        node->setRow(int(m_numbered));
        node->setY(previous ? previous->y() + previous->height() : 0.0);
    }
}

int orbQuickTreeMirror::rowAt(double y) const
{
    // Numbered just far enough to hold the first row starting below y.
    while (m_numbered < m_rows.size() && (m_numbered == 0 || m_rows[m_numbered - 1]->y() <= y))
        numberThrough(int(m_numbered));
    const auto numberedEnd = m_rows.begin() + long(m_numbered);
    const auto after = std::upper_bound(
        m_rows.begin(), numberedEnd, y,
        [](double value, const orbQuickTreeItem *node) { return value < node->y(); });
    return std::max(0, int(after - m_rows.begin()) - 1);
}

double orbQuickTreeMirror::contentHeight() const
{
    return m_rows.empty() ? 0.0 : m_contentHeight;
}
