#include "QSvgStructureNode.h"

#include "QSvgTinyDocument.h"

namespace orbsvg {

QSvgStructureNode::QSvgStructureNode(QSvgNode *parent)
    : QSvgNode(parent)
{
}

QSvgStructureNode::~QSvgStructureNode()
{
    qDeleteAll(m_children);
}

void QSvgStructureNode::addChild(QSvgNode *child, const QString &id)
{
    m_children.append(child);
    if (id.isEmpty())
        return;
    if (QSvgTinyDocument *doc = document())
        doc->addNamedNode(id, child);
}

QSvgNode *QSvgStructureNode::findNode(const QString &id) const
{
    const QSvgTinyDocument *doc = document();
    return doc ? doc->namedNode(id) : nullptr;
}

QRectF QSvgStructureNode::bounds(QPainter *p, QSvgDrawState &state) const
{
    QRectF united;
    for (const QSvgNode *child : m_children)
        united |= child->styledBounds(p, state);
    return united;
}

void QSvgStructureNode::drawChildren(QPainter *p, QSvgDrawState &state)
{
    applyStyle(p, state);
    for (QSvgNode *child : qAsConst(m_children)) {
        if (child->isDrawn())
            child->draw(p, state);
    }
    revertStyle(p, state);
}

} // namespace orbsvg
