#pragma once

#include <QtCore/QAbstractItemModel>
#include <QtCore/QList>
#include <QtCore/QVariant>

class orbQuickColumnViewColumn;

// A flat model over a QML list of columns, for other views (a menu picking
// searchable columns, say): optionally only the searchable ones, optionally
// ordered by their index. Never owns the columns; drops destroyed ones.
// GUI thread only.
class orbQuickColumnViewColumnModel : public QAbstractItemModel
{
    Q_OBJECT
    Q_PROPERTY(QVariant columns READ columns WRITE setColumns NOTIFY columnsChanged)
    Q_PROPERTY(bool sortByIndex READ sortByIndex WRITE setSortByIndex NOTIFY sortByIndexChanged)
    Q_PROPERTY(bool showSearchableOnly READ showSearchableOnly WRITE setShowSearchableOnly NOTIFY
                   showSearchableOnlyChanged)

public:
    explicit orbQuickColumnViewColumnModel(QObject *parent = nullptr);

    QVariant columns() const { return m_columns; }
    void setColumns(const QVariant &columns);
    bool sortByIndex() const { return m_sortByIndex; }
    void setSortByIndex(bool sortByIndex);
    bool showSearchableOnly() const { return m_showSearchableOnly; }
    void setShowSearchableOnly(bool showSearchableOnly);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void columnsChanged();
    void sortByIndexChanged();
    void showSearchableOnlyChanged();
    void columnSearchChanged(QString role, bool search);

protected slots:
    void sortColumns();
    void updateColumnList();

private:
    void watchColumn(orbQuickColumnViewColumn *column);
    void dropColumn(QObject *column);

    QVariant m_columns;
    QList<orbQuickColumnViewColumn *> m_list;
    bool m_sortByIndex = true;
    bool m_showSearchableOnly = false;
};
