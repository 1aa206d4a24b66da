#include "orbQuickDropZone.h"

#include "orbFileTypeFilter.h"

#include <QtCore/QFileInfo>

orbQuickDropZone::orbQuickDropZone(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemAcceptsDrops, true);
}

// The wrapper outlives the delivery (deleted later), the event does not.
void orbQuickDropZone::emitWrapped(QDropEvent *event,
                                   void (orbQuickDropZone::*signal)(orbDropZoneEvent *))
{
    auto *wrapper = new orbDropZoneEvent(event);
    (this->*signal)(wrapper);
    wrapper->detach();
    wrapper->deleteLater();
}

void orbQuickDropZone::dragEnterEvent(QDragEnterEvent *event)
{
    emitWrapped(event, &orbQuickDropZone::dragEnter);
    QQuickItem::dragEnterEvent(event);
}

void orbQuickDropZone::dragMoveEvent(QDragMoveEvent *event)
{
    emitWrapped(event, &orbQuickDropZone::dragMove);
    QQuickItem::dragMoveEvent(event);
}

void orbQuickDropZone::dragLeaveEvent(QDragLeaveEvent *event)
{
    emit dragLeave();
    QQuickItem::dragLeaveEvent(event);
}

void orbQuickDropZone::dropEvent(QDropEvent *event)
{
    emitWrapped(event, &orbQuickDropZone::drop);
    QQuickItem::dropEvent(event);
}

bool orbQuickDropZone::containsFileTypes(const QList<QUrl> &urls,
                                         const QStringList &supportedFileTypes) const
{
    return orbFileTypeFilter::containsFileTypes(urls, supportedFileTypes);
}

bool orbQuickDropZone::isDirectory(const QUrl &url) const
{
    return QFileInfo(url.toLocalFile()).isDir();
}

QStringList orbQuickDropZone::filterFileTypes(const QList<QUrl> &urlList,
                                              const QStringList &supportedFileTypes) const
{
    return orbFileTypeFilter(supportedFileTypes).filter(urlList);
}
