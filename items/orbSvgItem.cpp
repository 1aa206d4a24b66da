#include "orbSvgItem.h"

#include "orbQuickRoot.h"
#include "orbSvgCache.h"
#include "orbSvgNode.h"
#include "orbSvgNodeItem.h"
#include "orbSvgPathNode.h"
#include "orbTransformNode.h"

#include <QtCore/QMetaMethod>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickView>
#include <QtQuick/QSGTransformNode>

namespace {

QQmlEngine *engineOf(QQuickWindow *window)
{
    if (QQmlContext *context = QQmlEngine::contextForObject(window))
        return context->engine();
    if (auto *view = qobject_cast<QQuickView *>(window))
        return view->engine();
    return nullptr;
}

// Calls update() on every path node below node, parents before children.
void updatePathNodes(QSGNode *node)
{
    for (QSGNode *child = node->firstChild(); child; child = child->nextSibling()) {
        if (auto *path = dynamic_cast<orbSvgPathNode *>(child))
            path->update();
        updatePathNodes(child);
    }
}

} // namespace

orbSvgItem::orbSvgItem(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents);
}

orbSvgItem::~orbSvgItem() = default;

void orbSvgItem::setSource(const QUrl &url)
{
    if (url != m_source) {
        m_source = url;
        m_sourceDirty = true;
    }
    update();
    emit sourceChanged();
}

void orbSvgItem::itemChange(ItemChange change, const ItemChangeData &value)
{
    if (change == ItemSceneChange && value.window)
        takeCacheOfWindow();
    QQuickItem::itemChange(change, value);
}

void orbSvgItem::takeCacheOfWindow()
{
    QQmlEngine *engine = engineOf(window());
    if (!engine)
        return;
    const QVariant property
        = engine->rootContext()->contextProperty(QStringLiteral("orbQuickRoot"));
    auto *root = qobject_cast<orbQuickRoot *>(property.value<QObject *>());
    if (!root)
        return;
    m_cache = orb::ref_ptr<orbSvgCache>(root->svgCache());
    update();
}

QSGNode *orbSvgItem::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *)
{
    QSGNode *node = oldNode;
    if (m_sourceDirty) {
        delete oldNode;
        node = nullptr;
        if (m_cache && !m_source.isEmpty()) {
            m_nodesById.clear();
            node = m_cache->createNodes(m_source, m_nodesById, m_sourceSize);
            static const QMetaMethod sizeChanged
                = metaObject()->method(metaObject()->indexOfSignal("sourceSizeChanged()"));
            sizeChanged.invoke(this, Qt::QueuedConnection);
            emit nodesChanged();
        }
        m_sourceDirty = false;
    }
    if (!node)
        return nullptr;

    syncChildren();

    // Scaling to the item is one matrix: resizing never rebuilds textures.
    // An empty document is drawn at no size rather than divided by zero.
    QMatrix4x4 scale;
    if (m_sourceSize.width() > 0 && m_sourceSize.height() > 0)
        scale.scale(float(width() / m_sourceSize.width()), float(height() / m_sourceSize.height()));
    else
        scale.scale(0, 0);
    static_cast<QSGTransformNode *>(node)->setMatrix(scale);

    updatePathNodes(node);
    return node;
}

void orbSvgItem::syncChildren()
{
    const QList<QQuickItem *> children = childItems();
    for (QQuickItem *child : children) {
        auto *element = qobject_cast<orbSvgNodeItem *>(child);
        if (!element || element->nodeId().isEmpty())
            continue;
        QSGNode *target = m_nodesById.value(element->nodeId());
        if (!target)
            continue;
        if (target->type() == QSGNode::BasicNodeType)
            element->sync(static_cast<orbSvgNode *>(target));
        else
            element->applyTransform(static_cast<orbTransformNode *>(target));
    }
}
