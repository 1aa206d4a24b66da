#include "QSvgTspan.h"

namespace orbsvg {

QSvgTspan::QSvgTspan(QSvgNode *parent, bool isTspan)
    : QSvgNode(parent)
    , m_isTspan(isTspan)
{
}

QSvgTspan *QSvgTspan::lineBreak(QSvgNode *parent)
{
    auto *run = new QSvgTspan(parent, false);
    run->m_isLineBreak = true;
    return run;
}

} // namespace orbsvg
