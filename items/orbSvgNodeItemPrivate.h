#pragma once

#include "orbSvgNodeItem.h"

#include <QtQuick/private/qquickitem_p.h>

// Gives the item a transform node that tells it, one frame later, whenever
// the scene graph changed the item's matrix.
class orbSvgNodeItemPrivate : public QQuickItemPrivate
{
    Q_DECLARE_PUBLIC(orbSvgNodeItem)

public:
    QSGTransformNode *createTransformNode() override;
};
