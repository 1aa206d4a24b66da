#include "QSvgRect.h"

namespace orbsvg {

QSvgRect::QSvgRect(QSvgNode *parent, const QRectF &rect, int rx, int ry)
    : QSvgNode(parent)
    , m_rect(rect)
    , m_rx(rx)
    , m_ry(ry)
{
}

void QSvgRect::draw(QPainter *p, QSvgDrawState &state)
{
    drawShape(p, state, [this](QPainter *painter) {
        if (m_rx || m_ry)
            painter->drawRoundedRect(m_rect, m_rx, m_ry, Qt::RelativeSize);
        else
            painter->drawRect(m_rect);
    });
}

const QPainterPath *QSvgRect::outlinePath() const
{
    m_outline = QPainterPath();
    m_outline.addRoundedRect(m_rect, m_rx, m_ry, Qt::RelativeSize);
    return &m_outline;
}

QRectF QSvgRect::bounds(QPainter *p, QSvgDrawState &) const
{
    // The corner radii do not change the bounds.
    QPainterPath path;
    path.addRect(m_rect);
    return shapeBounds(p, path);
}

} // namespace orbsvg
