#include "QSvgUse.h"

namespace orbsvg {

QSvgUse::QSvgUse(const QPointF &start, QSvgNode *parent, QSvgNode *link)
    : QSvgNode(parent)
    , m_link(link)
    , m_start(start)
{
}

void QSvgUse::draw(QPainter *p, QSvgDrawState &state)
{
    applyStyle(p, state);
    const bool moved = !m_start.isNull();
    if (moved)
        p->translate(m_start);
    if (m_link)
        m_link->draw(p, state);
    if (moved)
        p->translate(-m_start);
    revertStyle(p, state);
}

QRectF QSvgUse::bounds(QPainter *p, QSvgDrawState &state) const
{
    if (!m_link)
        return QRectF();
    p->translate(m_start);
    const QRectF rect = m_link->styledBounds(p, state);
    p->translate(-m_start);
    return rect;
}

} // namespace orbsvg
