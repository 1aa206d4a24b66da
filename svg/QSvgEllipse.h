#pragma once

#include "QSvgNode.h"

namespace orbsvg {

// An ellipse given by its bounding box.
class QSvgEllipse : public QSvgNode
{
public:
    QSvgEllipse(QSvgNode *parent, const QRectF &rect);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Ellipse; }
    QRectF bounds(QPainter *p, QSvgDrawState &state) const override;
    const QPainterPath *outlinePath() const override { return &m_outline; }

    const QRectF &rect() const { return m_rect; }

private:
    QRectF m_rect;
    QPainterPath m_outline;
};

} // namespace orbsvg
