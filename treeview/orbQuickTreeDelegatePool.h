#pragma once

#include <QtCore/QHash>
#include <QtCore/QPointer>
#include <QtCore/QVariantMap>
#include <QtQuick/QQuickItem>

#include <deque>
#include <vector>

class orbQuickTreeViewModelItem;

// The delegate items of a tree view: those showing rows, ordered by row, and
// those released for reuse, kept per model item and reused last-in first-out.
// Items are made elsewhere and handed in; discarded items are deleted later,
// never at once, because the discarding may run inside one of their own
// handlers. GUI thread only.
class orbQuickTreeDelegatePool
{
public:
    struct Shown
    {
        QPointer<QQuickItem> item;
        const orbQuickTreeViewModelItem *modelItem = nullptr;
        int row = -1;
    };

    orbQuickTreeDelegatePool() = default;
    ~orbQuickTreeDelegatePool();
    orbQuickTreeDelegatePool(const orbQuickTreeDelegatePool &) = delete;
    orbQuickTreeDelegatePool &operator=(const orbQuickTreeDelegatePool &) = delete;

    const std::deque<Shown> &shown() const { return m_shown; }
    bool isEmpty() const { return m_shown.empty(); }
    int firstRow() const { return m_shown.empty() ? -1 : m_shown.front().row; }
    int lastRow() const { return m_shown.empty() ? -1 : m_shown.back().row; }
    QQuickItem *itemAt(int row) const;
    int size() const;

    void prepend(QQuickItem *item, const orbQuickTreeViewModelItem *modelItem, int row);
    void append(QQuickItem *item, const orbQuickTreeViewModelItem *modelItem, int row);
    // The item last released for modelItem, or null.
    QQuickItem *takeReleased(const orbQuickTreeViewModelItem *modelItem);
    void releaseOutside(int first, int last);
    void releaseAll();
    // Releases the items of rows from row on.
    void releaseFrom(int row);
    void discardAll();
    void discardReleased(const orbQuickTreeViewModelItem *modelItem);

    // Context properties of a delegate live in the parent of the item's own context.
    static void writeProperty(QQuickItem *item, const QString &name, const QVariant &value);
    static void writeProperties(QQuickItem *item, const QVariantMap &properties);

private:
    void release(const Shown &shown);
    static void discard(QQuickItem *item);

    std::deque<Shown> m_shown;
    QHash<const orbQuickTreeViewModelItem *, std::vector<QPointer<QQuickItem>>> m_released;
};
