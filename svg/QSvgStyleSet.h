#pragma once

#include "QSvgAnimateColor.h"
#include "QSvgAnimateTransform.h"
#include "QSvgCompOpStyle.h"
#include "QSvgFillStyle.h"
#include "QSvgFontStyle.h"
#include "QSvgGradientStyle.h"
#include "QSvgOpacityStyle.h"
#include "QSvgQualityStyle.h"
#include "QSvgRefPtr.h"
#include "QSvgSolidColorStyle.h"
#include "QSvgStrokeStyle.h"
#include "QSvgTransformStyle.h"
#include "QSvgViewportFillStyle.h"

#include <QtCore/QVector>

namespace orbsvg {

// The style references carried by one node, applied to a painter in a fixed
// order and reverted in the mirrored one.
struct QSvgStyleSet
{
    QSvgRefPtr<QSvgQualityStyle> quality;
    QSvgRefPtr<QSvgFillStyle> fill;
    QSvgRefPtr<QSvgViewportFillStyle> viewportFill;
    QSvgRefPtr<QSvgFontStyle> font;
    QSvgRefPtr<QSvgStrokeStyle> stroke;
    QSvgRefPtr<QSvgSolidColorStyle> solidColor;
    QSvgRefPtr<QSvgGradientStyle> gradient;
    QSvgRefPtr<QSvgTransformStyle> transform;
    QSvgRefPtr<QSvgAnimateColor> animateColor;
    QVector<QSvgRefPtr<QSvgAnimateTransform>> animateTransforms;
    QSvgRefPtr<QSvgOpacityStyle> opacity;
    QSvgRefPtr<QSvgCompOpStyle> compOp;

    // Paint servers (solid colour, gradient) are not applied: they act only
    // through a fill or stroke that names them.
    void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) const;
    void revert(QPainter *p, QSvgDrawState &state) const;

private:
    void applyAnimateTransforms(QPainter *p, const QSvgNode *node, QSvgDrawState &state) const;
    void revertAnimateTransforms(QPainter *p, QSvgDrawState &state) const;
};

} // namespace orbsvg
