#pragma once

#include "orbDropZoneEvent.h"

#include <QtCore/QList>
#include <QtCore/QStringList>
#include <QtCore/QUrl>
#include <QtQuick/QQuickItem>

// Receives system drags and drops, each handed to QML in an ORBDropZoneEvent
// that accepts or refuses it, and checks and filters dropped file URLs by
// type ("*.mp3", ".wav"). GUI thread.
class orbQuickDropZone : public QQuickItem
{
    Q_OBJECT

public:
    explicit orbQuickDropZone(QQuickItem *parent = nullptr);

    // Whether any URL is a folder or a file with one of the types ("*.mp3" or
    // ".mp3"; letter case ignored).
    Q_INVOKABLE bool containsFileTypes(const QList<QUrl> &urls,
                                       const QStringList &supportedFileTypes) const;
    Q_INVOKABLE bool isDirectory(const QUrl &url) const;
    // The paths of the files among urls, and of those below the folders among
    // them, whose names end in one of the types (any letter case).
    Q_INVOKABLE QStringList filterFileTypes(const QList<QUrl> &urlList,
                                            const QStringList &supportedFileTypes) const;

signals:
    void dragEnter(orbDropZoneEvent *event);
    void dragMove(orbDropZoneEvent *event);
    void dragLeave();
    void drop(orbDropZoneEvent *event);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void emitWrapped(QDropEvent *event, void (orbQuickDropZone::*signal)(orbDropZoneEvent *));
};
