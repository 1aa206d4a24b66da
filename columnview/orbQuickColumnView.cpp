#include "orbQuickColumnView.h"

#include "ColumnViewLog.h"
#include "orbQuickColumnViewColumn.h"
#include "orbQuickColumnViewHeader.h"
#include "orbQuickColumnViewRow.h"
#include "orbQuickComponent.h"
#include "orbQuickDragHandler.h"
#include "orbQuickMouseEvent.h"

#include <QtCore/QAbstractItemModel>
#include <QtCore/QDebug>
#include <QtCore/QElapsedTimer>
#include <QtCore/QThreadPool>
#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtQuick/private/qquickmousearea_p.h>
#include <QtQuick/private/qquicktextinput_p.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int layoutSliceMs = 5;
constexpr int layoutGapMs = 2;
constexpr qreal clickSlop = 4.0;

bool acceptSpacing(const char *what, qreal spacing)
{
    if (std::isfinite(spacing) && spacing >= 0.0)
        return true;
    qCWarning(lcColumnView) << "orbQuickColumnView: refusing" << what << spacing;
    return false;
}

} // namespace

orbQuickColumnView::orbQuickColumnView(QQuickItem *parent)
    : QQuickFlickable(parent)
{
    setAcceptedMouseButtons(Qt::LeftButton | Qt::RightButton);
    setFiltersChildMouseEvents(true);
    m_layoutTimer.setSingleShot(true);
    connect(&m_layoutTimer, &QTimer::timeout, this, &orbQuickColumnView::layoutRows);
    connect(this, &QQuickFlickable::dragEnded, this, &orbQuickColumnView::resetViewMoved);
    connect(this, &orbQuickColumnView::modelChanged, this, &orbQuickColumnView::updateVisibleRows);
    connect(this, &orbQuickColumnView::rowSpacingChanged, this,
            &orbQuickColumnView::updateVisibleRows);
    connect(this, &orbQuickColumnView::rowDelegateChanged, this,
            &orbQuickColumnView::updateVisibleRows);
    connect(this, &QQuickItem::heightChanged, this, &orbQuickColumnView::updateVisibleRows);
    connect(this, &orbQuickColumnView::currentRowIndexChanged, this,
            &orbQuickColumnView::updateVisibleRows);
    connect(this, &orbQuickColumnView::currentRowIndexChanged, this,
            &orbQuickColumnView::updateIsCurrentRow);
    connect(this, &QQuickItem::widthChanged, this, &orbQuickColumnView::updateVisibleColumns);
    connect(this, &QQuickItem::widthChanged, this, &orbQuickColumnView::updateContentWidth);
    connect(this, &orbQuickColumnView::columnSpacingChanged, this,
            &orbQuickColumnView::updateColumnLayout);
    connect(this, &orbQuickColumnView::columnsChanged, this,
            &orbQuickColumnView::updateContentWidth);
    connect(this, &orbQuickColumnView::modelChanged, this,
            &orbQuickColumnView::updateContentHeight);
    connect(this, &QQuickFlickable::contentWidthChanged, this, &orbQuickColumnView::updateRowWidth);
}

orbQuickColumnView::~orbQuickColumnView()
{
    m_layoutTimer.stop();
    destroyAllRows();
    disconnect(this, nullptr, this, nullptr);
    const QList<orbQuickColumnViewColumn *> columns = m_columns;
    m_columns.clear();
    for (orbQuickColumnViewColumn *column : columns) {
        disconnect(column, nullptr, this, nullptr);
        delete column;
    }
    delete m_header.data();
    delete m_dragHandler.data();
}

// ---- properties -----------------------------------------------------------

void orbQuickColumnView::setModel(QAbstractItemModel *model)
{
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    m_warnedEmptyItemData = false;
    destroyAllRows();
    if (m_model) {
        setContentY(headerBottom());
        connectModel();
        setCurrentRowIndex(0);
    }
    checkSelectionModel();
    emit modelChanged();
}

void orbQuickColumnView::connectModel()
{
    connect(m_model, &QAbstractItemModel::rowsAboutToBeInserted, this,
            &orbQuickColumnView::aboutToInsertRows);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &orbQuickColumnView::insertRows);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, &orbQuickColumnView::moveRows);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &orbQuickColumnView::removeRows);
    connect(m_model, &QAbstractItemModel::dataChanged, this, &orbQuickColumnView::updateModelData);
    connect(m_model, &QAbstractItemModel::modelReset, this, &orbQuickColumnView::reloadData);
    connect(m_model, &QAbstractItemModel::modelReset, this, &orbQuickColumnView::modelChanged);
    connect(m_model, &QObject::destroyed, this, &orbQuickColumnView::onModelDestroyed);
}

// The model is gone: drop it as if unset, before any row reads it again.
void orbQuickColumnView::onModelDestroyed(QObject *model)
{
    if (static_cast<QObject *>(m_model) != model)
        return;
    m_model = nullptr;
    destroyAllRows();
    checkSelectionModel();
    emit modelChanged();
}

void orbQuickColumnView::setSelectionModel(QItemSelectionModel *selectionModel)
{
    if (m_selectionModel == selectionModel)
        return;
    if (m_selectionModel)
        disconnect(m_selectionModel, nullptr, this, nullptr);
    m_selectionModel = selectionModel;
    if (m_selectionModel) {
        connect(m_selectionModel, &QItemSelectionModel::currentChanged, this,
                &orbQuickColumnView::onSelectionModelCurrentChanged);
        connect(m_selectionModel, &QItemSelectionModel::selectionChanged, this,
                &orbQuickColumnView::updateIsSelectedRow);
        connect(m_selectionModel, &QItemSelectionModel::modelChanged, this,
                &orbQuickColumnView::checkSelectionModel);
        connect(m_selectionModel, &QObject::destroyed, this,
                &orbQuickColumnView::onSelectionModelDestroyed);
    }
    checkSelectionModel();
    emit selectionModelChanged();
}

void orbQuickColumnView::onSelectionModelDestroyed(QObject *selectionModel)
{
    if (static_cast<QObject *>(m_selectionModel) != selectionModel)
        return;
    m_selectionModel = nullptr;
    checkSelectionModel();
    emit selectionModelChanged();
}

// A selection model over another model than the view's is kept but unused.
QItemSelectionModel *orbQuickColumnView::usableSelectionModel() const
{
    if (!m_selectionModel)
        return nullptr;
    if (m_model && m_selectionModel->model() && m_selectionModel->model() != m_model)
        return nullptr;
    return m_selectionModel;
}

void orbQuickColumnView::checkSelectionModel()
{
    const bool foreign = m_selectionModel && !usableSelectionModel();
    if (foreign && !m_warnedForeignSelection)
        qCWarning(lcColumnView)
            << "orbQuickColumnView: the selection model's model is not the view's model;"
               " the selection model is ignored until they agree";
    m_warnedForeignSelection = foreign;
    updateIsSelectedRow();
    updateIsCurrentRow();
}

void orbQuickColumnView::onSelectionModelCurrentChanged(const QModelIndex &current,
                                                        const QModelIndex &)
{
    if (current.isValid() && usableSelectionModel())
        emit currentRowIndexChanged();
}

void orbQuickColumnView::setRowSpacing(qreal spacing)
{
    if (!acceptSpacing("rowSpacing", spacing) || m_rowSpacing == spacing)
        return;
    m_rowSpacing = spacing;
    emit rowSpacingChanged();
}

int orbQuickColumnView::currentRowIndex() const
{
    const QItemSelectionModel *selection = usableSelectionModel();
    if (!selection || !selection->currentIndex().isValid())
        return -1;
    return selection->currentIndex().row();
}

void orbQuickColumnView::setCurrentRowIndex(int index)
{
    QItemSelectionModel *selection = usableSelectionModel();
    if (!selection || !m_model)
        return;
    const int clamped = std::max(0, std::min(index, rowCount() - 1));
    if (clamped == currentRowIndex())
        return;
    selection->setCurrentIndex(m_model->index(clamped, 0), QItemSelectionModel::Current);
    emit currentRowIndexChanged();
}

int orbQuickColumnView::rowCount() const
{
    return m_model ? m_model->rowCount() : 0;
}

void orbQuickColumnView::setRowDelegate(QQmlComponent *delegate)
{
    if (m_rowDelegate == delegate)
        return;
    m_rowDelegate = delegate;
    probeRowDelegate();
    destroyAllRows();
    emit rowDelegateChanged();
}

// One instance tells the heights of ordinary and current rows.
void orbQuickColumnView::probeRowDelegate()
{
    m_rowHeight = m_currentRowHeight = m_currentRowExtra = 0.0;
    m_tallCurrentRow = false;
    if (!m_rowDelegate)
        return;
    std::unique_ptr<QQuickItem> probe(orbQuickComponent::createItem(m_rowDelegate));
    if (!probe) {
        qCWarning(lcColumnView) << "orbQuickColumnView: the row delegate makes no item:"
                                << m_rowDelegate->errorString();
        return;
    }
    auto *row = qobject_cast<orbQuickColumnViewRow *>(probe.get());
    if (!row) {
        qCWarning(lcColumnView)
            << "orbQuickColumnView: the row delegate is not an ORBColumnViewRow";
        m_rowHeight = probe->implicitHeight();
        return;
    }
    m_rowHeight = row->defaultHeight();
    m_currentRowHeight = row->selectedHeight();
    m_currentRowExtra = m_currentRowHeight - m_rowHeight;
    m_tallCurrentRow = m_rowHeight > 0 && m_currentRowHeight != m_rowHeight;
}

void orbQuickColumnView::setHeader(orbQuickColumnViewHeader *header)
{
    if (m_header == header)
        return;
    if (m_header)
        disconnect(m_header, nullptr, this, nullptr);
    m_header = header;
    if (header) {
        header->setParentItem(this);
        connect(header, &QQuickItem::heightChanged, this, &orbQuickColumnView::updateVisibleRows);
        connect(header, &orbQuickColumnViewHeader::resizingColumnChanged, this,
                &orbQuickColumnView::columnResizingChanged);
    }
    emit headerChanged();
}

void orbQuickColumnView::setColumnSpacing(qreal spacing)
{
    if (!acceptSpacing("columnSpacing", spacing) || m_columnSpacing == spacing)
        return;
    m_columnSpacing = spacing;
    emit columnSpacingChanged();
}

void orbQuickColumnView::setDragHandler(orbQuickDragHandler *handler)
{
    if (m_dragHandler == handler)
        return;
    m_dragHandler = handler;
    if (handler) {
        handler->setParentItem(this);
        m_dragStartTimer = std::make_unique<QTimer>();
        m_dragStartTimer->setSingleShot(true);
        connect(m_dragStartTimer.get(), &QTimer::timeout, this,
                &orbQuickColumnView::initializeDrag);
    }
    emit dragHandlerChanged();
}

void orbQuickColumnView::setDragStartTime(int milliseconds)
{
    if (m_dragStartTime == milliseconds)
        return;
    m_dragStartTime = milliseconds;
    emit dragStartTimeChanged();
}

void orbQuickColumnView::setAsynchronous(bool asynchronous)
{
    if (m_asynchronous == asynchronous)
        return;
    m_asynchronous = asynchronous;
    destroyAllRows();
    updateVisibleRows();
    emit asynchronousChanged();
}

void orbQuickColumnView::onAsynchronousChanged()
{
    destroyAllRows();
    updateVisibleRows();
}

// ---- columns --------------------------------------------------------------

QQmlListProperty<orbQuickColumnViewColumn> orbQuickColumnView::columns()
{
    return QQmlListProperty<orbQuickColumnViewColumn>(this, nullptr, &appendColumn,
                                                      &columnListCount, &columnAt, &clearColumns);
}

void orbQuickColumnView::appendColumn(QQmlListProperty<orbQuickColumnViewColumn> *list,
                                      orbQuickColumnViewColumn *column)
{
    auto *view = static_cast<orbQuickColumnView *>(list->object);
    if (!column)
        return;
    view->addColumnAt(view->m_columns.size(), column);
    emit view->columnsChanged();
}

int orbQuickColumnView::columnListCount(QQmlListProperty<orbQuickColumnViewColumn> *list)
{
    return static_cast<orbQuickColumnView *>(list->object)->m_columns.size();
}

orbQuickColumnViewColumn *
orbQuickColumnView::columnAt(QQmlListProperty<orbQuickColumnViewColumn> *list, int index)
{
    const auto &columns = static_cast<orbQuickColumnView *>(list->object)->m_columns;
    return index >= 0 && index < columns.size() ? columns.at(index) : nullptr;
}

void orbQuickColumnView::clearColumns(QQmlListProperty<orbQuickColumnViewColumn> *list)
{
    auto *view = static_cast<orbQuickColumnView *>(list->object);
    view->destroyAllRows();
    const QList<orbQuickColumnViewColumn *> columns = view->m_columns;
    view->m_columns.clear();
    view->m_visibleColumnOrder.clear();
    for (orbQuickColumnViewColumn *column : columns) {
        disconnect(column, nullptr, view, nullptr);
        delete column;
    }
    emit view->columnsChanged();
}

void orbQuickColumnView::addColumnAt(int position, orbQuickColumnViewColumn *column)
{
    m_columns.insert(position, column);
    column->setIndex(position);
    if (column->isVisible()) {
        m_visibleColumnOrder.append(position);
        column->setXPosition(columnX(m_visibleColumnOrder.size() - 1));
    }
    connect(column, &orbQuickColumnViewColumn::widthChanged, this,
            &orbQuickColumnView::updateColumnLayout);
    connect(column, &orbQuickColumnViewColumn::visibleChanged, this,
            &orbQuickColumnView::updateVisibleColumnIndices);
    connect(column, &orbQuickColumnViewColumn::delegateChanged, this,
            &orbQuickColumnView::onColumnDelegateChanged);
    connect(column, &QObject::destroyed, this, &orbQuickColumnView::onColumnDestroyed);
    updateVisibleColumns();
}

void orbQuickColumnView::insertColumn(int index, orbQuickColumnViewColumn *column)
{
    if (!column)
        return;
    const int position = std::max(0, std::min(index, int(m_columns.size())));
    addColumnAt(position, column);
    renumberColumns(position);
    destroyAllRows();
    updateVisibleRows();
    emit columnsChanged();
}

void orbQuickColumnView::renumberColumns(int from)
{
    for (int i = from; i < m_columns.size(); ++i)
        m_columns.at(i)->setIndex(i);
}

// A destroyed column is matched by address only and never deleted again.
void orbQuickColumnView::onColumnDestroyed(QObject *column)
{
    const auto it = std::find_if(m_columns.begin(), m_columns.end(),
                                 [column](const QObject *kept) { return kept == column; });
    if (it == m_columns.end())
        return;
    m_columns.erase(it);
    destroyAllRows();
    updateVisibleColumnIndices();
    updateVisibleRows();
    emit columnsChanged();
}

// Rows left out for a bad cell delegate come back once it is repaired.
void orbQuickColumnView::onColumnDelegateChanged()
{
    if (m_rowsLeftOut)
        scheduleRowRebuild();
}

qreal orbQuickColumnView::columnX(int orderPosition) const
{
    qreal x = 0.0;
    for (int k = 0; k < orderPosition && k < m_visibleColumnOrder.size(); ++k) {
        const int position = m_visibleColumnOrder.at(k);
        if (position >= 0 && position < m_columns.size())
            x += m_columns.at(position)->width() + m_columnSpacing;
    }
    return x;
}

void orbQuickColumnView::updateVisibleColumnIndices()
{
    QList<orbQuickColumnViewColumn *> visible;
    for (orbQuickColumnViewColumn *column : qAsConst(m_columns)) {
        if (column->isVisible())
            visible.append(column);
    }
    std::sort(visible.begin(), visible.end(),
              [](const orbQuickColumnViewColumn *a, const orbQuickColumnViewColumn *b) {
                  return a->index() < b->index();
              });
    m_visibleColumnOrder.clear();
    for (const orbQuickColumnViewColumn *column : qAsConst(visible)) {
        const auto it = std::find_if(
            m_columns.cbegin(), m_columns.cend(),
            [column](const orbQuickColumnViewColumn *c) { return c->index() == column->index(); });
        m_visibleColumnOrder.append(it == m_columns.cend() ? -1 : int(it - m_columns.cbegin()));
    }
    m_visibleColumnsChanged = true;
    m_columnLayoutChanged = true;
    updateColumnLayout();
}

void orbQuickColumnView::updateColumnLayout()
{
    for (int k = 0; k < m_visibleColumnOrder.size(); ++k) {
        const int position = m_visibleColumnOrder.at(k);
        if (position >= 0 && position < m_columns.size())
            m_columns.at(position)->setXPosition(columnX(k));
    }
    updateVisibleColumns();
    updateContentWidth();
}

void orbQuickColumnView::updateVisibleColumns()
{
    const qreal left = contentX();
    const qreal right = contentX() + width();
    for (orbQuickColumnViewColumn *column : qAsConst(m_columns)) {
        if (!column->isVisible())
            continue;
        const qreal x = std::trunc(column->xPosition());
        column->setOnViewport(std::trunc(x + column->width()) >= left && x <= right);
    }
}

void orbQuickColumnView::updateContentWidth()
{
    if (m_header && m_header->resizingColumn())
        return;
    qreal right = 0.0;
    if (!m_visibleColumnOrder.isEmpty()) {
        const int position = m_visibleColumnOrder.last();
        if (position >= 0 && position < m_columns.size())
            right = m_columns.at(position)->xPosition() + m_columns.at(position)->width();
    }
    const bool done = m_columnLayoutChanged && (m_viewMovedHorizontally || m_visibleColumnsChanged);
    m_columnLayoutChanged = m_viewMovedHorizontally = m_visibleColumnsChanged = false;
    if (!done && !isDragging())
        right += std::max<qreal>(0.0, width() - (right - contentX()));
    setContentWidth(std::max(width(), right));
}

void orbQuickColumnView::updateRowWidth()
{
    for (orbQuickColumnViewRow *row : qAsConst(m_visibleRows))
        row->setWidth(contentWidth());
}

void orbQuickColumnView::columnResizingChanged()
{
    if (m_header && m_header->resizingColumn()) {
        m_contentXLocked = true;
        m_savedContentX = int(std::trunc(contentX()));
        return;
    }
    updateColumnLayout();
    m_contentXLocked = false;
    setContentX(m_savedContentX);
    m_savedContentX = -1;
    m_columnLayoutChanged = true;
}

void orbQuickColumnView::setContentX(qreal x)
{
    if (m_contentXLocked)
        return;
    QQuickFlickable::setContentX(x);
    if (m_columnLayoutChanged && !isDraggingHorizontally()) {
        m_viewMovedHorizontally = true;
        updateContentWidth();
    }
    updateVisibleColumns();
}

void orbQuickColumnView::viewportMoved(Qt::Orientations orientations)
{
    QQuickFlickable::viewportMoved(orientations);
    if (orientations & Qt::Vertical)
        updateVisibleRows();
    if (orientations & Qt::Horizontal) {
        if (m_columnLayoutChanged) {
            updateViewMovedHorizontally();
            updateContentWidth();
        }
        updateVisibleColumns();
    }
    if (isDragging())
        m_viewMoved = true;
    if (m_dragStartTimer && m_dragStartTimer->isActive())
        m_dragStartTimer->stop();
}

void orbQuickColumnView::updateViewMovedHorizontally()
{
    if (!m_viewMovedHorizontally)
        m_viewMovedHorizontally = isDraggingHorizontally();
}

void orbQuickColumnView::resetViewMoved()
{
    if (!m_clickCandidate)
        m_viewMoved = false;
}

void orbQuickColumnView::moveColumn(int from, int to, bool positionViewAtColumn)
{
    const int count = m_columns.size();
    if (from < 0 || from >= count || to < 0 || to >= count)
        return;
    QList<orbQuickColumnViewColumn *> ordered = m_columns;
    std::sort(ordered.begin(), ordered.end(),
              [](const orbQuickColumnViewColumn *a, const orbQuickColumnViewColumn *b) {
                  return a->index() < b->index();
              });
    ordered.move(from, to);
    for (int i = 0; i < ordered.size(); ++i)
        ordered.at(i)->setIndex(i);
    updateVisibleColumnIndices();
    if (positionViewAtColumn)
        positionViewAtColumnIndex(to);
}

void orbQuickColumnView::positionViewAtColumnIndex(int columnIndex)
{
    const auto it = std::find_if(
        m_columns.cbegin(), m_columns.cend(),
        [columnIndex](const orbQuickColumnViewColumn *c) { return c->index() == columnIndex; });
    if (it == m_columns.cend() || !(*it)->isVisible())
        return;
    const qreal left = (*it)->xPosition();
    const qreal right = left + (*it)->width();
    if (left >= contentX() && right <= contentX() + width())
        return;
    setContentX(std::max<qreal>(0.0, std::min(left, contentWidth() - width())));
}

// ---- row geometry ---------------------------------------------------------

qreal orbQuickColumnView::headerBottom() const
{
    return m_header ? m_header->y() + m_header->height() : 0.0;
}

qreal orbQuickColumnView::rowY(int row) const
{
    qreal y = headerBottom() + row * pitch();
    if (m_tallCurrentRow && row > currentRowIndex())
        y += m_currentRowExtra;
    return y;
}

qreal orbQuickColumnView::rowHeightAt(int row) const
{
    return m_tallCurrentRow && row == currentRowIndex() ? m_currentRowHeight : m_rowHeight;
}

int orbQuickColumnView::clampRow(int row) const
{
    return std::max(0, std::min(row, rowCount() - 1));
}

int orbQuickColumnView::firstRowOnScreen() const
{
    if (!m_model || pitch() <= 0.0)
        return 0;
    int first = int(std::trunc(contentY() / pitch()));
    if (m_tallCurrentRow && currentRowIndex() <= first)
        first -= int(std::ceil(m_currentRowExtra / m_rowHeight));
    return clampRow(first);
}

int orbQuickColumnView::lastRowOnScreen() const
{
    if (!m_model || height() < 1.0 || pitch() <= 0.0)
        return 0;
    int last = int(std::trunc((contentY() + height() - headerBottom()) / pitch()));
    if (m_tallCurrentRow && currentRowIndex() <= last)
        last += int(std::floor(m_currentRowExtra / m_rowHeight));
    return clampRow(last);
}

void orbQuickColumnView::updateContentHeight()
{
    qreal contentHeight = pitch() * rowCount() + headerBottom();
    if (m_tallCurrentRow)
        contentHeight += m_currentRowExtra;
    setContentHeight(contentHeight);
}

// ---- rows -----------------------------------------------------------------

// QML sets the model, the row delegate and the columns one after another, and
// a column's delegate may come last: rows built before the view is complete
// would be made only to be thrown away.
void orbQuickColumnView::componentComplete()
{
    QQuickFlickable::componentComplete();
    updateVisibleRows();
}

void orbQuickColumnView::updateVisibleRows()
{
    if (!isComponentComplete())
        return;
    const bool noRows = !m_model || rowCount() == 0;
    if (noRows && m_visibleRows.isEmpty())
        return;
    if (noRows || pitch() <= 0.0) {
        updateRowCache(-1, -1);
        return;
    }
    const int first = firstRowOnScreen();
    const int last = lastRowOnScreen();
    updateRowCache(first, last);
    if (!m_visibleRows.isEmpty()) {
        for (int i = m_visibleRows.first()->index() - 1; i >= first; --i) {
            if (orbQuickColumnViewRow *row = obtainRow(i))
                m_visibleRows.prepend(row);
        }
    }
    const int next = m_visibleRows.isEmpty() ? first : m_visibleRows.last()->index() + 1;
    for (int i = next; i <= last; ++i) {
        if (orbQuickColumnViewRow *row = obtainRow(i))
            m_visibleRows.append(row);
    }
    m_lastLaidOutRow = first - 1;
    layoutRows();
}

void orbQuickColumnView::updateRowCache(int minRowIndex, int maxRowIndex)
{
    const bool overlaps = !m_visibleRows.isEmpty() && m_visibleRows.first()->index() <= maxRowIndex
        && m_visibleRows.last()->index() >= minRowIndex;
    if ((minRowIndex < 0 && maxRowIndex < 0) || !overlaps) {
        while (!m_visibleRows.isEmpty())
            releaseRow(m_visibleRows.takeFirst());
        return;
    }
    while (!m_visibleRows.isEmpty() && m_visibleRows.first()->index() < minRowIndex)
        releaseRow(m_visibleRows.takeFirst());
    while (!m_visibleRows.isEmpty() && m_visibleRows.last()->index() > maxRowIndex)
        releaseRow(m_visibleRows.takeLast());
}

void orbQuickColumnView::releaseRow(orbQuickColumnViewRow *row)
{
    row->release();
    m_rowPool.append(row);
}

orbQuickColumnViewRow *orbQuickColumnView::obtainRow(int index)
{
    if (index < 0 || !m_model)
        return nullptr;
    orbQuickColumnViewRow *row = m_rowPool.isEmpty() ? createRow() : m_rowPool.takeLast();
    if (!row)
        return nullptr;
    row->setVisible(true);
    row->setIndex(index);
    row->setRowHeight(rowHeightAt(index));
    row->setY(rowY(index));
    return row;
}

orbQuickColumnViewRow *orbQuickColumnView::createRow()
{
    if (!m_rowDelegate)
        return nullptr;
    QQuickItem *item = orbQuickComponent::createItem(m_rowDelegate);
    auto *row = qobject_cast<orbQuickColumnViewRow *>(item);
    if (!row) {
        delete item;
        return nullptr;
    }
    row->setParent(contentItem());
    row->setParentItem(contentItem());
    row->setView(this);
    try {
        row->setModel(m_model);
    } catch (const orbQuickColumnViewRow::NoDelegate &) {
        delete row;
        m_rowsLeftOut = true;
        return nullptr;
    } catch (const orbQuickColumnViewRow::InvalidDelegate &error) {
        delete row;
        m_rowsLeftOut = true;
        if (!m_reportedInvalidDelegate)
            qCritical("%s", error.what());
        m_reportedInvalidDelegate = true;
        return nullptr;
    }
    m_rowsLeftOut = false;
    m_reportedInvalidDelegate = false;
    if (m_asynchronous)
        row->setThreadPool(QThreadPool::globalInstance());
    return row;
}

void orbQuickColumnView::destroyAllRows()
{
    m_layoutTimer.stop();
    const QList<orbQuickColumnViewRow *> rows = m_visibleRows + m_rowPool;
    m_visibleRows.clear();
    m_rowPool.clear();
    qDeleteAll(rows);
}

void orbQuickColumnView::scheduleRowRebuild()
{
    if (m_rowRebuildScheduled)
        return;
    m_rowRebuildScheduled = true;
    QMetaObject::invokeMethod(this, &orbQuickColumnView::rebuildRows, Qt::QueuedConnection);
}

void orbQuickColumnView::rebuildRows()
{
    m_rowRebuildScheduled = false;
    destroyAllRows();
    updateVisibleRows();
}

// Placed a slice at a time; the timer resumes after a short gap.
void orbQuickColumnView::layoutRows()
{
    QElapsedTimer elapsed;
    elapsed.start();
    const int current = currentRowIndex();
    for (int k = 0; k < m_visibleRows.size(); ++k) {
        orbQuickColumnViewRow *row = m_visibleRows.at(k);
        const int index = row->index();
        if (index <= m_lastLaidOutRow)
            continue;
        m_lastLaidOutRow = index;
        row->setWidth(contentWidth());
        row->setRowHeight(rowHeightAt(index));
        row->setY(rowY(index));
        row->setCurrentRow(index == current);
        row->setSelectedRow(isRowSelected(index));
        if (elapsed.elapsed() >= layoutSliceMs) {
            m_layoutTimer.start(layoutGapMs);
            return;
        }
    }
}

bool orbQuickColumnView::isRowSelected(int row) const
{
    const QItemSelectionModel *selection = usableSelectionModel();
    return selection && m_model && selection->isSelected(m_model->index(row, 0));
}

orbQuickColumnViewRow *orbQuickColumnView::rowForContentYPosition(qreal contentYPosition,
                                                                  bool strictBoundaries)
{
    if (m_visibleRows.isEmpty())
        return nullptr;
    if (strictBoundaries) {
        const orbQuickColumnViewRow *last = m_visibleRows.last();
        if (contentYPosition < m_visibleRows.first()->y()
            || contentYPosition > last->y() + last->height())
            return nullptr;
    }
    const auto it
        = std::upper_bound(m_visibleRows.cbegin(), m_visibleRows.cend(), contentYPosition,
                           [](qreal y, const orbQuickColumnViewRow *row) { return y < row->y(); });
    return it == m_visibleRows.cbegin() ? nullptr : *(it - 1);
}

int orbQuickColumnView::rowIndexAt(const QPointF &viewPoint) const
{
    QQuickItem *child
        = contentItem()->childAt(contentX() + viewPoint.x(), contentY() + viewPoint.y());
    if (auto *row = qobject_cast<orbQuickColumnViewRow *>(child))
        return row->index();
    const qreal y = viewPoint.y();
    if (y < headerBottom() || y > contentHeight() - headerBottom() || pitch() <= 0.0)
        return -1;
    return int(std::trunc((contentY() + y - headerBottom()) / pitch()));
}

QVariant orbQuickColumnView::rowDataMap(int row) const
{
    if (!m_model)
        return {};
    const QMap<int, QVariant> data = m_model->itemData(m_model->index(row, 0));
    const QHash<int, QByteArray> names = m_model->roleNames();
    QVariantMap map;
    for (auto it = names.cbegin(); it != names.cend(); ++it)
        map.insert(QString::fromUtf8(it.value()), data.value(it.key()));
    return map;
}

QVariant orbQuickColumnView::getRowDataForRowAtMousePosition(qreal posX, qreal posY)
{
    QQuickItem *child = contentItem()->childAt(contentX() + posX, contentY() + posY);
    auto *row = qobject_cast<orbQuickColumnViewRow *>(child);
    return row ? rowDataMap(row->index()) : QVariant();
}

void orbQuickColumnView::checkFetchedData(const QHash<int, QByteArray> &roleNames,
                                          const QMap<int, QVariant> &data)
{
    if (m_warnedEmptyItemData || roleNames.isEmpty())
        return;
    for (auto it = data.cbegin(); it != data.cend(); ++it) {
        if (roleNames.contains(it.key()))
            return;
    }
    m_warnedEmptyItemData = true;
    qCWarning(lcColumnView) << "orbQuickColumnView: a fetched row holds none of the model's roles;"
                               " the model's itemData() must return its named roles";
}

// ---- model notifications --------------------------------------------------

void orbQuickColumnView::updateModelData(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                         const QVector<int> &)
{
    if (topLeft.column() != bottomRight.column() || topLeft.row() > bottomRight.row()) {
        qWarning() << Q_FUNC_INFO << "Unable to modify range:" << topLeft << bottomRight;
        return;
    }
    refreshRowRange(topLeft.row(), bottomRight.row());
}

void orbQuickColumnView::refreshRowRange(int top, int bottom)
{
    if (m_visibleRows.isEmpty())
        return;
    const int firstVisible = m_visibleRows.first()->index();
    const int lastVisible = m_visibleRows.last()->index();
    const bool topInside = top >= firstVisible && top <= lastVisible;
    const bool bottomInside = bottom >= firstVisible && bottom <= lastVisible;
    const bool covering = top <= firstVisible && bottom >= lastVisible;
    if (!topInside && !bottomInside && !covering)
        return;
    const int current = currentRowIndex();
    for (int k = std::max(top, firstVisible) - firstVisible; k < m_visibleRows.size(); ++k) {
        orbQuickColumnViewRow *row = m_visibleRows.at(k);
        row->fetch();
        row->setCurrentRow(row->index() == current);
        row->setSelectedRow(isRowSelected(row->index()));
    }
}

void orbQuickColumnView::aboutToInsertRows(const QModelIndex &, int, int)
{
}

void orbQuickColumnView::insertRows(const QModelIndex &, int start, int end)
{
    refreshRowRange(start, std::max(end, lastRowOnScreen()));
    emit modelChanged();
}

void orbQuickColumnView::removeRows(const QModelIndex &, int start, int end)
{
    if (!m_visibleRows.isEmpty()) {
        refreshRowRange(start, std::max(end, m_visibleRows.last()->index()));
        for (int k = m_visibleRows.size() - 1; k >= 0; --k) {
            if (!m_visibleRows.at(k)->isValid())
                releaseRow(m_visibleRows.takeAt(k));
        }
    }
    emit modelChanged();
}

void orbQuickColumnView::moveRows(const QModelIndex &, int sourceStart, int sourceEnd,
                                  const QModelIndex &, int destinationRow)
{
    refreshRowRange(std::min(sourceStart, destinationRow), std::max(sourceEnd + 1, destinationRow));
}

void orbQuickColumnView::reloadData()
{
    updateRowCache(-1, -1);
}

void orbQuickColumnView::updateIsCurrentRow()
{
    const int current = currentRowIndex();
    for (orbQuickColumnViewRow *row : qAsConst(m_visibleRows))
        row->setCurrentRow(row->index() == current);
}

void orbQuickColumnView::updateIsSelectedRow()
{
    for (orbQuickColumnViewRow *row : qAsConst(m_visibleRows))
        row->setSelectedRow(isRowSelected(row->index()));
    updateVisibleRows();
}

// ---- scrolling ------------------------------------------------------------

void orbQuickColumnView::positionViewAtIndex(int index)
{
    qreal h = m_rowHeight;
    if (m_tallCurrentRow && index >= currentRowIndex())
        h += m_currentRowExtra;
    const qreal y = rowY(index);
    if (y > contentY() + headerBottom()) {
        if (y + h <= contentY() + height())
            return;
        setContentY(std::max<qreal>(0.0, std::min(y - height() + h, contentHeight() - height())));
        return;
    }
    setContentY(std::max<qreal>(0.0, std::min(y - headerBottom(), contentHeight() - h)));
}

void orbQuickColumnView::scrollPage(bool up, bool updateRowIndex)
{
    if (pitch() <= 0.0)
        return;
    const int rowsPerPage = int(std::floor((height() - headerBottom()) / pitch() + 0.5));
    const qreal step = std::max<qreal>(0.0, rowsPerPage * pitch());
    const int current = currentRowIndex();
    if (updateRowIndex) {
        const int first = firstRowOnScreen();
        const int last = lastRowOnScreen();
        if (current < first || current > last) {
            setCurrentRowIndex(up ? first : last);
            return;
        }
    }
    const qreal target = up ? contentY() - std::trunc(step) : contentY() + std::trunc(step);
    if (updateRowIndex)
        setCurrentRowIndex(up ? current - rowsPerPage : current + rowsPerPage);
    setContentY(std::max<qreal>(0.0, std::min(target, contentHeight() - height())));
}

// ---- mouse ----------------------------------------------------------------

void orbQuickColumnView::emitRowSignal(void (orbQuickColumnView::*signal)(int,
                                                                          orbQuickMouseEvent *),
                                       int row, const QPointF &position, QMouseEvent *event)
{
    if (row < 0 || !contains(position))
        return;
    orbQuickMouseEvent mouse(int(position.x()), int(position.y()), int(event->button()),
                             int(event->buttons()), int(event->modifiers()));
    emit(this->*signal)(row, &mouse);
}

void orbQuickColumnView::handlePress(const QPointF &position, QMouseEvent *event)
{
    m_clickCandidate = !isFlicking() && !isDragging();
    cancelFlick();
    m_pressPosition = position;
    m_pressedRow = rowIndexAt(position);
    if (m_pressedRow >= 0) {
        m_dragRowData = rowDataMap(m_pressedRow);
        emit dragRowDataChanged();
        if (m_dragHandler && event->button() == Qt::LeftButton) {
            m_dragHandler->update();
            m_dragStartTimer->start(m_dragStartTime);
        }
    }
    emitRowSignal(&orbQuickColumnView::rowPressed, m_pressedRow, position, event);
}

void orbQuickColumnView::handleMove(const QPointF &position)
{
    if (m_clickCandidate
        && (std::abs(position.x() - m_pressPosition.x()) > clickSlop
            || std::abs(position.y() - m_pressPosition.y()) > clickSlop))
        m_clickCandidate = false;
}

void orbQuickColumnView::handleRelease(const QPointF &position, QMouseEvent *event)
{
    if (m_clickCandidate) {
        emitRowSignal(&orbQuickColumnView::rowClicked, m_pressedRow, position, event);
        m_clickCandidate = false;
    }
    if (m_dragStartTimer && m_dragStartTimer->isActive())
        m_dragStartTimer->stop();
    m_viewMoved = false;
}

void orbQuickColumnView::handleDoubleClick(const QPointF &position, QMouseEvent *event)
{
    emitRowSignal(&orbQuickColumnView::rowDoubleClicked, m_pressedRow, position, event);
}

void orbQuickColumnView::mousePressEvent(QMouseEvent *event)
{
    forceActiveFocus();
    handlePress(event->localPos(), event);
    if (!m_dragHandler)
        QQuickFlickable::mousePressEvent(event);
}

void orbQuickColumnView::mouseMoveEvent(QMouseEvent *event)
{
    handleMove(event->localPos());
    if (!m_dragHandler)
        QQuickFlickable::mouseMoveEvent(event);
}

void orbQuickColumnView::mouseReleaseEvent(QMouseEvent *event)
{
    handleRelease(event->localPos(), event);
    if (!m_dragHandler)
        QQuickFlickable::mouseReleaseEvent(event);
}

void orbQuickColumnView::mouseDoubleClickEvent(QMouseEvent *event)
{
    handleDoubleClick(event->localPos(), event);
    if (!m_dragHandler)
        QQuickItem::mouseDoubleClickEvent(event);
}

bool orbQuickColumnView::childMouseEventFilter(QQuickItem *item, QEvent *event)
{
    auto *mouseArea = qobject_cast<QQuickMouseArea *>(item);
    if ((mouseArea && mouseArea->preventStealing()) || qobject_cast<QQuickTextInput *>(item))
        return false;
    if (m_dragHandler && m_dragHandler->isDragging())
        return true;
    const bool mouseEvent = event->type() == QEvent::MouseButtonPress
        || event->type() == QEvent::MouseButtonRelease
        || event->type() == QEvent::MouseButtonDblClick || event->type() == QEvent::MouseMove;
    if (mouseEvent && filterChildEvent(item, static_cast<QMouseEvent *>(event)))
        return false;
    return QQuickFlickable::childMouseEventFilter(item, event);
}

// Runs the view's own press, release and double-click handling on a child's
// event; true when the header keeps the event to itself.
bool orbQuickColumnView::filterChildEvent(QQuickItem *item, QMouseEvent *event)
{
    if (m_header) {
        const QPointF inHeader = m_header->mapFromItem(item, event->localPos());
        if (m_header->contains(inHeader) || m_header->resizingColumn())
            return true;
    }
    if (event->type() == QEvent::MouseMove)
        return false;
    QPointF position;
    if (event->source() == Qt::MouseEventNotSynthesized)
        position = mapFromItem(item, event->localPos());
    else if (event->source() == Qt::MouseEventSynthesizedByQt)
        position = event->localPos();
    else
        return false;
    QMouseEvent copy(event->type(), position, event->windowPos(), event->screenPos(),
                     event->button(), event->buttons(), event->modifiers(), event->source());
    if (event->type() == QEvent::MouseButtonPress)
        handlePress(position, &copy);
    else if (event->type() == QEvent::MouseButtonRelease)
        handleRelease(position, &copy);
    else
        handleDoubleClick(position, &copy);
    return false;
}

void orbQuickColumnView::initializeDrag()
{
    if (!m_dragHandler || !m_dragHandler->isEnabled())
        return;
    const int row = rowIndexAt(m_pressPosition);
    QItemSelectionModel *selection = usableSelectionModel();
    if (row >= 0 && selection && m_model) {
        const QModelIndex index = m_model->index(row, 0);
        if (!selection->isSelected(index)) {
            if (currentRowIndex() != row)
                setCurrentRowIndex(row);
            selection->select(index,
                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Current);
        }
    }
    m_clickCandidate = false;
    ungrabMouse();
    m_viewMoved = false;
    m_dragHandler->executeDrag();
}
