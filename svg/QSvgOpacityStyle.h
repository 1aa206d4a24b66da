#pragma once

#include "QSvgStyleProperty.h"

namespace orbsvg {

// Group opacity: multiplied into the painter's opacity.
class QSvgOpacityStyle : public QSvgStyleProperty
{
public:
    explicit QSvgOpacityStyle(double opacity);

    void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) override;
    void revert(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Opacity; }

    double opacity() const { return m_opacity; }

private:
    double m_opacity;
    double m_oldOpacity = 1.0;
};

} // namespace orbsvg
