#pragma once

#include <QtCore/QHash>
#include <QtCore/QList>
#include <QtCore/QMap>
#include <QtCore/QModelIndex>
#include <QtCore/QPointer>
#include <QtCore/QVariant>
#include <QtQuick/private/qquickrectangle_p.h>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>

class QAbstractItemModel;
class QThreadPool;
class RowRunner;
class orbQuickColumnView;
class orbQuickColumnViewCell;
class orbQuickColumnViewColumn;

// One row of a column view: a cell per column and a cached copy of its model
// row's item data, read at once or by RowRunner tasks on a thread pool, of
// which only the newest result for the current index is kept. Created, moved
// between model rows and deleted by its view on the GUI thread; tasks touch
// only the index, the model read (under the model mutex) and the pending
// list (under the row mutex).
class orbQuickColumnViewRow : public QQuickRectangle
{
    Q_OBJECT
    Q_PROPERTY(int index READ index NOTIFY indexChanged)
    Q_PROPERTY(bool isCurrentRow READ isCurrentRow NOTIFY isCurrentRowChanged)
    Q_PROPERTY(bool isSelectedRow READ isSelectedRow NOTIFY isSelectedRowChanged)
    Q_PROPERTY(
        qreal defaultHeight READ defaultHeight WRITE setDefaultHeight NOTIFY defaultHeightChanged)
    Q_PROPERTY(qreal selectedHeight READ selectedHeight WRITE setSelectedHeight NOTIFY
                   selectedHeightChanged)
    Q_PROPERTY(int fetchDelay READ fetchDelay WRITE setFetchDelay NOTIFY fetchDelayChanged)

public:
    class NoDelegate : public std::exception
    {
    public:
        const char *what() const noexcept override;
    };
    class InvalidDelegate : public std::exception
    {
    public:
        const char *what() const noexcept override;
    };

    explicit orbQuickColumnViewRow(QQuickItem *parent = nullptr);
    ~orbQuickColumnViewRow() override;

    int index() const { return m_index.load(); }
    bool isCurrentRow() const { return m_isCurrentRow; }
    bool isSelectedRow() const { return m_isSelectedRow; }
    qreal defaultHeight() const { return m_defaultHeight; }
    void setDefaultHeight(qreal height);
    qreal selectedHeight() const { return m_selectedHeight; }
    void setSelectedHeight(qreal height);
    int fetchDelay() const { return m_fetchDelay; }
    void setFetchDelay(int delay);
    bool isValid() const { return m_valid; }

    // The view's side.
    void setView(orbQuickColumnView *view) { m_view = view; }
    // Builds one cell per column of the view; throws NoDelegate or InvalidDelegate.
    void setModel(QAbstractItemModel *model);
    void setThreadPool(QThreadPool *pool);
    void setIndex(int index);
    void fetch();
    void release();
    void setCurrentRow(bool current);
    void setSelectedRow(bool selected);
    void setRowHeight(qreal height);
    QVariant roleValue(const QString &roleName) const;
    void writeRoleValue(const QString &roleName, const QVariant &value);
    void refreshCell(const QString &roleName);
    // Rebuilds every cell; throws as setModel does.
    void rebuildCells();

    // The tasks' side (any thread).
    void sleepForFetch(int milliseconds);
    bool readForTask(int generation, int rowIndex);
    void forgetTask(RowRunner *task);
    void taskEnded() { --m_runningTasks; }

public slots:
    void onNewData();
    QMap<int, QVariant> getData();
    QString getStringData(int role);
    bool getBoolData(int role);

signals:
    void indexChanged();
    void isCurrentRowChanged();
    void isSelectedRowChanged();
    void defaultHeightChanged();
    void selectedHeightChanged();
    void fetchDelayChanged();
    void validChanged();
    void dataChanged();

protected slots:
    void cellDelegateChanged();

private:
    struct PendingResult
    {
        int generation;
        QMap<int, QVariant> data;
        int index;
    };

    void createCell(orbQuickColumnViewColumn *column);
    void deleteCells();
    void setValid(bool valid);
    void cancelCurrentTask();
    void startTask();
    void applyResult(const PendingResult &result);
    int roleNumber(const QString &roleName) const;

    std::atomic<int> m_index{-1};
    bool m_valid = false;
    bool m_isCurrentRow = false;
    bool m_isSelectedRow = false;
    qreal m_defaultHeight = 20.0;
    qreal m_selectedHeight = 20.0;
    int m_fetchDelay = 0;
    orbQuickColumnView *m_view = nullptr;
    QAbstractItemModel *m_model = nullptr; // written under m_modelMutex
    QModelIndex m_modelIndex;
    QHash<int, QByteArray> m_roleNames;
    QMap<int, QVariant> m_data;
    QList<orbQuickColumnViewCell *> m_cells;
    QThreadPool *m_threadPool = nullptr;

    // Standard rather than Qt locks: the thread sanitizer sees these.
    // A task holds m_modelMutex for the whole (possibly slow) model read and
    // m_mutex only for moments, so that the GUI thread, which takes m_mutex on
    // every fetch and result, never waits for a read.
    std::mutex m_modelMutex;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::atomic<bool> m_closing{false};
    RowRunner *m_currentTask = nullptr;
    int m_generation = 0;
    std::atomic<int> m_runningTasks{0};
    QList<PendingResult> m_pending;
};
