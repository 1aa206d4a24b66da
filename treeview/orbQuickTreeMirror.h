#pragma once

#include "orbQuickTreeItem.h"
#include "orbQuickTreeNodeTable.h"

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QPersistentModelIndex>
#include <QtCore/QSet>

#include <memory>
#include <vector>

class QAbstractItemModel;
class orbQuickTreeViewModelItem;

// The tree view's copy of the structure of its models: one node per loaded
// model row below an invisible top node, an index-to-node table kept in step
// with it, and the flattened list of shown rows with their positions.
// Top-level rows of each model item form one block below the top node, the
// blocks in the order of the model items. GUI thread only.
class orbQuickTreeMirror
{
public:
    struct Settings
    {
        bool hideRoot = false;
        double itemHeight = 20.0;
        double rootItemHeight = 20.0;
    };

    orbQuickTreeMirror();
    ~orbQuickTreeMirror();

    void setModelItems(const QList<orbQuickTreeViewModelItem *> &items) { m_items = items; }
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    QSet<QPersistentModelIndex> &expanded() { return m_expanded; }
    void dropInvalidExpanded();

    orbQuickTreeItem *top() const { return m_top.get(); }
    orbQuickTreeItem *node(const QModelIndex &index) const;
    orbQuickTreeViewModelItem *modelItemOf(const QModelIndex &index) const;
    bool hidesRoot(const orbQuickTreeViewModelItem *item) const;

    // Structure.
    void clear();
    void build();
    void addItemBranches(orbQuickTreeViewModelItem *item);
    void removeItemBranches(const orbQuickTreeViewModelItem *item);
    bool addBranch(orbQuickTreeViewModelItem *item, const QModelIndex &index,
                   orbQuickTreeItem *parentNode, int position);
    void removeSubtree(orbQuickTreeItem *node);
    // Model notifications, after range checks; false when the mirror had to be rebuilt.
    void addRows(QAbstractItemModel *model, const QModelIndex &parent, int first, int last);
    void removeRows(QAbstractItemModel *model, const QModelIndex &parent, int first, int last);
    bool moveRows(QAbstractItemModel *model, const QModelIndex &sourceParent, int first, int last,
                  const QModelIndex &destinationParent, int destinationRow);
    // Drops the nodes of the model items of model, or of items whose model is gone.
    void removeModelBranches(const QAbstractItemModel *model);
    void addModelBranches(const QAbstractItemModel *model);

    // Shown rows. Rows are numbered lazily: a node's row and y are only
    // trusted for nodes reached through nodeAt() or rowOfNode().
    int rowCount() const { return int(m_rows.size()); }
    orbQuickTreeItem *nodeAt(int row) const;
    int rowOf(const QModelIndex &index) const;
    // The node's row, -1 when it is not shown.
    int rowOfNode(const orbQuickTreeItem *node) const;
    void reflatten();
    bool open(orbQuickTreeItem *node);
    bool close(orbQuickTreeItem *node);
    int rowAt(double y) const;
    double contentHeight() const;

private:
    struct Container
    {
        orbQuickTreeItem *node = nullptr;
        orbQuickTreeViewModelItem *item = nullptr;
        int offset = 0;
    };

    orbQuickTreeItem *createNode(orbQuickTreeViewModelItem *item, const QModelIndex &index,
                                 orbQuickTreeItem *parentNode, int position);
    void addChildrenOf(orbQuickTreeItem *node);
    orbQuickTreeItem *placeBelow(orbQuickTreeItem *node);
    int childLevel(const orbQuickTreeItem *parentNode, const orbQuickTreeViewModelItem *item,
                   const QModelIndex &index) const;
    Container containerOf(const QAbstractItemModel *model, const QModelIndex &parent) const;
    int blockStart(const orbQuickTreeViewModelItem *item) const;
    int itemOrder(const orbQuickTreeViewModelItem *item) const;
    void forget(const std::vector<orbQuickTreeItem *> &nodes);
    void numberThrough(int row) const;
    void markStale(int from);
    static double heightOf(const std::vector<orbQuickTreeItem *> &nodes);

    Settings m_settings;
    QList<orbQuickTreeViewModelItem *> m_items;
    QSet<QPersistentModelIndex> m_expanded;
    std::unique_ptr<orbQuickTreeItem> m_top;
    orbQuickTreeNodeTable m_nodes;
    std::vector<orbQuickTreeItem *> m_rows;
    // Rows before this one carry their true row and y; later ones are renumbered on demand.
    mutable size_t m_numbered = 0;
    double m_contentHeight = 0.0;
};
