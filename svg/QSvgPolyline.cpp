#include "QSvgPolyline.h"

namespace orbsvg {

QSvgPolyline::QSvgPolyline(QSvgNode *parent, const QPolygonF &polygon)
    : QSvgNode(parent)
    , m_polygon(polygon)
{
}

void QSvgPolyline::draw(QPainter *p, QSvgDrawState &state)
{
    applyStyle(p, state);
    const qreal opacity = p->opacity();
    if (p->brush().style() != Qt::NoBrush) {
        const QPen pen = p->pen();
        p->setPen(Qt::NoPen);
        p->setOpacity(opacity * state.fillOpacity);
        p->drawPolygon(m_polygon, state.fillRule);
        p->setPen(pen);
    }
    if (p->pen().widthF() != 0) {
        p->setOpacity(opacity * state.strokeOpacity);
        p->drawPolyline(m_polygon);
    }
    p->setOpacity(opacity);
    revertStyle(p, state);
}

QRectF QSvgPolyline::bounds(QPainter *p, QSvgDrawState &) const
{
    QPainterPath path;
    path.addPolygon(m_polygon);
    return shapeBounds(p, path);
}

} // namespace orbsvg
