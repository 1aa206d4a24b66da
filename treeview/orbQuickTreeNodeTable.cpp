#include "orbQuickTreeNodeTable.h"

#include "orbQuickTreeItem.h"

#include <QtCore/QHash>

namespace {

constexpr int MinimumBits = 4;

} // namespace

size_t orbQuickTreeNodeTable::homeOf(const QPersistentModelIndex &index) const
{
    // The index hashes its shared data's address, whose low bits are all
    // alike: spread them before keeping the top bits.
    const quint64 spread = quint64(qHash(index)) * 0x9E3779B97F4A7C15ull;
    return size_t(spread >> (64 - m_bits));
}

orbQuickTreeItem *orbQuickTreeNodeTable::find(const QPersistentModelIndex &index) const
{
    if (m_count == 0 || !index.isValid())
        return nullptr;
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = homeOf(index);; slot = (slot + 1) & mask) {
        orbQuickTreeItem *node = m_slots[slot];
        if (!node || node->index() == index)
            return node;
    }
}

size_t orbQuickTreeNodeTable::slotOf(const orbQuickTreeItem *node) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = homeOf(node->index());; slot = (slot + 1) & mask) {
        if (!m_slots[slot] || m_slots[slot] == node)
            return slot;
    }
}

bool orbQuickTreeNodeTable::insert(orbQuickTreeItem *node)
{
    // At most three quarters full, so that every probe ends at an empty slot soon.
    if ((m_count + 1) * 4 > m_slots.size() * 3)
        resize(m_slots.empty() ? size_t(1) << MinimumBits : m_slots.size() * 2);
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = homeOf(node->index());; slot = (slot + 1) & mask) {
        orbQuickTreeItem *&entry = m_slots[slot];
        if (!entry) {
            entry = node;
            ++m_count;
            return true;
        }
        if (entry == node || entry->index() == node->index())
            return false;
    }
}

bool orbQuickTreeNodeTable::remove(const orbQuickTreeItem *node)
{
    if (m_count == 0 || !node)
        return false;
    const size_t mask = m_slots.size() - 1;
    size_t hole = slotOf(node);
    if (!m_slots[hole])
        return false;
    m_slots[hole] = nullptr;
    --m_count;
    // Pull later entries of the same run back over the hole, so that no
    // search stops early at it.
    for (size_t slot = (hole + 1) & mask; m_slots[slot]; slot = (slot + 1) & mask) {
        const size_t home = homeOf(m_slots[slot]->index());
        const bool homeBeforeHole = ((slot - home) & mask) >= ((slot - hole) & mask);
        if (homeBeforeHole) {
            m_slots[hole] = m_slots[slot];
            m_slots[slot] = nullptr;
            hole = slot;
        }
    }
    return true;
}

void orbQuickTreeNodeTable::clear()
{
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_count = 0;
    m_bits = 0;
}

void orbQuickTreeNodeTable::resize(size_t slotCount)
{
    std::vector<orbQuickTreeItem *> old;
    old.swap(m_slots);
    m_slots.assign(slotCount, nullptr);
    m_bits = 0;
    while ((size_t(1) << m_bits) < slotCount)
        ++m_bits;
    const size_t mask = slotCount - 1;
    for (orbQuickTreeItem *node : old) {
        if (!node)
            continue;
        size_t slot = homeOf(node->index());
        while (m_slots[slot])
            slot = (slot + 1) & mask;
        m_slots[slot] = node;
    }
}
