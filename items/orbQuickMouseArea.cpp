#include "orbQuickMouseArea.h"

#include "ItemsLog.h"
#include "orbCursorLayer.h"
#include "orbQuickMouseEvent.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>
#include <QtQuick/QQuickWindow>

#include <cmath>

orbQuickMouseArea::orbQuickMouseArea(QQuickItem *parent)
    : QQuickMouseArea(parent)
{
    setAcceptedButtons(Qt::LeftButton);
}

// Never leave the cursor hidden behind a destroyed knob.
orbQuickMouseArea::~orbQuickMouseArea()
{
    showSystemCursor();
}

void orbQuickMouseArea::setDragAxis(int axis)
{
    if (axis == m_dragAxis)
        return;
    if (axis < XAxis || axis > XYAxis)
        qCWarning(lcItems,
                  "orbQuickMouseArea::setDragAxis: unknown axis %d; drags will report no steps",
                  axis);
    m_dragAxis = axis;
    emit dragAxisChanged();
}

void orbQuickMouseArea::setHideCursor(HideCursor mode)
{
    if (mode == m_hideCursor)
        return;
    if (mode < None || mode > OnPressed)
        qCWarning(lcItems,
                  "orbQuickMouseArea::setHideCursor: unknown mode %d; the cursor is left alone",
                  int(mode));
    m_hideCursor = mode;
    emit hideCursorChanged();
}

float orbQuickMouseArea::axisDelta(float dx, float dy)
{
    switch (m_dragAxis) {
    case XAxis:
        return dx;
    case YAxis:
        return dy;
    case XYAxis:
        return dx + dy;
    default:
        return 0;
    }
}

void orbQuickMouseArea::setCursorPosition(QPoint global)
{
    orbCursorLayer::current().moveTo(global, windowScreen());
}

void orbQuickMouseArea::showSystemCursor()
{
    if (!m_cursorHidden)
        return;
    m_cursorHidden = false;
    orbCursorLayer::current().show();
}

void orbQuickMouseArea::hideSystemCursor()
{
    if (m_cursorHidden)
        return;
    m_cursorHidden = true;
    orbCursorLayer::current().hide();
}

bool orbQuickMouseArea::takesButtons(Qt::MouseButtons buttons) const
{
    return (buttons & acceptedButtons()) != Qt::NoButton;
}

QScreen *orbQuickMouseArea::windowScreen() const
{
    QQuickWindow *itemWindow = window();
    return itemWindow ? itemWindow->screen() : QGuiApplication::primaryScreen();
}

// Hides the cursor and puts it in the middle of the screen, where every
// movement away is a step.
void orbQuickMouseArea::parkCursor()
{
    hideSystemCursor();
    setCursorPosition(m_screenCentre);
}

void orbQuickMouseArea::restoreCursor()
{
    m_hidePending = false;
    if (!m_cursorHidden)
        return;
    setCursorPosition(m_pressPosition);
    showSystemCursor();
}

void orbQuickMouseArea::mousePressEvent(QMouseEvent *event)
{
    if (!takesButtons(event->button())) {
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton && isEnabled() && !pressed() && endlessDrag()) {
        event->accept();
        m_pressPosition = event->globalPos();
        const QScreen *screen = windowScreen();
        m_screenCentre = screen ? screen->geometry().center() : m_pressPosition;
        if (m_hideCursor == OnMoved)
            m_hidePending = true;
        else
            parkCursor();
    }
    QQuickMouseArea::mousePressEvent(event);
}

void orbQuickMouseArea::mouseMoveEvent(QMouseEvent *event)
{
    // A move has no button of its own: it counts for the buttons held.
    if (!takesButtons(event->buttons())) {
        event->ignore();
        return;
    }
    if (!isEnabled() || !endlessDrag() || !pressed()) {
        QQuickMouseArea::mouseMoveEvent(event);
        return;
    }
    event->accept();
    // Where the cursor is now, not where the event says: motion queued before
    // the last re-centring has already been counted.
    QPoint position = orbCursorLayer::current().position();
    if (m_hidePending) {
        m_hidePending = false;
        parkCursor();
        position = m_screenCentre;
    }
    if (position != m_screenCentre) {
        const QPoint away = position - m_screenCentre;
        const int steps = int(axisDelta(float(away.x()), float(away.y())));
        if (steps != 0) {
            const QPointF local = event->localPos();
            orbQuickMouseEvent moveEvent(int(local.x()), int(local.y()), int(event->button()),
                                         int(event->buttons()), int(event->modifiers()), steps);
            emit moved(&moveEvent);
        }
        setCursorPosition(m_screenCentre);
    }
    QQuickMouseArea::mouseMoveEvent(event);
}

void orbQuickMouseArea::mouseReleaseEvent(QMouseEvent *event)
{
    if (!takesButtons(event->button())) {
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton && isEnabled() && m_cursorHidden) {
        event->accept();
        restoreCursor();
    }
    QQuickMouseArea::mouseReleaseEvent(event);
}

void orbQuickMouseArea::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!takesButtons(event->button())) {
        event->ignore();
        return;
    }
    QQuickMouseArea::mouseDoubleClickEvent(event);
}

void orbQuickMouseArea::mouseUngrabEvent()
{
    restoreCursor();
    QQuickMouseArea::mouseUngrabEvent();
}
