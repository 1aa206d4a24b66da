#include "QSvgArc.h"

namespace orbsvg {

QSvgArc::QSvgArc(QSvgNode *parent, const QPainterPath &path)
    : QSvgNode(parent)
    , m_path(path)
{
}

void QSvgArc::draw(QPainter *p, QSvgDrawState &state)
{
    drawStrokeOnly(p, state, [this](QPainter *painter) { painter->drawPath(m_path); });
}

QRectF QSvgArc::bounds(QPainter *p, QSvgDrawState &) const
{
    return shapeBounds(p, m_path);
}

} // namespace orbsvg
