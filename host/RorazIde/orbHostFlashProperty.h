#pragma once

#include "orbHostProperty.h"

#include <QtCore/QTimer>

class orbHostTranslator;

// QML "QObjFlashProperty": a two-state property whose translator's state is
// toggled by a timer, the shared beat that flashing controls follow.
// GUI thread only.
class orbHostFlashProperty : public orbHostProperty
{
    Q_OBJECT
    Q_PROPERTY(int interval READ interval WRITE setInterval NOTIFY intervalChanged)
    Q_PROPERTY(bool running READ running WRITE setRunning NOTIFY runningChanged)

public:
    explicit orbHostFlashProperty(QObject *parent = nullptr);

    int interval() const { return m_timer.interval(); }
    void setInterval(int ms);
    bool running() const { return m_timer.isActive(); }
    void setRunning(bool running);

signals:
    void intervalChanged();
    void runningChanged();

private:
    orbHostTranslator *m_beat;
    QTimer m_timer;
};
