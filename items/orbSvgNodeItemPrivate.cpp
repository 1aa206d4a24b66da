#include "orbSvgNodeItemPrivate.h"

#include "RedirectingTransformNode.h"
#include "orbSvgNodeItem.h"

QSGTransformNode *orbSvgNodeItemPrivate::createTransformNode()
{
    Q_Q(orbSvgNodeItem);
    auto *node = new RedirectingTransformNode(q);
    QObject::connect(node, &RedirectingTransformNode::transformChanged, q,
                     &orbSvgNodeItem::updateTransform, Qt::QueuedConnection);
    return node;
}
