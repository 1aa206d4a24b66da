#include "orbHostFlashProperty.h"

#include "orbHostTranslator.h"

orbHostFlashProperty::orbHostFlashProperty(QObject *parent)
    : orbHostProperty(parent)
    , m_beat(new orbHostTranslator(this))
{
    setTranslator(m_beat);
    setTranslatorType(1);
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, m_beat, [this] { m_beat->setState(!m_beat->state()); });
    m_timer.start();
}

void orbHostFlashProperty::setInterval(int ms)
{
    if (ms == m_timer.interval())
        return;
    m_timer.setInterval(ms);
    emit intervalChanged();
}

void orbHostFlashProperty::setRunning(bool running)
{
    if (running == m_timer.isActive())
        return;
    if (running)
        m_timer.start();
    else
        m_timer.stop();
    emit runningChanged();
}
