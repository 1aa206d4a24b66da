#include "CountingModel.h"

CountingModel::CountingModel(int rows, QObject *parent)
    : QAbstractListModel(parent)
{
    for (int i = 0; i < rows; ++i)
        m_titles.append(QStringLiteral("row %1").arg(i));
}

int CountingModel::rowCount(const QModelIndex &parent) const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    return parent.isValid() ? 0 : m_titles.size();
}

QVariant CountingModel::data(const QModelIndex &index, int role) const
{
    return itemData(index).value(role);
}

QMap<int, QVariant> CountingModel::itemData(const QModelIndex &index) const
{
    ++m_calls;
    std::lock_guard<std::mutex> locker(m_mutex);
    m_threads.insert(QThread::currentThread());
    const int row = index.row();
    if (row < 0 || row >= m_titles.size())
        return {};
    return {{TitleRole, m_titles.at(row)},
            {ArtistRole, QStringLiteral("artist %1").arg(row)},
            {FlagRole, row % 2 == 1}};
}

QHash<int, QByteArray> CountingModel::roleNames() const
{
    return {{TitleRole, "title"}, {ArtistRole, "artist"}, {FlagRole, "flag"}};
}

void CountingModel::setTitle(int row, const QString &title)
{
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_titles[row] = title;
    }
    emit dataChanged(index(row), index(row));
}

void CountingModel::insertAt(int row, int count)
{
    beginInsertRows({}, row, row + count - 1);
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        for (int i = 0; i < count; ++i)
            m_titles.insert(row + i, QStringLiteral("new %1").arg(row + i));
    }
    endInsertRows();
}

void CountingModel::removeAt(int row, int count)
{
    beginRemoveRows({}, row, row + count - 1);
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_titles.erase(m_titles.begin() + row, m_titles.begin() + row + count);
    }
    endRemoveRows();
}

bool CountingModel::moveAt(int row, int count, int destination)
{
    if (!beginMoveRows({}, row, row + count - 1, {}, destination))
        return false;
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        const QStringList moved = m_titles.mid(row, count);
        m_titles.erase(m_titles.begin() + row, m_titles.begin() + row + count);
        const int at = destination > row ? destination - count : destination;
        for (int i = 0; i < count; ++i)
            m_titles.insert(at + i, moved[i]);
    }
    endMoveRows();
    return true;
}

void CountingModel::reset(int rows)
{
    beginResetModel();
    {
        std::lock_guard<std::mutex> locker(m_mutex);
        m_titles.clear();
        for (int i = 0; i < rows; ++i)
            m_titles.append(QStringLiteral("reset %1").arg(i));
    }
    endResetModel();
}

bool CountingModel::readOnThreadOtherThan(QThread *thread) const
{
    std::lock_guard<std::mutex> locker(m_mutex);
    for (QThread *reader : qAsConst(m_threads)) {
        if (reader != thread)
            return true;
    }
    return false;
}
