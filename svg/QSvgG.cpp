#include "QSvgG.h"

namespace orbsvg {

QSvgG::QSvgG(QSvgNode *parent)
    : QSvgStructureNode(parent)
{
}

void QSvgG::draw(QPainter *p, QSvgDrawState &state)
{
    drawChildren(p, state);
}

} // namespace orbsvg
