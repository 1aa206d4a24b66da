#include "RedirectingTransformNode.h"

RedirectingTransformNode::RedirectingTransformNode(QQuickItem *item)
    : m_item(item)
{
    setFlag(QSGNode::UsePreprocess);
}

void RedirectingTransformNode::preprocess()
{
    if (matrix() != m_lastMatrix)
        emit transformChanged();
    m_lastMatrix = matrix();
}
