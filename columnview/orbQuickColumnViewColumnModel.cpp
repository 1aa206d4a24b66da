#include "orbQuickColumnViewColumnModel.h"

#include "orbQuickColumnViewColumn.h"

#include <QtQml/QQmlListReference>

#include <algorithm>

namespace {

enum ColumnRole { RoleRole = Qt::UserRole + 1, TitleRole, SearchRole, VisibleRole };

// The same for every instance; built when the library is loaded.
const QHash<int, QByteArray> columnRoleNames
    = {{RoleRole, "role"}, {TitleRole, "title"}, {SearchRole, "search"}, {VisibleRole, "visible"}};

QQmlListReference listReference(const QVariant &value)
{
    if (value.canConvert<QQmlListReference>()
        && value.userType() == qMetaTypeId<QQmlListReference>())
        return value.value<QQmlListReference>();
    QVariant converted = value;
    if (converted.convert(qMetaTypeId<QQmlListReference>()))
        return converted.value<QQmlListReference>();
    return {};
}

} // namespace

orbQuickColumnViewColumnModel::orbQuickColumnViewColumnModel(QObject *parent)
    : QAbstractItemModel(parent)
{
}

void orbQuickColumnViewColumnModel::setColumns(const QVariant &columns)
{
    if (m_columns == columns)
        return;
    m_columns = columns;
    disconnect(this, nullptr, this, nullptr);
    updateColumnList();
    emit columnsChanged();
}

void orbQuickColumnViewColumnModel::setSortByIndex(bool sortByIndex)
{
    if (m_sortByIndex == sortByIndex)
        return;
    m_sortByIndex = sortByIndex;
    emit sortByIndexChanged();
}

void orbQuickColumnViewColumnModel::setShowSearchableOnly(bool showSearchableOnly)
{
    if (m_showSearchableOnly == showSearchableOnly)
        return;
    m_showSearchableOnly = showSearchableOnly;
    emit showSearchableOnlyChanged();
}

QModelIndex orbQuickColumnViewColumnModel::index(int row, int column, const QModelIndex &) const
{
    return createIndex(row, column);
}

QModelIndex orbQuickColumnViewColumnModel::parent(const QModelIndex &) const
{
    return {};
}

int orbQuickColumnViewColumnModel::rowCount(const QModelIndex &) const
{
    return m_list.size();
}

int orbQuickColumnViewColumnModel::columnCount(const QModelIndex &) const
{
    return 0;
}

QVariant orbQuickColumnViewColumnModel::data(const QModelIndex &index, int role) const
{
    if (index.row() < 0 || index.row() >= m_list.size())
        return {};
    const orbQuickColumnViewColumn *column = m_list.at(index.row());
    switch (role) {
    case RoleRole:
        return column->role();
    case TitleRole:
        return column->title();
    case SearchRole:
        return column->search();
    case VisibleRole:
        return column->isVisible();
    default:
        return {};
    }
}

bool orbQuickColumnViewColumnModel::setData(const QModelIndex &index, const QVariant &value,
                                            int role)
{
    if (index.row() < 0 || index.row() >= m_list.size())
        return false;
    if (role == SearchRole) {
        orbQuickColumnViewColumn *column = m_list.at(index.row());
        const bool search = value.toBool();
        column->setSearch(search);
        emit columnSearchChanged(column->role(), search);
    }
    emit dataChanged(index, index, {});
    return true;
}

QHash<int, QByteArray> orbQuickColumnViewColumnModel::roleNames() const
{
    return columnRoleNames;
}

void orbQuickColumnViewColumnModel::updateColumnList()
{
    beginResetModel();
    m_list.clear();
    QQmlListReference reference = listReference(m_columns);
    for (int i = 0; i < reference.count(); ++i) {
        auto *column = qobject_cast<orbQuickColumnViewColumn *>(reference.at(i));
        if (!column)
            continue;
        connect(column, &orbQuickColumnViewColumn::searchableChanged, this,
                &orbQuickColumnViewColumnModel::updateColumnList, Qt::UniqueConnection);
        if (m_showSearchableOnly && !column->isSearchable())
            continue;
        if (m_sortByIndex) {
            disconnect(column, nullptr, this, nullptr);
            connect(column, &orbQuickColumnViewColumn::indexChanged, this,
                    &orbQuickColumnViewColumnModel::sortColumns);
        }
        watchColumn(column);
        m_list.append(column);
    }
    if (m_sortByIndex)
        sortColumns();
    endResetModel();
}

void orbQuickColumnViewColumnModel::watchColumn(orbQuickColumnViewColumn *column)
{
    connect(column, &QObject::destroyed, this, &orbQuickColumnViewColumnModel::dropColumn,
            Qt::UniqueConnection);
}

// A destroyed column is matched by address only: it is no longer a column.
void orbQuickColumnViewColumnModel::dropColumn(QObject *column)
{
    const auto it = std::find_if(m_list.begin(), m_list.end(),
                                 [column](const QObject *kept) { return kept == column; });
    if (it == m_list.end())
        return;
    beginResetModel();
    m_list.erase(it);
    endResetModel();
}

void orbQuickColumnViewColumnModel::sortColumns()
{
    beginResetModel();
    std::sort(m_list.begin(), m_list.end(),
              [](const orbQuickColumnViewColumn *a, const orbQuickColumnViewColumn *b) {
                  return a->index() < b->index();
              });
    endResetModel();
}
