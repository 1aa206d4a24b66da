#include "QSvgAnimation.h"

namespace orbsvg {

QSvgAnimation::QSvgAnimation(QSvgNode *parent)
    : QSvgNode(parent)
{
}

void QSvgAnimation::draw(QPainter *, QSvgDrawState &)
{
    qWarning("<animation> no implemented");
}

} // namespace orbsvg
