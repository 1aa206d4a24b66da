#pragma once

#include "orbQuickColumnViewHeader.h"
#include "orbQuickDragHandler.h"

#include <QtCore/QItemSelectionModel>
#include <QtCore/QPointer>
#include <QtCore/QTimer>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlListProperty>
#include <QtQuick/private/qquickflickable_p.h>

#include <memory>

class QAbstractItemModel;
class orbQuickColumnViewColumn;
class orbQuickColumnViewRow;
class orbQuickMouseEvent;

// A virtualised multi-column list over a flat item model: only on-screen rows
// exist, released rows are pooled and reused last in, first out, and placing
// them is sliced so that scrolling a long list never blocks the event loop.
// Mirrors a selection model into the rows, turns presses on rows into
// signals and starts a drag of a row held long enough. Owns its rows,
// columns, header, drag handler and timers; never the models or components.
// GUI thread only (rows may read data on the global thread pool).
class orbQuickColumnView : public QQuickFlickable
{
    Q_OBJECT
    Q_PROPERTY(QAbstractItemModel *model READ model WRITE setModel NOTIFY modelChanged)
    Q_PROPERTY(QItemSelectionModel *selectionModel READ selectionModel WRITE setSelectionModel
                   NOTIFY selectionModelChanged)
    Q_PROPERTY(qreal rowSpacing READ rowSpacing WRITE setRowSpacing NOTIFY rowSpacingChanged)
    Q_PROPERTY(int currentRowIndex READ currentRowIndex WRITE setCurrentRowIndex NOTIFY
                   currentRowIndexChanged)
    Q_PROPERTY(int rowCount READ rowCount NOTIFY modelChanged)
    Q_PROPERTY(
        QQmlComponent *rowDelegate READ rowDelegate WRITE setRowDelegate NOTIFY rowDelegateChanged)
    Q_PROPERTY(orbQuickColumnViewHeader *header READ header WRITE setHeader NOTIFY headerChanged)
    Q_PROPERTY(
        qreal columnSpacing READ columnSpacing WRITE setColumnSpacing NOTIFY columnSpacingChanged)
    Q_PROPERTY(int columnCount READ columnCount NOTIFY columnsChanged)
    Q_PROPERTY(
        QQmlListProperty<orbQuickColumnViewColumn> columns READ columns NOTIFY columnsChanged)
    Q_PROPERTY(orbQuickDragHandler *dragHandler READ dragHandler WRITE setDragHandler NOTIFY
                   dragHandlerChanged)
    Q_PROPERTY(
        int dragStartTime READ dragStartTime WRITE setDragStartTime NOTIFY dragStartTimeChanged)
    Q_PROPERTY(QVariant dragRowData READ dragRowData NOTIFY dragRowDataChanged)
    Q_PROPERTY(bool asynchronous READ asynchronous WRITE setAsynchronous NOTIFY asynchronousChanged)

public:
    explicit orbQuickColumnView(QQuickItem *parent = nullptr);
    ~orbQuickColumnView() override;

    QAbstractItemModel *model() const { return m_model; }
    void setModel(QAbstractItemModel *model);
    QItemSelectionModel *selectionModel() const { return m_selectionModel; }
    void setSelectionModel(QItemSelectionModel *selectionModel);
    qreal rowSpacing() const { return m_rowSpacing; }
    void setRowSpacing(qreal spacing);
    int currentRowIndex() const;
    void setCurrentRowIndex(int index);
    int rowCount() const;
    QQmlComponent *rowDelegate() const { return m_rowDelegate; }
    void setRowDelegate(QQmlComponent *delegate);
    orbQuickColumnViewHeader *header() const { return m_header; }
    void setHeader(orbQuickColumnViewHeader *header);
    qreal columnSpacing() const { return m_columnSpacing; }
    void setColumnSpacing(qreal spacing);
    int columnCount() const { return m_columns.size(); }
    QQmlListProperty<orbQuickColumnViewColumn> columns();
    orbQuickDragHandler *dragHandler() const { return m_dragHandler; }
    void setDragHandler(orbQuickDragHandler *handler);
    int dragStartTime() const { return m_dragStartTime; }
    void setDragStartTime(int milliseconds);
    QVariant dragRowData() const { return m_dragRowData; }
    bool asynchronous() const { return m_asynchronous; }
    void setAsynchronous(bool asynchronous);

    Q_INVOKABLE void insertColumn(int index, orbQuickColumnViewColumn *column);

    // For the rows.
    QList<orbQuickColumnViewColumn *> columnList() const { return m_columns; }
    void scheduleRowRebuild();
    void checkFetchedData(const QHash<int, QByteArray> &roleNames, const QMap<int, QVariant> &data);

    void setContentX(qreal x) override;

public slots:
    void positionViewAtIndex(int index);
    void positionViewAtColumnIndex(int columnIndex);
    QVariant getRowDataForRowAtMousePosition(qreal posX, qreal posY);
    void moveColumn(int from, int to, bool positionViewAtColumn);
    void updateVisibleColumnIndices();
    orbQuickColumnViewRow *rowForContentYPosition(qreal contentYPosition, bool strictBoundaries);
    void scrollPage(bool up, bool updateRowIndex);
    void updateVisibleRows();

signals:
    void modelChanged();
    void selectionModelChanged();
    void rowSpacingChanged();
    void currentRowIndexChanged();
    void rowDelegateChanged();
    void headerChanged();
    void columnSpacingChanged();
    void columnsChanged();
    void dragHandlerChanged();
    void dragStartTimeChanged();
    void dragRowDataChanged();
    void asynchronousChanged();
    void rowDataChanged(int rowIndex, QString role);
    void rowPressed(int rowIndex, orbQuickMouseEvent *mouse);
    void rowClicked(int rowIndex, orbQuickMouseEvent *mouse);
    void rowDoubleClicked(int rowIndex, orbQuickMouseEvent *mouse);

protected slots:
    void updateContentHeight();
    void updateRowCache(int minRowIndex, int maxRowIndex);
    void updateIsCurrentRow();
    void updateIsSelectedRow();
    void updateRowWidth();
    void updateColumnLayout();
    void updateVisibleColumns();
    void updateContentWidth();
    void columnResizingChanged();
    void aboutToInsertRows(const QModelIndex &parent, int start, int end);
    void insertRows(const QModelIndex &parent, int start, int end);
    void moveRows(const QModelIndex &sourceParent, int sourceStart, int sourceEnd,
                  const QModelIndex &destinationParent, int destinationRow);
    void removeRows(const QModelIndex &parent, int start, int end);
    void updateModelData(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                         const QVector<int> &roles = {});
    void reloadData();
    void updateViewMovedHorizontally();
    void initializeDrag();
    void resetViewMoved();
    void onAsynchronousChanged();

private slots:
    void onSelectionModelCurrentChanged(const QModelIndex &current, const QModelIndex &previous);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool childMouseEventFilter(QQuickItem *item, QEvent *event) override;
    void viewportMoved(Qt::Orientations orientations) override;
    void componentComplete() override;

private:
    static void appendColumn(QQmlListProperty<orbQuickColumnViewColumn> *list,
                             orbQuickColumnViewColumn *column);
    static int columnListCount(QQmlListProperty<orbQuickColumnViewColumn> *list);
    static orbQuickColumnViewColumn *columnAt(QQmlListProperty<orbQuickColumnViewColumn> *list,
                                              int index);
    static void clearColumns(QQmlListProperty<orbQuickColumnViewColumn> *list);

    // Geometry.
    qreal pitch() const { return m_rowSpacing + m_rowHeight; }
    qreal headerBottom() const;
    qreal rowY(int row) const;
    qreal rowHeightAt(int row) const;
    int firstRowOnScreen() const;
    int lastRowOnScreen() const;
    int clampRow(int row) const;
    qreal columnX(int orderPosition) const;

    // Rows.
    orbQuickColumnViewRow *obtainRow(int index);
    orbQuickColumnViewRow *createRow();
    void releaseRow(orbQuickColumnViewRow *row);
    void destroyAllRows();
    void rebuildRows();
    void layoutRows();
    void refreshRowRange(int top, int bottom);
    bool isRowSelected(int row) const;
    int rowIndexAt(const QPointF &viewPoint) const;
    QVariant rowDataMap(int row) const;

    // Models.
    QItemSelectionModel *usableSelectionModel() const;
    void checkSelectionModel();
    void connectModel();
    void onModelDestroyed(QObject *model);
    void onSelectionModelDestroyed(QObject *selectionModel);
    void onColumnDestroyed(QObject *column);
    void onColumnDelegateChanged();
    void addColumnAt(int position, orbQuickColumnViewColumn *column);
    void renumberColumns(int from);
    void probeRowDelegate();

    // Mouse.
    void handlePress(const QPointF &position, QMouseEvent *event);
    void handleMove(const QPointF &position);
    void handleRelease(const QPointF &position, QMouseEvent *event);
    void handleDoubleClick(const QPointF &position, QMouseEvent *event);
    void emitRowSignal(void (orbQuickColumnView::*signal)(int, orbQuickMouseEvent *), int row,
                       const QPointF &position, QMouseEvent *event);
    bool filterChildEvent(QQuickItem *item, QMouseEvent *event);

    QAbstractItemModel *m_model = nullptr;
    QItemSelectionModel *m_selectionModel = nullptr;
    qreal m_rowHeight = 0.0;
    qreal m_currentRowHeight = 0.0;
    qreal m_currentRowExtra = 0.0;
    bool m_tallCurrentRow = false;
    qreal m_rowSpacing = 0.0;
    QPointer<QQmlComponent> m_rowDelegate;
    QList<orbQuickColumnViewRow *> m_visibleRows;
    QList<orbQuickColumnViewRow *> m_rowPool;
    QPointer<orbQuickColumnViewHeader> m_header;
    QList<orbQuickColumnViewColumn *> m_columns;
    qreal m_columnSpacing = 0.0;
    QList<int> m_visibleColumnOrder;
    QPointer<orbQuickDragHandler> m_dragHandler;
    std::unique_ptr<QTimer> m_dragStartTimer;
    int m_dragStartTime = 400;
    QVariant m_dragRowData;
    QPointF m_pressPosition;
    int m_pressedRow = -1;
    QTimer m_layoutTimer;
    int m_lastLaidOutRow = -1;
    bool m_asynchronous = false;

    bool m_clickCandidate = false;
    bool m_viewMoved = false;
    bool m_viewMovedHorizontally = false;
    bool m_contentXLocked = false;
    bool m_columnLayoutChanged = false;
    bool m_visibleColumnsChanged = false;
    int m_savedContentX = -1;

    bool m_rowsLeftOut = false;
    bool m_rowRebuildScheduled = false;
    bool m_reportedInvalidDelegate = false;
    bool m_warnedEmptyItemData = false;
    bool m_warnedForeignSelection = false;
};
