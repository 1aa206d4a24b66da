#pragma once

#include <QtCore/QStringRef>

class QXmlStreamAttributes;

namespace orbsvg {

// The presentation attributes of one element, as found (empty when absent).
// The values refer into the reader's attributes, which must outlive them.
struct QSvgPresentationAttributes
{
    explicit QSvgPresentationAttributes(const QXmlStreamAttributes &attributes);

    QStringRef id;
    QStringRef color;
    QStringRef colorOpacity;
    QStringRef compOp;
    QStringRef display;
    QStringRef fill;
    QStringRef fillRule;
    QStringRef fillOpacity;
    QStringRef fontFamily;
    QStringRef fontSize;
    QStringRef fontStyle;
    QStringRef fontWeight;
    QStringRef fontVariant;
    QStringRef opacity;
    QStringRef offset;
    QStringRef stroke;
    QStringRef strokeDashArray;
    QStringRef strokeDashOffset;
    QStringRef strokeLineCap;
    QStringRef strokeLineJoin;
    QStringRef strokeMiterLimit;
    QStringRef strokeOpacity;
    QStringRef strokeWidth;
    QStringRef stopColor;
    QStringRef stopOpacity;
    QStringRef textAnchor;
    QStringRef transform;
    QStringRef vectorEffect;
    QStringRef visibility;

    bool hasFill() const
    {
        return !fill.isEmpty() || !fillRule.isEmpty() || !fillOpacity.isEmpty();
    }
    bool hasStroke() const;
    bool hasFont() const;
};

} // namespace orbsvg
