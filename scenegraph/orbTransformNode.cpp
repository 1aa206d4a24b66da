#include "orbTransformNode.h"

#include <QtGui/QMatrix4x4>

orbTransformNode::orbTransformNode() = default;

void orbTransformNode::setTransform(const QTransform &t)
{
    m_transform = t;
    setMatrix(QMatrix4x4(t));
}
