#pragma once

#include <QtCore/QPersistentModelIndex>
#include <QtCore/QString>
#include <QtCore/QVariant>
#include <QtCore/QVariantMap>

#include <functional>
#include <vector>

class orbQuickTreeViewModelItem;

// One node of a tree view's mirror of its models: one mirrored model row
// (column 0), with the expansion state and the geometry the view lays out.
// Owns its children. Every walk over a subtree is iterative, so a chain of any
// depth is built, flattened and destroyed with a small stack. GUI thread only.
class orbQuickTreeItem
{
public:
    // Context property names every delegate item is given.
    static const QString IndexProperty;
    static const QString LevelProperty;
    static const QString HasChildrenProperty;
    static const QString IsExpandedProperty;
    static const QString IsExpandableProperty;
    static const QString ModelItemProperty;

    orbQuickTreeItem(orbQuickTreeItem *parent, orbQuickTreeViewModelItem *modelItem,
                     const QModelIndex &index);
    ~orbQuickTreeItem();

    orbQuickTreeItem(const orbQuickTreeItem &) = delete;
    orbQuickTreeItem &operator=(const orbQuickTreeItem &) = delete;

    int childCount() const { return int(m_children.size()); }
    orbQuickTreeItem *child(int position) const;
    int childPosition(const orbQuickTreeItem *child) const;
    bool appendChild(orbQuickTreeItem *child);
    bool insertChild(int position, orbQuickTreeItem *child);
    // Inserts without looking for a sibling with an equal index, for callers
    // that already know the index is not mirrored; false for an invalid index.
    bool adoptChild(int position, orbQuickTreeItem *child);
    bool removeChild(orbQuickTreeItem *child);
    // The target is the position before which the child lands.
    void moveChild(int from, int to);

    orbQuickTreeItem *find(const QModelIndex &index);
    QVariant data(int role) const;
    // Gives this node parentLevel + 1 and each descendant one more than its parent.
    void setLevelRecursive(int parentLevel);
    // This node when its index is valid, then, unless collapsed, every shown descendant.
    std::vector<orbQuickTreeItem *> flatten();
    // Visits this node and its descendants in pre-order; returning false skips a node's children.
    void visit(const std::function<bool(orbQuickTreeItem *)> &visitor);
    QString toString() const;
    // The context properties a delegate item showing this node is given.
    QVariantMap contextProperties() const;
    // One of them, by name; for a role name, the node's data for that role.
    QVariant contextProperty(const QString &name) const;

    orbQuickTreeItem *parent() const { return m_parent; }
    void setParent(orbQuickTreeItem *parent) { m_parent = parent; }
    orbQuickTreeViewModelItem *modelItem() const { return m_modelItem; }
    void setModelItem(orbQuickTreeViewModelItem *item) { m_modelItem = item; }
    const QPersistentModelIndex &index() const { return m_index; }
    void setIndex(const QModelIndex &index) { m_index = index; }
    bool collapsed() const { return m_collapsed; }
    void setCollapsed(bool collapsed) { m_collapsed = collapsed; }
    bool collapsable() const { return m_collapsable; }
    void setCollapsable(bool collapsable) { m_collapsable = collapsable; }
    int row() const { return m_row; }
    void setRow(int row) { m_row = row; }
    int level() const { return m_level; }
    // Levels reach 2^29 - 1, far deeper than any walk of a model would go.
    void setLevel(int level) { m_level = level; }
    double height() const { return m_height; }
    void setHeight(double height) { m_height = height; }
    double y() const { return m_y; }
    void setY(double y) { m_y = y; }

    const std::vector<orbQuickTreeItem *> &children() const { return m_children; }
    // Hands the children over to the caller without deleting them.
    std::vector<orbQuickTreeItem *> takeChildren();

private:
    std::vector<orbQuickTreeItem *> m_children;
    orbQuickTreeItem *m_parent = nullptr;
    orbQuickTreeViewModelItem *m_modelItem = nullptr;
    QPersistentModelIndex m_index;
    int m_row = -1;
    // A mirror holds one node per model row: the level shares its word with the flags.
    int m_level : 30;
    bool m_collapsed : 1;
    bool m_collapsable : 1;
    double m_height = 0;
    double m_y = 0;
};
