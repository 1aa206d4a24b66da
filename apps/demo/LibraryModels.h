#pragma once

#include <QtGui/QStandardItemModel>

class QQmlContext;

// Two small music-library models for the gallery's tree view: crates by genre
// and playlists, published to QML as "libraryCrates" and "libraryPlaylists".
class LibraryModels
{
public:
    LibraryModels();
    void publish(QQmlContext &context);

private:
    QStandardItemModel m_crates;
    QStandardItemModel m_playlists;
};
