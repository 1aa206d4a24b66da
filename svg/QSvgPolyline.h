#pragma once

#include "QSvgNode.h"

#include <QtGui/QPolygonF>

namespace orbsvg {

// An open polyline: filled as a polygon, stroked open.
class QSvgPolyline : public QSvgNode
{
public:
    QSvgPolyline(QSvgNode *parent, const QPolygonF &polygon);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Polyline; }
    QRectF bounds(QPainter *p, QSvgDrawState &state) const override;

    const QPolygonF &polygon() const { return m_polygon; }

private:
    QPolygonF m_polygon;
};

} // namespace orbsvg
