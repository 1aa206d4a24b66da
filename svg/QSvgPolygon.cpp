#include "QSvgPolygon.h"

namespace orbsvg {

QSvgPolygon::QSvgPolygon(QSvgNode *parent, const QPolygonF &polygon)
    : QSvgNode(parent)
    , m_polygon(polygon)
{
    m_outline.addPolygon(polygon);
}

void QSvgPolygon::draw(QPainter *p, QSvgDrawState &state)
{
    drawShape(p, state, [this, &state](QPainter *painter) {
        painter->drawPolygon(m_polygon, state.fillRule);
    });
}

QRectF QSvgPolygon::bounds(QPainter *p, QSvgDrawState &) const
{
    return shapeBounds(p, m_outline);
}

} // namespace orbsvg
