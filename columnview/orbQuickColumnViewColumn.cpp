#include "orbQuickColumnViewColumn.h"

#include "ColumnViewLog.h"

#include <QtCore/QDebug>

#include <algorithm>
#include <cmath>

namespace {

// Stores value when it differs; tells the caller whether to notify.
template<typename T>
bool store(T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

bool acceptWidth(const char *what, qreal width)
{
    if (std::isfinite(width))
        return true;
    qCWarning(lcColumnView) << "orbQuickColumnViewColumn: refusing" << what << width;
    return false;
}

} // namespace

orbQuickColumnViewColumn::orbQuickColumnViewColumn(QObject *parent)
    : QObject(parent)
{
}

void orbQuickColumnViewColumn::setRole(const QString &role)
{
    if (store(m_role, role))
        emit roleChanged();
}

void orbQuickColumnViewColumn::setTitle(const QString &title)
{
    if (store(m_title, title))
        emit titleChanged();
}

// The maximum is applied first, so a minimum above the maximum wins.
qreal orbQuickColumnViewColumn::clampedWidth(qreal width) const
{
    return std::max(std::min(width, m_maximumWidth), m_minimumWidth);
}

void orbQuickColumnViewColumn::applyWidth(qreal width)
{
    const qreal clamped = clampedWidth(width);
    if (clamped == m_width)
        return;
    if (m_defaultWidth == 0.0)
        m_defaultWidth = clamped;
    m_width = clamped;
    emit widthChanged(clamped);
}

void orbQuickColumnViewColumn::setWidth(qreal width)
{
    if (acceptWidth("width", width))
        applyWidth(width);
}

void orbQuickColumnViewColumn::resetWidth()
{
    applyWidth(m_defaultWidth);
}

void orbQuickColumnViewColumn::setMinimumWidth(qreal width)
{
    if (acceptWidth("minimumWidth", width) && store(m_minimumWidth, width))
        emit minimumWidthChanged();
}

void orbQuickColumnViewColumn::setMaximumWidth(qreal width)
{
    if (acceptWidth("maximumWidth", width) && store(m_maximumWidth, width))
        emit maximumWidthChanged();
}

void orbQuickColumnViewColumn::setDelegate(QQmlComponent *delegate)
{
    if (m_delegate == delegate)
        return;
    m_delegate = delegate;
    emit delegateChanged();
}

void orbQuickColumnViewColumn::setVisible(bool visible)
{
    if (store(m_visible, visible))
        emit visibleChanged(visible);
}

void orbQuickColumnViewColumn::setHorizontalAlignment(Qt::Alignment alignment)
{
    if (store(m_horizontalAlignment, int(alignment)))
        emit horizontalAlignmentChanged();
}

void orbQuickColumnViewColumn::setIndex(int index)
{
    if (store(m_index, index))
        emit indexChanged();
}

void orbQuickColumnViewColumn::setXPosition(qreal x)
{
    if (acceptWidth("xPosition", x) && store(m_xPosition, x))
        emit xPositionChanged(x);
}

void orbQuickColumnViewColumn::setDragXPosition(qreal x)
{
    if (acceptWidth("dragXPosition", x) && store(m_dragXPosition, x))
        emit dragXPositionChanged(x);
}

void orbQuickColumnViewColumn::setMoving(bool moving)
{
    if (store(m_moving, moving))
        emit movingChanged();
}

void orbQuickColumnViewColumn::setSorted(bool sorted)
{
    if (store(m_sorted, sorted))
        emit sortedChanged();
}

void orbQuickColumnViewColumn::setSortIndex(int sortIndex)
{
    if (store(m_sortIndex, sortIndex))
        emit sortIndexChanged();
}

void orbQuickColumnViewColumn::setSortable(bool sortable)
{
    if (store(m_sortable, sortable))
        emit sortableChanged();
}

void orbQuickColumnViewColumn::setSortOrder(Qt::SortOrder order)
{
    if (store(m_sortOrder, int(order)))
        emit sortOrderChanged();
}

void orbQuickColumnViewColumn::setDefaultSortOrder(Qt::SortOrder order)
{
    if (store(m_defaultSortOrder, int(order)))
        emit defaultSortOrderChanged();
}

void orbQuickColumnViewColumn::setSearchable(bool searchable)
{
    if (store(m_searchable, searchable))
        emit searchableChanged();
}

void orbQuickColumnViewColumn::setSearch(bool search)
{
    if (store(m_search, search))
        emit searchChanged();
}

void orbQuickColumnViewColumn::setHideable(bool hideable)
{
    if (store(m_hideable, hideable))
        emit hideableChanged();
}

void orbQuickColumnViewColumn::setEditable(bool editable)
{
    if (store(m_editable, editable))
        emit editableChanged();
}

void orbQuickColumnViewColumn::setOnViewport(bool isOnViewport)
{
    if (store(m_isOnViewport, isOnViewport))
        emit onViewportChanged(isOnViewport);
}
