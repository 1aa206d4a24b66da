#include "orbSvgNode.h"

#include "orbSvgPathNode.h"
#include "orbSvgPathStrokeNode.h"

orbSvgNode::orbSvgNode(orbSvgPathNode *fill, orbSvgPathStrokeNode *stroke)
    : m_fill(fill)
    , m_stroke(stroke)
{
    // The stroke first, so that the fill covers its inner half.
    appendChildNode(m_stroke);
    appendChildNode(m_fill);
}

orbSvgNode::~orbSvgNode()
{
    // Attached children go with the tree; a hidden one is ours alone.
    if (!m_fillVisible)
        delete m_fill;
    if (!m_strokeVisible)
        delete m_stroke;
}

void orbSvgNode::setFillVisible(bool visible)
{
    if (visible == m_fillVisible)
        return;
    m_fillVisible = visible;
    if (visible)
        appendChildNode(m_fill);
    else
        removeChildNode(m_fill);
}

void orbSvgNode::setStrokeVisible(bool visible)
{
    if (visible == m_strokeVisible)
        return;
    m_strokeVisible = visible;
    if (visible)
        prependChildNode(m_stroke);
    else
        removeChildNode(m_stroke);
}

void orbSvgNode::setOpacity(float opacity)
{
    m_fill->setOpacity(opacity);
    m_stroke->setOpacity(opacity);
}
