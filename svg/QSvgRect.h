#pragma once

#include "QSvgNode.h"

namespace orbsvg {

// A rectangle with optional rounded corners; rx and ry are percentages of half
// the width and half the height.
class QSvgRect : public QSvgNode
{
public:
    QSvgRect(QSvgNode *parent, const QRectF &rect, int rx = 0, int ry = 0);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Rect; }
    QRectF bounds(QPainter *p, QSvgDrawState &state) const override;
    // Rebuilt on every call: valid until the next one.
    const QPainterPath *outlinePath() const override;

    const QRectF &rect() const { return m_rect; }
    int rx() const { return m_rx; }
    int ry() const { return m_ry; }

private:
    QRectF m_rect;
    int m_rx;
    int m_ry;
    mutable QPainterPath m_outline;
};

} // namespace orbsvg
