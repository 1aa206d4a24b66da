#include "orbDropZoneEvent.h"

#include <QtGui/QDropEvent>

orbDropZoneEvent::orbDropZoneEvent(QObject *parent)
    : QObject(parent)
{
}

orbDropZoneEvent::orbDropZoneEvent(QDropEvent *event, QObject *parent)
    : QObject(parent)
    , m_event(event)
{
}

bool orbDropZoneEvent::isAccepted() const
{
    return m_event && m_event->isAccepted();
}

void orbDropZoneEvent::setAccepted(bool accepted)
{
    if (m_event)
        m_event->setAccepted(accepted);
}

int orbDropZoneEvent::x() const
{
    return m_event ? m_event->pos().x() : 0;
}

int orbDropZoneEvent::y() const
{
    return m_event ? m_event->pos().y() : 0;
}

Qt::DropAction orbDropZoneEvent::dropAction() const
{
    return m_event ? m_event->dropAction() : Qt::IgnoreAction;
}

void orbDropZoneEvent::setDropAction(Qt::DropAction action)
{
    if (m_event)
        m_event->setDropAction(action);
}

Qt::DropAction orbDropZoneEvent::proposedAction() const
{
    return m_event ? m_event->proposedAction() : Qt::IgnoreAction;
}

Qt::DropActions orbDropZoneEvent::possibleActions() const
{
    return m_event ? m_event->possibleActions() : Qt::DropActions(Qt::IgnoreAction);
}

orbMimeData *orbDropZoneEvent::mimeData()
{
    if (!m_mimeData && m_event)
        m_mimeData = new orbMimeData(m_event->mimeData(), this);
    return m_mimeData;
}

void orbDropZoneEvent::acceptProposedAction()
{
    if (m_event)
        m_event->acceptProposedAction();
}
