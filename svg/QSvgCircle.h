#pragma once

#include "QSvgEllipse.h"

namespace orbsvg {

// A circle: an ellipse in (cx - r, cy - r, 2r, 2r).
class QSvgCircle : public QSvgEllipse
{
public:
    QSvgCircle(QSvgNode *parent, const QRectF &rect);

    Type type() const override { return Circle; }
};

} // namespace orbsvg
