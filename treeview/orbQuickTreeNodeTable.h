#pragma once

#include <QtCore/QPersistentModelIndex>

#include <cstddef>
#include <vector>

class orbQuickTreeItem;

// Finds a mirror's node by its model index. An open-addressing table of node
// pointers keyed by each node's own persistent index: one pointer per slot
// and no allocation per node, where a hash of index-pointer pairs costs a
// node and a bucket per entry. A persistent index keeps its identity when the
// model moves it or makes it invalid, so a node is always found again by
// itself, even after its row is gone. GUI thread only.
class orbQuickTreeNodeTable
{
public:
    orbQuickTreeItem *find(const QPersistentModelIndex &index) const;
    // False when a node with an equal index is listed already.
    bool insert(orbQuickTreeItem *node);
    // False when the node is not listed.
    bool remove(const orbQuickTreeItem *node);
    void clear();
    size_t size() const { return m_count; }

private:
    size_t homeOf(const QPersistentModelIndex &index) const;
    size_t slotOf(const orbQuickTreeItem *node) const;
    void resize(size_t slotCount);

    std::vector<orbQuickTreeItem *> m_slots;
    size_t m_count = 0;
    int m_bits = 0;
};
