#include "orbQuickTreeItem.h"

#include "orbQuickTreeViewModelItem.h"

#include <QtCore/QAbstractItemModel>
#include <QtCore/QDebug>
#include <QtCore/QStringList>

#include <algorithm>

const QString orbQuickTreeItem::IndexProperty = QStringLiteral("ItemIndex");
const QString orbQuickTreeItem::LevelProperty = QStringLiteral("ItemLevel");
const QString orbQuickTreeItem::HasChildrenProperty = QStringLiteral("ItemHasChildren");
const QString orbQuickTreeItem::IsExpandedProperty = QStringLiteral("ItemIsExpanded");
const QString orbQuickTreeItem::IsExpandableProperty = QStringLiteral("ItemIsExpandable");
const QString orbQuickTreeItem::ModelItemProperty = QStringLiteral("ItemModelItem");

orbQuickTreeItem::orbQuickTreeItem(orbQuickTreeItem *parent, orbQuickTreeViewModelItem *modelItem,
                                   const QModelIndex &index)
    : m_parent(parent)
    , m_modelItem(modelItem)
    , m_index(index)
    , m_level(0)
    , m_collapsed(false)
    , m_collapsable(true)
{
    static_assert(sizeof(orbQuickTreeItem) <= 72, "a node outgrew its allocation size class");
}

orbQuickTreeItem::~orbQuickTreeItem()
{
    // Each node is emptied before it is deleted, so no destructor goes deeper than one level.
    std::vector<orbQuickTreeItem *> pending = takeChildren();
    while (!pending.empty()) {
        orbQuickTreeItem *node = pending.back();
        pending.pop_back();
        for (orbQuickTreeItem *child : node->m_children)
            pending.push_back(child);
        node->m_children.clear();
        delete node;
    }
}

std::vector<orbQuickTreeItem *> orbQuickTreeItem::takeChildren()
{
    std::vector<orbQuickTreeItem *> children;
    children.swap(m_children);
    return children;
}

orbQuickTreeItem *orbQuickTreeItem::child(int position) const
{
    if (position < 0 || position >= childCount())
        return nullptr;
    return m_children[size_t(position)];
}

int orbQuickTreeItem::childPosition(const orbQuickTreeItem *child) const
{
    const auto it = std::find(m_children.begin(), m_children.end(), child);
    return it == m_children.end() ? -1 : int(it - m_children.begin());
}

bool orbQuickTreeItem::appendChild(orbQuickTreeItem *child)
{
    return insertChild(childCount(), child);
}

bool orbQuickTreeItem::insertChild(int position, orbQuickTreeItem *child)
{
    if (!child->index().isValid()) {
        qWarning("Failed to insert child with invalid QModelIndex");
        return false;
    }
    for (const orbQuickTreeItem *existing : m_children) {
        if (existing->index() == child->index())
            return false;
    }
    return adoptChild(position, child);
}

bool orbQuickTreeItem::adoptChild(int position, orbQuickTreeItem *child)
{
    if (!child->index().isValid()) {
        qWarning("Failed to insert child with invalid QModelIndex");
        return false;
    }
    position = std::clamp(position, 0, childCount());
    m_children.insert(m_children.begin() + position, child);
    return true;
}

bool orbQuickTreeItem::removeChild(orbQuickTreeItem *child)
{
    const int position = childPosition(child);
    if (position < 0)
        return false;
    m_children.erase(m_children.begin() + position);
    return true;
}

void orbQuickTreeItem::moveChild(int from, int to)
{
    if (from < 0 || from >= childCount())
        return;
    if (to > from)
        --to;
    to = std::clamp(to, 0, childCount() - 1);
    orbQuickTreeItem *moved = m_children[size_t(from)];
    m_children.erase(m_children.begin() + from);
    m_children.insert(m_children.begin() + to, moved);
}

void orbQuickTreeItem::visit(const std::function<bool(orbQuickTreeItem *)> &visitor)
{
    std::vector<orbQuickTreeItem *> pending{this};
    while (!pending.empty()) {
        orbQuickTreeItem *node = pending.back();
        pending.pop_back();
        if (!visitor(node))
            continue;
        for (auto it = node->m_children.rbegin(); it != node->m_children.rend(); ++it)
            pending.push_back(*it);
    }
}

orbQuickTreeItem *orbQuickTreeItem::find(const QModelIndex &index)
{
    orbQuickTreeItem *found = nullptr;
    visit([&](orbQuickTreeItem *node) {
        if (!found && node->m_index == index)
            found = node;
        return !found;
    });
    return found;
}

QVariant orbQuickTreeItem::data(int role) const
{
    if (!m_index.isValid())
        return {};
    return m_index.model()->data(m_index, role);
}

void orbQuickTreeItem::setLevelRecursive(int parentLevel)
{
    m_level = parentLevel + 1;
    visit([](orbQuickTreeItem *node) {
        for (orbQuickTreeItem *child : node->m_children)
            child->m_level = node->m_level + 1;
        return true;
    });
}

std::vector<orbQuickTreeItem *> orbQuickTreeItem::flatten()
{
    std::vector<orbQuickTreeItem *> rows;
    visit([&](orbQuickTreeItem *node) {
        if (node->m_index.isValid())
            rows.push_back(node);
        return !node->m_collapsed;
    });
    return rows;
}

QString orbQuickTreeItem::toString() const
{
    if (!m_modelItem || !m_index.isValid())
        return QStringLiteral("-----invalid-----");
    const QAbstractItemModel *model = m_index.model();
    QStringList values;
    const auto roles = model->roleNames();
    for (auto it = roles.cbegin(); it != roles.cend(); ++it)
        values.append(model->data(m_index, it.key()).toString());
    return values.join(QLatin1Char(','));
}

QVariantMap orbQuickTreeItem::contextProperties() const
{
    QVariantMap properties;
    properties.insert(IndexProperty, m_row);
    properties.insert(LevelProperty, m_level);
    properties.insert(HasChildrenProperty, !m_children.empty());
    properties.insert(IsExpandedProperty, !m_collapsed);
    properties.insert(IsExpandableProperty, m_collapsable && m_collapsed && !m_children.empty());
    properties.insert(ModelItemProperty, QVariant::fromValue<QObject *>(m_modelItem));
    if (!m_index.isValid())
        return properties;
    const QAbstractItemModel *model = m_index.model();
    const auto roles = model->roleNames();
    for (auto it = roles.cbegin(); it != roles.cend(); ++it)
        properties.insert(QString::fromUtf8(it.value()), model->data(m_index, it.key()));
    return properties;
}

QVariant orbQuickTreeItem::contextProperty(const QString &name) const
{
    if (name == IndexProperty)
        return m_row;
    if (name == LevelProperty)
        return m_level;
    if (name == HasChildrenProperty)
        return !m_children.empty();
    if (name == IsExpandedProperty)
        return !m_collapsed;
    if (name == IsExpandableProperty)
        return m_collapsable && m_collapsed && !m_children.empty();
    if (name == ModelItemProperty)
        return QVariant::fromValue<QObject *>(m_modelItem);
    if (!m_index.isValid())
        return {};
    const QAbstractItemModel *model = m_index.model();
    return model->data(m_index, model->roleNames().key(name.toUtf8(), -1));
}
