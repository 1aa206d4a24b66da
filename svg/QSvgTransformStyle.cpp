#include "QSvgTransformStyle.h"

#include <QtGui/QPainter>

namespace orbsvg {

QSvgTransformStyle::QSvgTransformStyle(const QTransform &transform)
    : m_transform(transform)
{
}

void QSvgTransformStyle::apply(QPainter *p, const QSvgNode *, QSvgDrawState &)
{
    m_oldWorldTransform = p->worldTransform();
    // Combined: the node's transform acts first, then the parent's.
    p->setWorldTransform(m_transform, true);
}

void QSvgTransformStyle::revert(QPainter *p, QSvgDrawState &)
{
    p->setWorldTransform(m_oldWorldTransform, false);
}

} // namespace orbsvg
