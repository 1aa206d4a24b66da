#pragma once

#include "QSvgStyleProperty.h"

namespace orbsvg {

// Rendering-quality hints; nothing produces or uses them yet.
class QSvgQualityStyle : public QSvgStyleProperty
{
public:
    void apply(QPainter *, const QSvgNode *, QSvgDrawState &) override { }
    void revert(QPainter *, QSvgDrawState &) override { }
    Type type() const override { return Quality; }
};

} // namespace orbsvg
