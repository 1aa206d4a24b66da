#include "TrackListModel.h"

#include <QtCore/QThread>
#include <QtQml/QQmlContext>

#include <algorithm>
#include <numeric>

namespace {

constexpr int Roles = 8;
constexpr unsigned long SlowRowMicroseconds = 2000;

const char *const RoleNames[Roles]
    = {"number", "title", "artist", "album", "genre", "bpm", "key", "length"};
const char *const Artists[] = {"Ada Vale", "Bronze Deer", "Cirrus", "Delta Nine",  "Echo Park",
                               "Fathom",   "Glasshaus",   "Halden", "Isle of Ore", "Juniper"};
const char *const Genres[] = {"House", "Techno", "Breaks", "Drum & bass", "Ambient", "Disco"};
const char *const Keys[] = {"1A", "2A",  "3A",  "4A",  "5A", "6A", "7A", "8A",
                            "9A", "10A", "11A", "12A", "1B", "2B", "3B", "4B"};
const char *const Words[] = {"Night", "Signal",  "Orbit", "Velvet", "Static", "Bloom",
                             "Tide",  "Circuit", "Echo",  "Amber",  "Drift",  "Pulse"};

// A value to sort by for each role, cheap to compute.
quint32 mix(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

int sortKey(int track, int role)
{
    const quint32 h = mix(quint32(track) * Roles + quint32(role));
    switch (role) {
    case 0:
        return track;
    case 5:
        return 80 + int(h % 100);
    case 7:
        return 90 + int(h % 420);
    default:
        return int(h % 1000);
    }
}

QVariant value(int track, int role)
{
    const int key = sortKey(track, role);
    switch (role) {
    case 0:
        return track + 1;
    case 1:
        return QStringLiteral("%1 %2").arg(QLatin1String(Words[key % 12]),
                                           QLatin1String(Words[(key / 12) % 12]));
    case 2:
        return QLatin1String(Artists[key % 10]);
    case 3:
        return QStringLiteral("Volume %1").arg(key % 100 + 1);
    case 4:
        return QLatin1String(Genres[key % 6]);
    case 5:
        return key;
    case 6:
        return QLatin1String(Keys[key % 16]);
    default:
        return QStringLiteral("%1:%2").arg(key / 60).arg(key % 60, 2, 10, QLatin1Char('0'));
    }
}

} // namespace

TrackListModel::TrackListModel(int rows, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows(rows)
{
}

int TrackListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int TrackListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : Roles;
}

QHash<int, QByteArray> TrackListModel::roleNames() const
{
    QHash<int, QByteArray> names;
    for (int r = 0; r < Roles; ++r)
        names.insert(Qt::UserRole + 1 + r, RoleNames[r]);
    return names;
}

int TrackListModel::trackAt(int row) const
{
    QMutexLocker lock(&m_orderMutex);
    return m_order ? (*m_order)[size_t(row)] : row;
}

QVariant TrackListModel::data(const QModelIndex &index, int role) const
{
    const int r = role - Qt::UserRole - 1;
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || r < 0 || r >= Roles)
        return {};
    if (slow())
        QThread::usleep(SlowRowMicroseconds / Roles);
    return value(trackAt(index.row()), r);
}

QMap<int, QVariant> TrackListModel::itemData(const QModelIndex &index) const
{
    QMap<int, QVariant> values;
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return values;
    if (slow())
        QThread::usleep(SlowRowMicroseconds);
    const int track = trackAt(index.row());
    for (int r = 0; r < Roles; ++r)
        values.insert(Qt::UserRole + 1 + r, value(track, r));
    return values;
}

void TrackListModel::setSlow(bool slow)
{
    if (m_slow.exchange(slow) != slow)
        emit slowChanged();
}

void TrackListModel::sortByRole(const QString &role, Qt::SortOrder order)
{
    const int r = int(std::find(RoleNames, RoleNames + Roles, role.toUtf8()) - RoleNames);
    if (r >= Roles)
        return;
    std::vector<int> keys(static_cast<size_t>(m_rows));
    for (int track = 0; track < m_rows; ++track)
        keys[size_t(track)] = sortKey(track, r);
    auto sorted = std::make_shared<Order>(size_t(m_rows));
    std::iota(sorted->begin(), sorted->end(), 0);
    std::stable_sort(sorted->begin(), sorted->end(), [&](int a, int b) {
        return order == Qt::AscendingOrder ? keys[size_t(a)] < keys[size_t(b)]
                                           : keys[size_t(a)] > keys[size_t(b)];
    });
    // The view rebuilds its rows on a reset; a layout change is not one of its signals.
    beginResetModel();
    {
        QMutexLocker lock(&m_orderMutex);
        m_order = std::move(sorted);
    }
    endResetModel();
}

void TrackListModel::publish(QQmlContext &context)
{
    context.setContextProperty(QStringLiteral("trackList"), this);
}
