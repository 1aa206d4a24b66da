#pragma once

#include "orbMimeData.h"

#include <QtCore/QObject>

class QDropEvent;

// One drag enter, move or drop as ORBDropZone's signals hand it to QML: every
// property reads or writes the platform event. Made in QML, or once that
// event is gone, it has none: reads give false, 0, no action and null, and
// writes do nothing. GUI thread; the zone deletes it after the signal.
class orbDropZoneEvent : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool accepted READ isAccepted WRITE setAccepted)
    Q_PROPERTY(int x READ x)
    Q_PROPERTY(int y READ y)
    Q_PROPERTY(Qt::DropAction dropAction READ dropAction WRITE setDropAction)
    Q_PROPERTY(Qt::DropAction proposedAction READ proposedAction)
    Q_PROPERTY(Qt::DropActions possibleActions READ possibleActions)
    Q_PROPERTY(orbMimeData *mimeData READ mimeData)

public:
    explicit orbDropZoneEvent(QObject *parent = nullptr);
    explicit orbDropZoneEvent(QDropEvent *event, QObject *parent = nullptr);

    bool isAccepted() const;
    void setAccepted(bool accepted);
    int x() const;
    int y() const;
    Qt::DropAction dropAction() const;
    void setDropAction(Qt::DropAction action);
    Qt::DropAction proposedAction() const;
    Qt::DropActions possibleActions() const;
    orbMimeData *mimeData();

    // Forgets the platform event once its delivery is over.
    void detach() { m_event = nullptr; }

public slots:
    void acceptProposedAction();

private:
    QDropEvent *m_event = nullptr;     // not owned
    orbMimeData *m_mimeData = nullptr; // child, made on first read
};
