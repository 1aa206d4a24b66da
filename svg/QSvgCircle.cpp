#include "QSvgCircle.h"

namespace orbsvg {

QSvgCircle::QSvgCircle(QSvgNode *parent, const QRectF &rect)
    : QSvgEllipse(parent, rect)
{
}

} // namespace orbsvg
