#include "QSvgEllipse.h"

namespace orbsvg {

QSvgEllipse::QSvgEllipse(QSvgNode *parent, const QRectF &rect)
    : QSvgNode(parent)
    , m_rect(rect)
{
    m_outline.addEllipse(rect);
}

void QSvgEllipse::draw(QPainter *p, QSvgDrawState &state)
{
    drawShape(p, state, [this](QPainter *painter) { painter->drawEllipse(m_rect); });
}

QRectF QSvgEllipse::bounds(QPainter *p, QSvgDrawState &) const
{
    return shapeBounds(p, m_outline);
}

} // namespace orbsvg
