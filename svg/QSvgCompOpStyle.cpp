#include "QSvgCompOpStyle.h"

namespace orbsvg {

QSvgCompOpStyle::QSvgCompOpStyle(QPainter::CompositionMode mode)
    : m_mode(mode)
{
}

void QSvgCompOpStyle::apply(QPainter *p, const QSvgNode *, QSvgDrawState &)
{
    m_oldMode = p->compositionMode();
    p->setCompositionMode(m_mode);
}

void QSvgCompOpStyle::revert(QPainter *p, QSvgDrawState &)
{
    p->setCompositionMode(m_oldMode);
}

} // namespace orbsvg
