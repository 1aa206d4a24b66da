#pragma once

#include <QtGui/QStandardItemModel>

class QQmlContext;

// The host-side models the documentation examples show, published to QML as
// "tracks" (a flat list with the roles title, artist and bpm), "crates" and
// "playlists" (two small trees). GUI thread only; outlives the engine.
class DocModels
{
public:
    DocModels();
    void publish(QQmlContext &context);

private:
    QStandardItemModel m_tracks;
    QStandardItemModel m_crates;
    QStandardItemModel m_playlists;
};
