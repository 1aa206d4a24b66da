#include "QSvgViewportFillStyle.h"

#include <QtGui/QPainter>

namespace orbsvg {

QSvgViewportFillStyle::QSvgViewportFillStyle(const QBrush &brush)
    : m_brush(brush)
{
}

void QSvgViewportFillStyle::apply(QPainter *p, const QSvgNode *, QSvgDrawState &)
{
    m_oldBrush = p->brush();
    p->setBrush(m_brush);
}

void QSvgViewportFillStyle::revert(QPainter *p, QSvgDrawState &)
{
    p->setBrush(m_oldBrush);
}

} // namespace orbsvg
