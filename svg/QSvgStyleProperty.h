#pragma once

#include "QSvgDrawState.h"
#include "QSvgRefCounted.h"

class QPainter;

namespace orbsvg {

class QSvgNode;

// A style property hung on a node: apply() changes the painter and the draw
// state, revert() puts back what apply() replaced.
class QSvgStyleProperty : public QSvgRefCounted
{
public:
    enum Type {
        Quality,
        Fill,
        ViewportFill,
        Font,
        Stroke,
        SolidColor,
        Gradient,
        Transform,
        AnimateTransform,
        AnimateColor,
        Opacity,
        CompOp
    };

    virtual void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) = 0;
    virtual void revert(QPainter *p, QSvgDrawState &state) = 0;
    virtual Type type() const = 0;
};

} // namespace orbsvg
