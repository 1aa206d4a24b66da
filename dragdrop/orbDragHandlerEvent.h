#pragma once

#include "orbMimeData.h"

#include <QtCore/QObject>

// How a drag ended, for ORBDragHandler.dragFinished. GUI thread; a child of
// the drag, so it dies with it right after the signal.
class orbDragHandlerEvent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Qt::DropAction dropAction READ dropAction WRITE setDropAction)
    Q_PROPERTY(orbMimeData *mimeData READ mimeData CONSTANT)

public:
    orbDragHandlerEvent(Qt::DropAction dropAction, const QMimeData *mimeData,
                        QObject *parent = nullptr);

    Qt::DropAction dropAction() const { return m_dropAction; }
    void setDropAction(Qt::DropAction action) { m_dropAction = action; }
    orbMimeData *mimeData() const { return m_mimeData; }

private:
    Qt::DropAction m_dropAction;
    orbMimeData *m_mimeData; // child of the event
};
