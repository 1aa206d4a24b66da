#include "QSvgPath.h"

namespace orbsvg {

QSvgPath::QSvgPath(QSvgNode *parent, const QPainterPath &path)
    : QSvgNode(parent)
    , m_path(path)
{
    m_path.setFillRule(Qt::WindingFill);
}

void QSvgPath::draw(QPainter *p, QSvgDrawState &state)
{
    drawShape(p, state, [this, &state](QPainter *painter) {
        m_path.setFillRule(state.fillRule);
        painter->drawPath(m_path);
    });
}

QRectF QSvgPath::bounds(QPainter *p, QSvgDrawState &) const
{
    return shapeBounds(p, m_path);
}

} // namespace orbsvg
