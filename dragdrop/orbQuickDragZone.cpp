#include "orbQuickDragZone.h"

#include "orbCursorLayer.h"
#include "orbQuickDragHandler.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QStyleHints>
#include <QtQuick/private/qquickevents_p_p.h>

orbQuickDragZone::orbQuickDragZone(QQuickItem *parent)
    : QQuickItem(parent)
{
    setAcceptedMouseButtons(Qt::AllButtons);
    setAcceptHoverEvents(true);
    setFiltersChildMouseEvents(true);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &orbQuickDragZone::startDrag);
}

orbQuickDragZone::~orbQuickDragZone()
{
    if (m_cursorPushed)
        orbCursorLayer::current().popShape();
}

void orbQuickDragZone::setDragHandler(orbQuickDragHandler *handler)
{
    if (m_dragHandler == handler)
        return;
    m_dragHandler = handler;
    if (handler) {
        handler->setParent(this);
        handler->setParentItem(this);
        passEntryToHandler();
    }
    emit dragHandlerChanged();
}

void orbQuickDragZone::setMimeType(const QString &mimeType)
{
    if (m_mimeType == mimeType)
        return;
    m_mimeType = mimeType;
    emit mimeTypeChanged();
    passEntryToHandler();
}

void orbQuickDragZone::setMimeData(const QVariant &mimeData)
{
    if (m_mimeData == mimeData)
        return;
    m_mimeData = mimeData;
    emit mimeDataChanged();
    passEntryToHandler();
}

void orbQuickDragZone::setStartDragDelay(int delay)
{
    if (m_startDragDelay == delay)
        return;
    m_startDragDelay = delay;
    emit startDragDelayChanged();
}

// The entry of an earlier mime type stays in the handler.
void orbQuickDragZone::passEntryToHandler()
{
    if (m_dragHandler)
        m_dragHandler->setMimeData(m_mimeType, m_mimeData.toString());
}

void orbQuickDragZone::startDrag()
{
    if (!m_dragHandler)
        return;
    m_dragStarted = true;
    m_dragHandler->update();
    m_dragHandler->executeDrag();
}

bool orbQuickDragZone::movedDragDistance(const QPoint &position) const
{
    return (m_pressPosition - position).manhattanLength()
        >= QGuiApplication::styleHints()->startDragDistance();
}

void orbQuickDragZone::endPress()
{
    m_timer.stop();
    m_dragStarted = false;
}

void orbQuickDragZone::mousePressEvent(QMouseEvent *event)
{
    m_pressPosition = event->pos();
    QQuickItem::mousePressEvent(event);
    if (!event->isAccepted() && (acceptedMouseButtons() & event->button())) {
        event->accept();
        m_timer.start(m_startDragDelay);
    }
}

void orbQuickDragZone::mouseMoveEvent(QMouseEvent *event)
{
    QQuickItem::mouseMoveEvent(event);
    if (movedDragDistance(event->pos()) && m_timer.isActive()) {
        m_timer.stop();
        startDrag();
    }
}

void orbQuickDragZone::emitClicked(const QMouseEvent &event)
{
    QQuickMouseEvent mouse;
    mouse.reset(event.localPos().x(), event.localPos().y(), event.button(), event.buttons(),
                event.modifiers(), true, false);
    mouse.setAccepted(true);
    emit clicked(&mouse);
}

void orbQuickDragZone::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragStarted && contains(event->localPos()))
        emitClicked(*event);
    endPress();
    QQuickItem::mouseReleaseEvent(event);
}

void orbQuickDragZone::hoverEnterEvent(QHoverEvent *event)
{
    QQuickItem::hoverEnterEvent(event);
    if (!m_cursorPushed) {
        orbCursorLayer::current().pushShape(Qt::SizeAllCursor);
        m_cursorPushed = true;
    }
}

void orbQuickDragZone::hoverLeaveEvent(QHoverEvent *event)
{
    QQuickItem::hoverLeaveEvent(event);
    if (m_cursorPushed) {
        orbCursorLayer::current().popShape();
        m_cursorPushed = false;
    }
}

bool orbQuickDragZone::childMouseEventFilter(QQuickItem *item, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const bool eat = m_dragStarted && item->contains(mouse->localPos());
        endPress();
        return eat;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() != Qt::LeftButton)
            break;
        if (event->type() == QEvent::MouseButtonPress) {
            if (event->isAccepted()) {
                m_pressPosition = mouse->pos();
                m_timer.start(m_startDragDelay);
            }
        } else if (movedDragDistance(mouse->pos()) && m_timer.isActive()) {
            m_timer.stop();
            startDrag();
        }
        return false;
    }
    default:
        break;
    }
    return QQuickItem::childMouseEventFilter(item, event);
}
