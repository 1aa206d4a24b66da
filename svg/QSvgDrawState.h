#pragma once

#include <QtCore/Qt>

namespace orbsvg {

class QSvgFont;

// The state that travels beside the painter through a draw or a bounds
// computation: what the painter itself cannot hold.
struct QSvgDrawState
{
    double fillOpacity = 1.0;
    double strokeOpacity = 1.0;
    QSvgFont *svgFont = nullptr;
    Qt::Alignment textAnchor = Qt::AlignLeft;
    int fontWeight = 400;
    Qt::FillRule fillRule = Qt::WindingFill;
    double strokeDashOffset = 0;
    bool vectorEffect = false; // non-scaling (cosmetic) stroke
};

} // namespace orbsvg
