#include "orbQuickTreeDelegatePool.h"

#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>

#include <algorithm>

orbQuickTreeDelegatePool::~orbQuickTreeDelegatePool()
{
    discardAll();
}

QQuickItem *orbQuickTreeDelegatePool::itemAt(int row) const
{
    // Rows without a delegate item leave gaps: search instead of indexing.
    const auto found
        = std::lower_bound(m_shown.begin(), m_shown.end(), row,
                           [](const Shown &shown, int value) { return shown.row < value; });
    if (found == m_shown.end() || found->row != row)
        return nullptr;
    return found->item;
}

int orbQuickTreeDelegatePool::size() const
{
    size_t count = m_shown.size();
    for (const auto &released : m_released)
        count += released.size();
    return int(count);
}

void orbQuickTreeDelegatePool::prepend(QQuickItem *item, const orbQuickTreeViewModelItem *modelItem,
                                       int row)
{
    m_shown.push_front({item, modelItem, row});
}

void orbQuickTreeDelegatePool::append(QQuickItem *item, const orbQuickTreeViewModelItem *modelItem,
                                      int row)
{
    m_shown.push_back({item, modelItem, row});
}

QQuickItem *orbQuickTreeDelegatePool::takeReleased(const orbQuickTreeViewModelItem *modelItem)
{
    auto found = m_released.find(modelItem);
    if (found == m_released.end())
        return nullptr;
    while (!found->empty()) {
        QPointer<QQuickItem> item = found->back();
        found->pop_back();
        if (item)
            return item;
    }
    return nullptr;
}

void orbQuickTreeDelegatePool::release(const Shown &shown)
{
    if (!shown.item)
        return;
    shown.item->setVisible(false);
    m_released[shown.modelItem].push_back(shown.item);
}

void orbQuickTreeDelegatePool::releaseOutside(int first, int last)
{
    while (!m_shown.empty() && (m_shown.front().row < first || m_shown.front().row > last)) {
        release(m_shown.front());
        m_shown.pop_front();
    }
    while (!m_shown.empty() && (m_shown.back().row > last || m_shown.back().row < first)) {
        release(m_shown.back());
        m_shown.pop_back();
    }
}

void orbQuickTreeDelegatePool::releaseAll()
{
    // Last row first: taken back last-in first-out, each row that is still
    // there gets the item that showed it and little to rewrite.
    for (auto it = m_shown.crbegin(); it != m_shown.crend(); ++it)
        release(*it);
    m_shown.clear();
}

void orbQuickTreeDelegatePool::releaseFrom(int row)
{
    // From the last row back, as releaseAll does.
    while (!m_shown.empty() && m_shown.back().row >= row) {
        release(m_shown.back());
        m_shown.pop_back();
    }
}

void orbQuickTreeDelegatePool::discardAll()
{
    for (const Shown &shown : m_shown)
        discard(shown.item);
    m_shown.clear();
    for (const auto &released : qAsConst(m_released)) {
        for (QQuickItem *item : released)
            discard(item);
    }
    m_released.clear();
}

void orbQuickTreeDelegatePool::discardReleased(const orbQuickTreeViewModelItem *modelItem)
{
    const auto released = m_released.take(modelItem);
    for (QQuickItem *item : released)
        discard(item);
}

void orbQuickTreeDelegatePool::discard(QQuickItem *item)
{
    if (!item)
        return;
    item->setVisible(false);
    item->setParentItem(nullptr);
    item->deleteLater();
}

void orbQuickTreeDelegatePool::writeProperty(QQuickItem *item, const QString &name,
                                             const QVariant &value)
{
    const QQmlContext *own = QQmlEngine::contextForObject(item);
    QQmlContext *properties = own ? own->parentContext() : nullptr;
    if (!properties)
        return;
    // An unchanged value is not written: writing re-runs every binding reading it.
    const QVariant old = properties->contextProperty(name);
    if (old.userType() != value.userType() || old != value)
        properties->setContextProperty(name, value);
}

void orbQuickTreeDelegatePool::writeProperties(QQuickItem *item, const QVariantMap &properties)
{
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        writeProperty(item, it.key(), it.value());
}
