#pragma once

#include "QSvgNode.h"

namespace orbsvg {

// An "animation" element; not drawn.
class QSvgAnimation : public QSvgNode
{
public:
    explicit QSvgAnimation(QSvgNode *parent = nullptr);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Animation; }
};

} // namespace orbsvg
