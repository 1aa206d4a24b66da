#include "QSvgOpacityStyle.h"

#include <QtGui/QPainter>

namespace orbsvg {

QSvgOpacityStyle::QSvgOpacityStyle(double opacity)
    : m_opacity(opacity)
{
}

void QSvgOpacityStyle::apply(QPainter *p, const QSvgNode *, QSvgDrawState &)
{
    m_oldOpacity = p->opacity();
    p->setOpacity(m_opacity * m_oldOpacity);
}

void QSvgOpacityStyle::revert(QPainter *p, QSvgDrawState &)
{
    p->setOpacity(m_oldOpacity);
}

} // namespace orbsvg
