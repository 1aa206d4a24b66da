#include "orbSvgNodeItem.h"

#include "orbSvgNode.h"
#include "orbSvgNodeItemPrivate.h"
#include "orbSvgPathNode.h"
#include "orbSvgPathStrokeNode.h"
#include "orbTransformNode.h"

#include <QtCore/QMetaMethod>
#include <QtQml/QQmlEngine>
#include <QtQml/QQmlProperty>
#include <QtQml/private/qqmlproperty_p.h>

namespace {

QMetaMethod methodOf(const QMetaObject *meta, const char *signature)
{
    return meta->method(meta->indexOfMethod(signature));
}

// The colour a node part shows, or transparent when it is hidden.
QColor shownColor(bool visible, const QBrush &brush)
{
    return visible ? brush.color() : QColor(Qt::transparent);
}

} // namespace

orbSvgNodeItem::orbSvgNodeItem(QQuickItem *parent)
    : QQuickItem(*new orbSvgNodeItemPrivate, parent)
{
    connect(&m_stroke, &orbStroke::strokeChanged, this, &orbSvgNodeItem::strokeChanged);
    connect(&m_fillGradient, &orbGradient::gradientChanged, this,
            &orbSvgNodeItem::fillGradientChanged);
    connect(&m_strokeGradient, &orbGradient::gradientChanged, this,
            &orbSvgNodeItem::strokeGradientChanged);
    // The member objects belong to the item, never to QML.
    for (QObject *member :
         {static_cast<QObject *>(&m_stroke), static_cast<QObject *>(&m_fillGradient),
          static_cast<QObject *>(&m_strokeGradient)})
        QQmlEngine::setObjectOwnership(member, QQmlEngine::CppOwnership);
}

orbSvgNodeItem::~orbSvgNodeItem() = default;

void orbSvgNodeItem::updateParent()
{
    if (QQuickItem *parent = parentItem())
        parent->update();
}

void orbSvgNodeItem::setNodeId(const QString &nodeId)
{
    m_nodeId = nodeId;
    emit nodeIdChanged();
}

void orbSvgNodeItem::setFillColor(const QColor &color)
{
    m_fillColor = color;
    m_fillColorDirty = true;
    updateParent();
    emit fillColorChanged();
}

void orbSvgNodeItem::setStrokeColor(const QColor &color)
{
    m_strokeColor = color;
    m_strokeColorDirty = true;
    updateParent();
    emit strokeColorChanged();
}

void orbSvgNodeItem::updateTransform()
{
    m_transformDirty = true;
    updateParent();
}

void orbSvgNodeItem::strokeChanged()
{
    updateParent();
}

void orbSvgNodeItem::fillGradientChanged()
{
    m_fillGradientDirty = true;
    updateParent();
}

void orbSvgNodeItem::strokeGradientChanged()
{
    m_strokeGradientDirty = true;
    updateParent();
}

void orbSvgNodeItem::itemChange(ItemChange change, const ItemChangeData &value)
{
    if (change == ItemVisibleHasChanged || change == ItemOpacityHasChanged) {
        // Queued: the parent may be mid-way through its own changes.
        if (QQuickItem *parent = parentItem()) {
            static const QMetaMethod update = methodOf(&QQuickItem::staticMetaObject, "update()");
            update.invoke(parent, Qt::QueuedConnection);
        }
    }
    QQuickItem::itemChange(change, value);
}

bool orbSvgNodeItem::isBound(const char *property) const
{
    return QQmlPropertyPrivate::binding(
               QQmlProperty(const_cast<orbSvgNodeItem *>(this), QLatin1String(property)))
        != nullptr;
}

void orbSvgNodeItem::applyTransform(orbTransformNode *node)
{
    Q_D(orbSvgNodeItem);
    if (!m_transformDirty || !d->itemNodeInstance)
        return;
    // The item's move, rotation and scale act first, in the element's
    // coordinates; then the element's own transform.
    node->setMatrix(QMatrix4x4(node->transform()) * d->itemNodeInstance->matrix());
    m_transformDirty = false;
}

void orbSvgNodeItem::attach(orbSvgNode *node)
{
    Q_D(orbSvgNodeItem);
    m_target = node;
    d->dirty(QQuickItemPrivate::Transform);

    if (isBound("fillColor"))
        m_fillColorDirty = true;
    else if (!m_fillColorDirty)
        m_fillColor = shownColor(node->isFillVisible(), node->fillNode()->brush());
    if (isBound("strokeColor"))
        m_strokeColorDirty = true;
    else if (!m_strokeColorDirty)
        m_strokeColor = shownColor(node->isStrokeVisible(), node->strokeNode()->brush());

    m_boundingBox = node->fillNode()->path().boundingRect();
    static const QMetaMethod boxChanged = methodOf(metaObject(), "boundingBoxChanged()");
    boxChanged.invoke(this, Qt::QueuedConnection);

    m_transformDirty = true;
    applyTransform(static_cast<orbTransformNode *>(node->parent()));
}

void orbSvgNodeItem::sync(orbSvgNode *node)
{
    if (node != m_target)
        attach(node);
    applyTransform(static_cast<orbTransformNode *>(node->parent()));

    const bool shown = isVisible();
    node->setFillVisible(shown);
    node->setStrokeVisible(shown);
    if (shown) {
        const bool opaqueEnough = opacity() > 0;
        node->setFillVisible(opaqueEnough);
        node->setStrokeVisible(opaqueEnough);
        if (opaqueEnough)
            node->setOpacity(float(opacity()));
    }

    orbSvgPathNode *fill = node->fillNode();
    orbSvgPathStrokeNode *stroke = node->strokeNode();
    if (m_fillColorDirty || isBound("fillColor")) {
        fill->setBrush(QBrush(m_fillColor, Qt::SolidPattern));
        m_fillColorDirty = false;
    }
    if (m_strokeColorDirty || isBound("strokeColor")) {
        QPen pen = stroke->pendingPen();
        pen.setBrush(QBrush(m_strokeColor, Qt::SolidPattern));
        stroke->setPen(pen);
        m_strokeColorDirty = false;
    }
    if (m_fillGradientDirty) {
        fill->setBrush(m_fillGradient.apply(fill->gradientBrush()));
        m_fillGradientDirty = false;
    }
    if (m_strokeGradientDirty) {
        QPen pen = stroke->pendingPen();
        pen.setBrush(m_strokeGradient.apply(stroke->gradientBrush()));
        stroke->setPen(pen);
        m_strokeGradientDirty = false;
    }
    if (m_stroke.merge(stroke->pendingPen())) {
        stroke->setPen(m_stroke.pen());
        stroke->update();
    }
}
