#include "orbQuickColumnViewCell.h"

#include "orbQuickColumnViewColumn.h"
#include "orbQuickColumnViewRow.h"

orbQuickColumnViewCell::orbQuickColumnViewCell(QQuickItem *parent)
    : QQuickRectangle(parent)
{
    setColor(Qt::transparent);
}

bool orbQuickColumnViewCell::isEditable() const
{
    return m_column && m_column->isEditable();
}

// The model's change notification brings the written value back.
void orbQuickColumnViewCell::setCellData(const QVariant &data)
{
    if (data == m_cellData || !m_row || !m_column)
        return;
    m_row->writeRoleValue(m_column->role(), data);
}

void orbQuickColumnViewCell::setColumn(orbQuickColumnViewColumn *column)
{
    if (m_column)
        disconnect(m_column, nullptr, this, nullptr);
    m_column = column;
    if (!column)
        return;
    setX(column->xPosition());
    connect(column, &orbQuickColumnViewColumn::xPositionChanged, this,
            &orbQuickColumnViewCell::updateXPosition);
    connect(column, &orbQuickColumnViewColumn::dragXPositionChanged, this,
            &orbQuickColumnViewCell::updateDragPosition);
    setWidth(column->width());
    connect(column, &orbQuickColumnViewColumn::widthChanged, this,
            &orbQuickColumnViewCell::updateWidth);
    updateVisibility();
    connect(column, &orbQuickColumnViewColumn::onViewportChanged, this,
            &orbQuickColumnViewCell::updateVisible);
    connect(column, &orbQuickColumnViewColumn::visibleChanged, this,
            &orbQuickColumnViewCell::updateVisible);
    updateMoving();
    connect(column, &orbQuickColumnViewColumn::movingChanged, this,
            &orbQuickColumnViewCell::updateMoving);
    connect(column, &orbQuickColumnViewColumn::editableChanged, this,
            &orbQuickColumnViewCell::editableChanged);
    if (column->isEditable())
        emit editableChanged();
}

bool orbQuickColumnViewCell::columnShown() const
{
    return m_column && m_column->isVisible() && m_column->isOnViewport();
}

void orbQuickColumnViewCell::refreshData()
{
    if (!isVisible()) {
        m_cellData = QVariant();
        return;
    }
    if (!m_row || !m_column)
        return;
    const QVariant value = m_row->roleValue(m_column->role());
    if (!value.isValid() || value == m_cellData)
        return;
    m_cellData = value;
    emit cellDataChanged();
}

void orbQuickColumnViewCell::updateVisibility()
{
    setVisible(columnShown());
    refreshData();
}

void orbQuickColumnViewCell::hideAndForget()
{
    setVisible(false);
    m_cellData = QVariant();
}

void orbQuickColumnViewCell::updateXPosition(qreal xPosition)
{
    if (!m_moving)
        setX(xPosition);
}

void orbQuickColumnViewCell::updateDragPosition(qreal xPosition)
{
    setX(xPosition);
}

void orbQuickColumnViewCell::updateWidth(qreal width)
{
    setWidth(width);
}

void orbQuickColumnViewCell::updateVisible(bool)
{
    updateVisibility();
}

void orbQuickColumnViewCell::updateMoving()
{
    const bool moving = m_column && m_column->isMoving();
    if (moving == m_moving)
        return;
    m_moving = moving;
    if (!moving && m_column)
        setX(m_column->xPosition());
    emit movingChanged();
}
