#pragma once

#include "QSvgStructureNode.h"

namespace orbsvg {

// "defs": content that is referenced, never drawn itself.
class QSvgDefs : public QSvgStructureNode
{
public:
    explicit QSvgDefs(QSvgNode *parent = nullptr);

    void draw(QPainter *, QSvgDrawState &) override { }
    Type type() const override { return Defs; }
};

} // namespace orbsvg
