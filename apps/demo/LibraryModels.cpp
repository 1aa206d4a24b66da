#include "LibraryModels.h"

#include <QtQml/QQmlContext>

namespace {

void addBranch(QStandardItem *parent, const QString &name, const QStringList &leaves)
{
    auto *branch = new QStandardItem(name);
    for (const QString &leaf : leaves)
        branch->appendRow(new QStandardItem(leaf));
    parent->appendRow(branch);
}

} // namespace

LibraryModels::LibraryModels()
{
    auto *crates = new QStandardItem(QStringLiteral("Crates"));
    addBranch(crates, QStringLiteral("House"), {"Deep", "Tech", "Progressive"});
    addBranch(crates, QStringLiteral("Breaks"), {"Nu skool", "Big beat"});
    addBranch(crates, QStringLiteral("Drum & bass"), {"Liquid", "Neuro", "Jungle"});
    m_crates.appendRow(crates);

    auto *playlists = new QStandardItem(QStringLiteral("Playlists"));
    addBranch(playlists, QStringLiteral("Friday warm-up"), {"Opening", "Build"});
    addBranch(playlists, QStringLiteral("Peak time"), {"Anthems", "Closers"});
    m_playlists.appendRow(playlists);
    m_playlists.appendRow(new QStandardItem(QStringLiteral("History")));
}

void LibraryModels::publish(QQmlContext &context)
{
    context.setContextProperty(QStringLiteral("libraryCrates"), &m_crates);
    context.setContextProperty(QStringLiteral("libraryPlaylists"), &m_playlists);
}
