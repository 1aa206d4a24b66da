#include "DocModels.h"

#include <QtQml/QQmlContext>

namespace {

enum TrackRole { TitleRole = Qt::UserRole + 1, ArtistRole, BpmRole };

struct Track
{
    const char *title;
    const char *artist;
    int bpm;
};

constexpr Track Tracks[] = {
    {"Morning Static", "Lumen Drive", 122}, {"Glass Harbour", "Kite Theory", 124},
    {"Low Orbit", "Sable & Rye", 126},      {"Paper Engines", "Lumen Drive", 120},
    {"Signal Garden", "North Atlas", 128},  {"Soft Machines", "Kite Theory", 118},
    {"Quiet Voltage", "Marrow Lane", 125},  {"Nightline", "Sable & Rye", 127},
    {"Copper Skies", "North Atlas", 123},   {"Tidal Loop", "Marrow Lane", 121},
    {"Halfway Home", "Lumen Drive", 119},   {"Static Bloom", "Kite Theory", 130},
};

void addBranch(QStandardItem *parent, const QString &name, const QStringList &leaves)
{
    auto *branch = new QStandardItem(name);
    for (const QString &leaf : leaves)
        branch->appendRow(new QStandardItem(leaf));
    parent->appendRow(branch);
}

} // namespace

DocModels::DocModels()
{
    // QStandardItemModel::itemData() returns every role an item holds, which
    // is what column-view rows read.
    m_tracks.setItemRoleNames({{TitleRole, "title"}, {ArtistRole, "artist"}, {BpmRole, "bpm"}});
    for (const Track &track : Tracks) {
        auto *item = new QStandardItem;
        item->setData(QString::fromUtf8(track.title), TitleRole);
        item->setData(QString::fromUtf8(track.artist), ArtistRole);
        item->setData(track.bpm, BpmRole);
        m_tracks.appendRow(item);
    }

    auto *crates = new QStandardItem(QStringLiteral("Crates"));
    addBranch(crates, QStringLiteral("House"), {"Deep", "Tech", "Progressive"});
    addBranch(crates, QStringLiteral("Breaks"), {"Nu skool", "Big beat"});
    m_crates.appendRow(crates);

    auto *playlists = new QStandardItem(QStringLiteral("Playlists"));
    addBranch(playlists, QStringLiteral("Friday warm-up"), {"Opening", "Build"});
    playlists->appendRow(new QStandardItem(QStringLiteral("History")));
    m_playlists.appendRow(playlists);
}

void DocModels::publish(QQmlContext &context)
{
    context.setContextProperty(QStringLiteral("tracks"), &m_tracks);
    context.setContextProperty(QStringLiteral("crates"), &m_crates);
    context.setContextProperty(QStringLiteral("playlists"), &m_playlists);
}
