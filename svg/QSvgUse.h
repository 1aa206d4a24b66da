#pragma once

#include "QSvgNode.h"

namespace orbsvg {

// A "use" element: draws another node of the document at an offset.
class QSvgUse : public QSvgNode
{
public:
    // link is not owned.
    QSvgUse(const QPointF &start, QSvgNode *parent, QSvgNode *link);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Use; }
    QRectF bounds(QPainter *p, QSvgDrawState &state) const override;

    QSvgNode *link() const { return m_link; }
    const QPointF &start() const { return m_start; }

private:
    QSvgNode *m_link;
    QPointF m_start;
};

} // namespace orbsvg
