#include "QSvgLine.h"

namespace orbsvg {

QSvgLine::QSvgLine(QSvgNode *parent, const QLineF &line)
    : QSvgNode(parent)
    , m_line(line)
{
}

void QSvgLine::draw(QPainter *p, QSvgDrawState &state)
{
    drawStrokeOnly(p, state, [this](QPainter *painter) { painter->drawLine(m_line); });
}

QRectF QSvgLine::bounds(QPainter *p, QSvgDrawState &) const
{
    QPainterPath path(m_line.p1());
    path.lineTo(m_line.p2());
    return shapeBounds(p, path);
}

} // namespace orbsvg
