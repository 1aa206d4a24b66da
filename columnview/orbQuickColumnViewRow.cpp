#include "orbQuickColumnViewRow.h"

#include "RowRunner.h"
#include "orbQuickColumnView.h"
#include "orbQuickColumnViewCell.h"
#include "orbQuickColumnViewColumn.h"
#include "orbQuickComponent.h"

#include <QtCore/QAbstractItemModel>
#include <QtCore/QThread>
#include <QtCore/QThreadPool>
#include <QtQml/QQmlEngine>

#include <chrono>

const char *orbQuickColumnViewRow::NoDelegate::what() const noexcept
{
    return "orbQuickColumnViewColumn has a null delegate";
}

const char *orbQuickColumnViewRow::InvalidDelegate::what() const noexcept
{
    return "orbQuickColumnViewColumn delegate is not of type orbQuickColumnViewCell "
           "(ORBColumnViewCell)";
}

orbQuickColumnViewRow::orbQuickColumnViewRow(QQuickItem *parent)
    : QQuickRectangle(parent)
{
}

// Tasks still inside run() use this row: wake the sleeping ones (they then
// read nothing) and wait for all of them.
orbQuickColumnViewRow::~orbQuickColumnViewRow()
{
    if (m_threadPool) {
        cancelCurrentTask();
        {
            std::unique_lock<std::mutex> locker(m_mutex);
            m_closing = true;
            m_wake.notify_all();
        }
        while (m_runningTasks.load() > 0)
            QThread::msleep(1);
    }
    disconnect(this, nullptr, nullptr, nullptr);
    deleteCells();
    m_pending.clear();
}

void orbQuickColumnViewRow::setDefaultHeight(qreal height)
{
    if (m_defaultHeight == height)
        return;
    m_defaultHeight = height;
    emit defaultHeightChanged();
}

void orbQuickColumnViewRow::setSelectedHeight(qreal height)
{
    if (m_selectedHeight == height)
        return;
    m_selectedHeight = height;
    emit selectedHeightChanged();
}

void orbQuickColumnViewRow::setFetchDelay(int delay)
{
    if (m_fetchDelay == delay)
        return;
    m_fetchDelay = delay;
    emit fetchDelayChanged();
}

void orbQuickColumnViewRow::setModel(QAbstractItemModel *model)
{
    if (m_model == model)
        return;
    deleteCells();
    {
        std::unique_lock<std::mutex> locker(m_modelMutex);
        m_model = model;
    }
    m_modelIndex = model ? model->index(index(), 0) : QModelIndex();
    m_roleNames = model ? model->roleNames() : QHash<int, QByteArray>();
    rebuildCells();
}

void orbQuickColumnViewRow::rebuildCells()
{
    deleteCells();
    if (!m_view)
        return;
    for (orbQuickColumnViewColumn *column : m_view->columnList())
        createCell(column);
}

void orbQuickColumnViewRow::setThreadPool(QThreadPool *pool)
{
    if (!m_threadPool)
        m_threadPool = pool;
}

void orbQuickColumnViewRow::createCell(orbQuickColumnViewColumn *column)
{
    for (int i = 0; i < m_cells.size(); ++i) {
        if (m_cells.at(i)->column() == column) {
            delete m_cells.takeAt(i);
            break;
        }
    }
    if (!column->delegate())
        throw NoDelegate();
    QQuickItem *item
        = orbQuickComponent::createItem(column->delegate(), QQmlEngine::contextForObject(this));
    auto *cell = qobject_cast<orbQuickColumnViewCell *>(item);
    if (!cell) {
        delete item;
        throw InvalidDelegate();
    }
    connect(column, &orbQuickColumnViewColumn::delegateChanged, this,
            &orbQuickColumnViewRow::cellDelegateChanged, Qt::UniqueConnection);
    cell->setParent(this);
    cell->setParentItem(this);
    cell->setRow(this);
    cell->setColumn(column);
    cell->setHeight(height());
    cell->updateVisibility();
    m_cells.append(cell);
}

void orbQuickColumnViewRow::deleteCells()
{
    qDeleteAll(m_cells);
    m_cells.clear();
}

// Runs from a slot: a failure leaves the cell out and lets the view decide
// what becomes of the row.
void orbQuickColumnViewRow::cellDelegateChanged()
{
    auto *column = qobject_cast<orbQuickColumnViewColumn *>(sender());
    if (!column)
        return;
    try {
        createCell(column);
    } catch (const std::exception &) {
        if (m_view)
            m_view->scheduleRowRebuild();
    }
}

void orbQuickColumnViewRow::setIndex(int index)
{
    if (m_index.load() == index)
        return;
    m_index.store(index);
    m_modelIndex = QModelIndex();
    fetch();
    emit indexChanged();
}

void orbQuickColumnViewRow::setValid(bool valid)
{
    if (m_valid == valid)
        return;
    m_valid = valid;
    emit validChanged();
}

void orbQuickColumnViewRow::fetch()
{
    if (!m_model || index() < 0)
        return;
    m_modelIndex = m_model->index(index(), 0);
    if (!m_modelIndex.isValid())
        return;
    setValid(false);
    if (!m_threadPool) {
        const QMap<int, QVariant> data = m_model->itemData(m_modelIndex);
        {
            std::unique_lock<std::mutex> locker(m_mutex);
            m_pending.append({1, data, index()});
        }
        onNewData();
        return;
    }
    cancelCurrentTask();
    startTask();
}

void orbQuickColumnViewRow::cancelCurrentTask()
{
    std::unique_lock<std::mutex> locker(m_mutex);
    RowRunner *task = m_currentTask;
    if (!task)
        return;
    disconnect(task, nullptr, this, nullptr);
    // Taken while the mutex is held: a task cannot finish its destructor
    // before it has cleared itself here under that mutex, so the pointer
    // still names this row's task and not a new one at the same address.
    // The pool runs and deletes tasks without its own lock held, so this
    // order of the two locks cannot deadlock. Only a task still queued is
    // taken; it was never run, so it is ours to delete.
    if (m_threadPool->tryTake(task)) {
        m_currentTask = nullptr;
        locker.unlock();
        delete task;
    }
}

void orbQuickColumnViewRow::startTask()
{
    std::unique_lock<std::mutex> locker(m_mutex);
    ++m_runningTasks;
    ++m_generation;
    auto *task = new RowRunner(this, m_generation, m_fetchDelay);
    m_currentTask = task;
    connect(task, &RowRunner::finished, this, &orbQuickColumnViewRow::onNewData,
            Qt::QueuedConnection);
    task->handedToPool();
    m_threadPool->start(task, 0);
}

void orbQuickColumnViewRow::sleepForFetch(int milliseconds)
{
    const auto deadline
        = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::unique_lock<std::mutex> locker(m_mutex);
    m_wake.wait_until(locker, deadline, [this] { return m_closing.load(); });
}

// Holding the model mutex keeps the model from being dropped mid-read.
bool orbQuickColumnViewRow::readForTask(int generation, int rowIndex)
{
    QMap<int, QVariant> data;
    {
        std::unique_lock<std::mutex> modelLocker(m_modelMutex);
        if (m_closing || !m_model)
            return false;
        data = m_model->itemData(m_model->index(rowIndex, 0));
    }
    std::unique_lock<std::mutex> locker(m_mutex);
    m_pending.append({generation, std::move(data), rowIndex});
    return true;
}

void orbQuickColumnViewRow::forgetTask(RowRunner *task)
{
    std::unique_lock<std::mutex> locker(m_mutex);
    if (m_currentTask == task)
        m_currentTask = nullptr;
}

// The pending list is taken under the mutex and applied outside it, so that
// QML reacting to the signals may move the row again.
void orbQuickColumnViewRow::onNewData()
{
    QList<PendingResult> pending;
    {
        std::unique_lock<std::mutex> locker(m_mutex);
        pending.swap(m_pending);
    }
    const PendingResult *newest = nullptr;
    for (const PendingResult &result : qAsConst(pending)) {
        if (result.index == index() && result.generation > 0
            && (!newest || result.generation > newest->generation))
            newest = &result;
    }
    if (newest)
        applyResult(*newest);
}

void orbQuickColumnViewRow::applyResult(const PendingResult &result)
{
    if (result.data != m_data) {
        m_data = result.data;
        emit dataChanged();
    }
    setValid(true);
    if (m_view)
        m_view->checkFetchedData(m_roleNames, m_data);
    for (orbQuickColumnViewCell *cell : qAsConst(m_cells))
        cell->updateVisibility();
}

QMap<int, QVariant> orbQuickColumnViewRow::getData()
{
    if (!m_model || index() < 0)
        return {};
    return m_model->itemData(m_model->index(index(), 0));
}

QString orbQuickColumnViewRow::getStringData(int role)
{
    return m_data.value(role).toString();
}

bool orbQuickColumnViewRow::getBoolData(int role)
{
    return m_data.value(role).toBool();
}

void orbQuickColumnViewRow::release()
{
    if (index() != -1) {
        m_index.store(-1);
        m_modelIndex = QModelIndex();
        fetch();
        emit indexChanged();
    }
    setValid(false);
    if (m_isSelectedRow) {
        m_isSelectedRow = false;
        emit isSelectedRowChanged();
    }
    if (m_isCurrentRow) {
        m_isCurrentRow = false;
        emit isCurrentRowChanged();
    }
    setVisible(false);
    for (orbQuickColumnViewCell *cell : qAsConst(m_cells))
        cell->hideAndForget();
    m_generation = 0;
}

void orbQuickColumnViewRow::setCurrentRow(bool current)
{
    if (m_isCurrentRow == current)
        return;
    m_isCurrentRow = current;
    emit isCurrentRowChanged();
}

void orbQuickColumnViewRow::setSelectedRow(bool selected)
{
    if (m_isSelectedRow == selected)
        return;
    m_isSelectedRow = selected;
    emit isSelectedRowChanged();
}

void orbQuickColumnViewRow::setRowHeight(qreal height)
{
    if (this->height() == height)
        return;
    setHeight(height);
    for (orbQuickColumnViewCell *cell : qAsConst(m_cells))
        cell->setHeight(height);
}

int orbQuickColumnViewRow::roleNumber(const QString &roleName) const
{
    const QByteArray name = roleName.toUtf8();
    for (auto it = m_roleNames.cbegin(); it != m_roleNames.cend(); ++it) {
        if (it.value() == name)
            return it.key();
    }
    return 0;
}

QVariant orbQuickColumnViewRow::roleValue(const QString &roleName) const
{
    if (!m_valid || !m_model || index() < 0)
        return {};
    return m_data.value(roleNumber(roleName));
}

void orbQuickColumnViewRow::writeRoleValue(const QString &roleName, const QVariant &value)
{
    if (!m_valid || !m_model || index() < 0)
        return;
    m_model->setData(m_model->index(index(), 0), value, roleNumber(roleName));
}

void orbQuickColumnViewRow::refreshCell(const QString &roleName)
{
    for (orbQuickColumnViewCell *cell : qAsConst(m_cells)) {
        if (cell->column() && cell->column()->role() == roleName)
            cell->refreshData();
    }
}
