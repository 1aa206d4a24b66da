#include "orbQuickDragHandler.h"

#include "DragDropLog.h"
#include "orbCursorLayer.h"
#include "orbQuickComponent.h"

#include <QtCore/QDebug>
#include <QtCore/QMimeData>
#include <QtCore/QPointer>
#include <QtGui/QDrag>
#include <QtQml/QQmlComponent>
#include <QtQuick/QQuickWindow>
#include <QtQuick/private/qsgadaptationlayer_p.h>

#include <cmath>
#include <memory>

orbQuickDragHandler::orbQuickDragHandler(QQuickItem *parent)
    : QQuickShaderEffectSource(parent)
{
    setAntialiasing(true);
    setFlag(ItemHasContents, true);
    // Emitted on the render thread; the drag must run on the GUI thread.
    connect(this, &orbQuickDragHandler::delegateUpdated, this, &orbQuickDragHandler::startDragEvent,
            Qt::QueuedConnection);
}

orbQuickDragHandler::~orbQuickDragHandler()
{
    // A drag still running belongs to startDragEvent, further up the stack.
    if (m_drag)
        m_drag->setParent(nullptr);
}

void orbQuickDragHandler::setDelegate(QQmlComponent *delegate)
{
    if (m_delegateItem) {
        setSourceItem(nullptr);
        m_delegateItem->setParentItem(nullptr);
        delete m_delegateItem;
        m_delegateItem = nullptr;
    }
    m_delegate = delegate;
    if (!delegate)
        return;
    m_delegateItem = orbQuickComponent::createItem(delegate);
    if (!m_delegateItem)
        return;
    m_delegateItem->setParent(this);
    setSourceItem(m_delegateItem);
}

void orbQuickDragHandler::setHotSpot(const QPointF &hotSpot)
{
    m_hotSpotSet = true;
    constexpr double Epsilon = 1e-12;
    if (std::abs(hotSpot.x() - m_hotSpot.x()) <= Epsilon
        && std::abs(hotSpot.y() - m_hotSpot.y()) <= Epsilon)
        return;
    m_hotSpot = hotSpot;
    emit hotSpotChanged();
}

void orbQuickDragHandler::setMimeData(const QString &mimeType, const QString &mimeData)
{
    m_mimeEntries.insert(mimeType, mimeData);
}

void orbQuickDragHandler::clearMimeData()
{
    m_mimeEntries.clear();
}

void orbQuickDragHandler::executeDrag()
{
    if (m_dragging)
        return;
    // The image is rendered by the window's scene graph: without one the
    // drag would wait for a frame that never comes.
    if (!window()) {
        qCWarning(lcDragDrop,
                  "orbQuickDragHandler::executeDrag: the handler is in no window, no drag");
        return;
    }
    m_dragging = true;
    emit dragStarted();
    m_grabPending = true;
    update();
}

QSGNode *orbQuickDragHandler::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data)
{
    if (!m_grabPending) {
        delete oldNode;
        return nullptr;
    }
    QSGNode *node = QQuickShaderEffectSource::updatePaintNode(oldNode, data);
    renderDragImage();
    m_grabPending = false;
    emit delegateUpdated();
    return node;
}

// Render thread, GUI thread blocked.
void orbQuickDragHandler::renderDragImage()
{
    QSGTextureProvider *provider = m_delegateItem ? textureProvider() : nullptr;
    auto *layer = provider ? qobject_cast<QSGLayer *>(provider->texture()) : nullptr;
    if (!layer)
        return;
    layer->updateTexture();
    // The layer holds the item upside down, as textures are addressed.
    const QImage image = layer->toImage().mirrored();
    if (image.isNull() || m_delegateItem->width() <= 0) {
        m_dragImage = QPixmap();
        return;
    }
    const qreal delegateAspect = m_delegateItem->height() / m_delegateItem->width();
    const qreal imageAspect = qreal(image.height()) / image.width();
    const qreal aspectCorrection = delegateAspect / imageAspect;
    const qreal s = scale();
    const QImage scaled
        = image.scaled(int(s * image.width()), int(s * image.height() * aspectCorrection),
                       Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_dragImage = QPixmap::fromImage(scaled);
    m_dragImage.setDevicePixelRatio(scaled.width() / (s * m_delegateItem->width()));
}

QPoint orbQuickDragHandler::dragHotSpot() const
{
    const qreal s = scale();
    if (m_hotSpotSet) // halves round up, toward positive infinity
        return QPoint(int(std::floor(m_hotSpot.x() * s + 0.5)),
                      int(std::floor(m_hotSpot.y() * s + 0.5)));
    if (!m_delegateItem)
        return QPoint();
    return QPoint(int(s * m_delegateItem->width() * 0.5), int(m_delegateItem->height() * s));
}

QMimeData *orbQuickDragHandler::makeMimeData() const
{
    auto *mimeData = new QMimeData;
    for (auto it = m_mimeEntries.cbegin(); it != m_mimeEntries.cend(); ++it)
        mimeData->setData(it.key(), it.value().toUtf8());
    return mimeData;
}

void orbQuickDragHandler::nudgeCursor() const
{
    orbCursorLayer &cursor = orbCursorLayer::current();
    QScreen *screen = window() ? window()->screen() : nullptr;
    const QPoint position = cursor.position();
    cursor.moveTo(position + QPoint(1, 0), screen);
    cursor.moveTo(position, screen);
}

void orbQuickDragHandler::startDragEvent()
{
    // The drag manager may delete the drag itself once it is over.
    QPointer<QDrag> drag = new QDrag(this);
    drag->setMimeData(makeMimeData());
    drag->setPixmap(m_dragImage);
    drag->setHotSpot(dragHotSpot());
    // Some window systems show the drag image only after the cursor moved.
    nudgeCursor();

    m_drag = drag;
    const QPointer<orbQuickDragHandler> alive(this);
    const Qt::DropAction action = drag->exec(m_supportedActions, m_defaultAction);
    if (!alive) { // destroyed by a handler of the drop
        delete drag;
        return;
    }
    m_drag = nullptr;

    // What was dragged, for the event: the same entries the drag carried.
    const std::unique_ptr<QMimeData> dragged(makeMimeData());
    std::unique_ptr<QObject> eventOwner(drag ? nullptr : new QObject);
    QObject *parent = drag ? static_cast<QObject *>(drag) : eventOwner.get();
    emit dragFinished(new orbDragHandlerEvent(action, dragged.get(), parent));
    delete drag;
    m_dragging = false;
}
