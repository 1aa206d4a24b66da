#pragma once

#include <QtCore/QAbstractListModel>
#include <QtCore/QSet>
#include <QtCore/QStringList>
#include <QtCore/QThread>

#include <atomic>
#include <mutex>

// A list model whose rows may be read from any thread: it counts itemData()
// calls and remembers the threads that made them. Its roles are "title"
// ("row N"), "artist" ("artist N") and "flag" (N odd). Changed on the GUI
// thread only, behind the same mutex the readers take.
class CountingModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role { TitleRole = Qt::UserRole + 1, ArtistRole, FlagRole };

    explicit CountingModel(int rows, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QMap<int, QVariant> itemData(const QModelIndex &index) const override;
    QHash<int, QByteArray> roleNames() const override;

    void setTitle(int row, const QString &title);
    void insertAt(int row, int count);
    void removeAt(int row, int count);
    // Moves count rows from row to before destination (indexes before the move).
    bool moveAt(int row, int count, int destination);
    void reset(int rows);

    int itemDataCalls() const { return m_calls.load(); }
    bool readOnThreadOtherThan(QThread *thread) const;

private:
    // Standard rather than Qt locks: the thread sanitizer sees these.
    mutable std::mutex m_mutex;
    QStringList m_titles;
    mutable std::atomic<int> m_calls{0};
    mutable QSet<QThread *> m_threads;
};
