#include "orbDragHandlerEvent.h"

orbDragHandlerEvent::orbDragHandlerEvent(Qt::DropAction dropAction, const QMimeData *mimeData,
                                         QObject *parent)
    : QObject(parent)
    , m_dropAction(dropAction)
    , m_mimeData(new orbMimeData(mimeData, this))
{
}
