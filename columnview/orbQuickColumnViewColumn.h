#pragma once

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtQml/QQmlComponent>

// One declared column of a column view: the role its cells show, its title,
// geometry, sort, search and visibility state. Draws nothing; the view writes
// index, xPosition and the on-viewport flag. Owned by QML or by the view that
// lists it. GUI thread only.
class orbQuickColumnViewColumn : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString role READ role WRITE setRole NOTIFY roleChanged)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(qreal width READ width WRITE setWidth NOTIFY widthChanged)
    Q_PROPERTY(
        qreal minimumWidth READ minimumWidth WRITE setMinimumWidth NOTIFY minimumWidthChanged)
    Q_PROPERTY(
        qreal maximumWidth READ maximumWidth WRITE setMaximumWidth NOTIFY maximumWidthChanged)
    Q_PROPERTY(QQmlComponent *delegate READ delegate WRITE setDelegate NOTIFY delegateChanged)
    Q_PROPERTY(bool visible READ isVisible WRITE setVisible NOTIFY visibleChanged)
    Q_PROPERTY(Qt::Alignment horizontalAlignment READ horizontalAlignment WRITE
                   setHorizontalAlignment NOTIFY horizontalAlignmentChanged)
    Q_PROPERTY(int index READ index WRITE setIndex NOTIFY indexChanged)
    Q_PROPERTY(qreal xPosition READ xPosition WRITE setXPosition NOTIFY xPositionChanged)
    Q_PROPERTY(
        qreal dragXPosition READ dragXPosition WRITE setDragXPosition NOTIFY dragXPositionChanged)
    Q_PROPERTY(bool moving READ isMoving WRITE setMoving NOTIFY movingChanged)
    Q_PROPERTY(bool sorted READ isSorted WRITE setSorted NOTIFY sortedChanged)
    Q_PROPERTY(int sortIndex READ sortIndex WRITE setSortIndex NOTIFY sortIndexChanged)
    Q_PROPERTY(bool sortable READ isSortable WRITE setSortable NOTIFY sortableChanged)
    Q_PROPERTY(Qt::SortOrder sortOrder READ sortOrder WRITE setSortOrder NOTIFY sortOrderChanged)
    Q_PROPERTY(Qt::SortOrder defaultSortOrder READ defaultSortOrder WRITE setDefaultSortOrder NOTIFY
                   defaultSortOrderChanged)
    Q_PROPERTY(bool searchable READ isSearchable WRITE setSearchable NOTIFY searchableChanged)
    Q_PROPERTY(bool search READ search WRITE setSearch NOTIFY searchChanged)
    Q_PROPERTY(bool hideable READ isHideable WRITE setHideable NOTIFY hideableChanged)
    Q_PROPERTY(bool editable READ isEditable WRITE setEditable NOTIFY editableChanged)

public:
    explicit orbQuickColumnViewColumn(QObject *parent = nullptr);

    QString role() const { return m_role; }
    void setRole(const QString &role);
    QString title() const { return m_title; }
    void setTitle(const QString &title);
    qreal width() const { return m_width; }
    void setWidth(qreal width);
    qreal minimumWidth() const { return m_minimumWidth; }
    void setMinimumWidth(qreal width);
    qreal maximumWidth() const { return m_maximumWidth; }
    void setMaximumWidth(qreal width);
    QQmlComponent *delegate() const { return m_delegate; }
    void setDelegate(QQmlComponent *delegate);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    Qt::Alignment horizontalAlignment() const { return Qt::Alignment(m_horizontalAlignment); }
    void setHorizontalAlignment(Qt::Alignment alignment);
    int index() const { return m_index; }
    void setIndex(int index);
    qreal xPosition() const { return m_xPosition; }
    void setXPosition(qreal x);
    qreal dragXPosition() const { return m_dragXPosition; }
    void setDragXPosition(qreal x);
    bool isMoving() const { return m_moving; }
    void setMoving(bool moving);
    bool isSorted() const { return m_sorted; }
    void setSorted(bool sorted);
    int sortIndex() const { return m_sortIndex; }
    void setSortIndex(int sortIndex);
    bool isSortable() const { return m_sortable; }
    void setSortable(bool sortable);
    Qt::SortOrder sortOrder() const { return Qt::SortOrder(m_sortOrder); }
    void setSortOrder(Qt::SortOrder order);
    Qt::SortOrder defaultSortOrder() const { return Qt::SortOrder(m_defaultSortOrder); }
    void setDefaultSortOrder(Qt::SortOrder order);
    bool isSearchable() const { return m_searchable; }
    void setSearchable(bool searchable);
    bool search() const { return m_search; }
    void setSearch(bool search);
    bool isHideable() const { return m_hideable; }
    void setHideable(bool hideable);
    bool isEditable() const { return m_editable; }
    void setEditable(bool editable);
    // Maintained by the view; not a QML property.
    bool isOnViewport() const { return m_isOnViewport; }
    void setOnViewport(bool isOnViewport);

public slots:
    void resetWidth();

signals:
    void roleChanged();
    void titleChanged();
    void widthChanged(qreal newWidth);
    void minimumWidthChanged();
    void maximumWidthChanged();
    void delegateChanged();
    void visibleChanged(bool visible);
    void horizontalAlignmentChanged();
    void indexChanged();
    void xPositionChanged(qreal xPosition);
    void dragXPositionChanged(qreal dragXPosition);
    void movingChanged();
    void sortedChanged();
    void sortIndexChanged();
    void sortableChanged();
    void sortOrderChanged();
    void defaultSortOrderChanged();
    void searchableChanged();
    void searchChanged();
    void hideableChanged();
    void editableChanged();
    void onViewportChanged(bool isOnViewport);

private:
    qreal clampedWidth(qreal width) const;
    void applyWidth(qreal width);

    QString m_role;
    QString m_title;
    qreal m_width = 0.0;
    qreal m_defaultWidth = 0.0;
    qreal m_minimumWidth = 50.0;
    qreal m_maximumWidth = 1000.0;
    QPointer<QQmlComponent> m_delegate;
    bool m_visible = true;
    int m_horizontalAlignment = Qt::AlignLeft;
    int m_index = -1;
    qreal m_xPosition = 0.0;
    qreal m_dragXPosition = 0.0;
    bool m_moving = false;
    bool m_sorted = false;
    int m_sortIndex = -1;
    bool m_sortable = true;
    int m_sortOrder = Qt::DescendingOrder;
    int m_defaultSortOrder = Qt::DescendingOrder;
    bool m_searchable = true;
    bool m_search = false;
    bool m_hideable = true;
    bool m_editable = false;
    bool m_isOnViewport = false;
};
