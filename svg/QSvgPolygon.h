#pragma once

#include "QSvgNode.h"

#include <QtGui/QPolygonF>

namespace orbsvg {

// A closed polygon.
class QSvgPolygon : public QSvgNode
{
public:
    QSvgPolygon(QSvgNode *parent, const QPolygonF &polygon);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Polygon; }
    QRectF bounds(QPainter *p, QSvgDrawState &state) const override;
    const QPainterPath *outlinePath() const override { return &m_outline; }

    const QPolygonF &polygon() const { return m_polygon; }

private:
    QPolygonF m_polygon;
    QPainterPath m_outline;
};

} // namespace orbsvg
