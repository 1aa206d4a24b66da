#pragma once

#include "QSvgStructureNode.h"

namespace orbsvg {

// A "g" group.
class QSvgG : public QSvgStructureNode
{
public:
    explicit QSvgG(QSvgNode *parent = nullptr);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return G; }
};

} // namespace orbsvg
