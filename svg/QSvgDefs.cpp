#include "QSvgDefs.h"

namespace orbsvg {

QSvgDefs::QSvgDefs(QSvgNode *parent)
    : QSvgStructureNode(parent)
{
}

} // namespace orbsvg
