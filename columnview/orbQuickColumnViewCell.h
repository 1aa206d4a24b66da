#pragma once

#include <QtCore/QPointer>
#include <QtCore/QVariant>
#include <QtQuick/private/qquickrectangle_p.h>

class orbQuickColumnViewColumn;
class orbQuickColumnViewRow;

// One cell of a row: follows its column's position, width, visibility and
// moving state, and shows the row's value for the column's role while it is
// visible. Writing cellData writes to the model, not to the cell.
// Created, owned and deleted by its row on the GUI thread.
class orbQuickColumnViewCell : public QQuickRectangle
{
    Q_OBJECT
    Q_PROPERTY(QVariant cellData READ cellData WRITE setCellData NOTIFY cellDataChanged)
    Q_PROPERTY(bool moving READ isMoving NOTIFY movingChanged)
    Q_PROPERTY(bool editable READ isEditable NOTIFY editableChanged)

public:
    explicit orbQuickColumnViewCell(QQuickItem *parent = nullptr);

    QVariant cellData() const { return m_cellData; }
    void setCellData(const QVariant &data);
    bool isMoving() const { return m_moving; }
    bool isEditable() const;

    orbQuickColumnViewRow *row() const { return m_row; }
    void setRow(orbQuickColumnViewRow *row) { m_row = row; }
    orbQuickColumnViewColumn *column() const { return m_column; }
    void setColumn(orbQuickColumnViewColumn *column);

    // Shows the row's value while visible; forgets it silently while hidden.
    void refreshData();
    // Visible when the column is shown and on the viewport.
    void updateVisibility();
    // Hidden with its data forgotten, for a row going back to the pool.
    void hideAndForget();

signals:
    void cellDataChanged();
    void movingChanged();
    void editableChanged();

protected slots:
    void updateXPosition(qreal xPosition);
    void updateDragPosition(qreal xPosition);
    void updateWidth(qreal width);
    void updateVisible(bool visible);
    void updateMoving();

private:
    bool columnShown() const;

    QVariant m_cellData;
    bool m_moving = false;
    orbQuickColumnViewRow *m_row = nullptr;
    QPointer<orbQuickColumnViewColumn> m_column;
};
