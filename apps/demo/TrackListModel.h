#pragma once

#include <QtCore/QAbstractTableModel>
#include <QtCore/QMutex>

#include <atomic>
#include <memory>
#include <vector>

class QQmlContext;

// A generated track list of one million rows and eight roles, for the
// gallery's column view, published to QML as "trackList". Nothing is stored
// per row but the order: every value is computed from the track number.
// "slow" makes each row cost 2 ms to read, like a model behind a disk or a
// network. Created and sorted on the GUI thread; read from any thread (the
// view may fetch rows on the global thread pool).
class TrackListModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_PROPERTY(bool slow READ slow WRITE setSlow NOTIFY slowChanged)

public:
    explicit TrackListModel(int rows = 1000000, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QHash<int, QByteArray> roleNames() const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QMap<int, QVariant> itemData(const QModelIndex &index) const override;

    bool slow() const { return m_slow.load(); }
    void setSlow(bool slow);

    // Orders the rows by a role's value, ties by track number.
    Q_INVOKABLE void sortByRole(const QString &role, Qt::SortOrder order);

    void publish(QQmlContext &context);

signals:
    void slowChanged();

private:
    using Order = std::vector<int>;
    int trackAt(int row) const;

    int m_rows;
    std::atomic<bool> m_slow{false};
    mutable QMutex m_orderMutex;
    std::shared_ptr<const Order> m_order; // null: by track number
};
