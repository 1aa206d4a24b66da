#include "QSvgPresentationAttributes.h"

#include <QtCore/QHash>
#include <QtCore/QXmlStreamAttributes>

namespace orbsvg {

namespace {
using Field = QStringRef QSvgPresentationAttributes::*;

const QHash<QString, Field> &fieldsByName()
{
    static const QHash<QString, Field> fields = {
        {QStringLiteral("color"), &QSvgPresentationAttributes::color},
        {QStringLiteral("color-opacity"), &QSvgPresentationAttributes::colorOpacity},
        {QStringLiteral("comp-op"), &QSvgPresentationAttributes::compOp},
        {QStringLiteral("display"), &QSvgPresentationAttributes::display},
        {QStringLiteral("fill"), &QSvgPresentationAttributes::fill},
        {QStringLiteral("fill-rule"), &QSvgPresentationAttributes::fillRule},
        {QStringLiteral("fill-opacity"), &QSvgPresentationAttributes::fillOpacity},
        {QStringLiteral("font-family"), &QSvgPresentationAttributes::fontFamily},
        {QStringLiteral("font-size"), &QSvgPresentationAttributes::fontSize},
        {QStringLiteral("font-style"), &QSvgPresentationAttributes::fontStyle},
        {QStringLiteral("font-weight"), &QSvgPresentationAttributes::fontWeight},
        {QStringLiteral("font-variant"), &QSvgPresentationAttributes::fontVariant},
        {QStringLiteral("id"), &QSvgPresentationAttributes::id},
        {QStringLiteral("opacity"), &QSvgPresentationAttributes::opacity},
        {QStringLiteral("offset"), &QSvgPresentationAttributes::offset},
        {QStringLiteral("stroke"), &QSvgPresentationAttributes::stroke},
        {QStringLiteral("stroke-dasharray"), &QSvgPresentationAttributes::strokeDashArray},
        {QStringLiteral("stroke-dashoffset"), &QSvgPresentationAttributes::strokeDashOffset},
        {QStringLiteral("stroke-linecap"), &QSvgPresentationAttributes::strokeLineCap},
        {QStringLiteral("stroke-linejoin"), &QSvgPresentationAttributes::strokeLineJoin},
        {QStringLiteral("stroke-miterlimit"), &QSvgPresentationAttributes::strokeMiterLimit},
        {QStringLiteral("stroke-opacity"), &QSvgPresentationAttributes::strokeOpacity},
        {QStringLiteral("stroke-width"), &QSvgPresentationAttributes::strokeWidth},
        {QStringLiteral("stop-color"), &QSvgPresentationAttributes::stopColor},
        {QStringLiteral("stop-opacity"), &QSvgPresentationAttributes::stopOpacity},
        {QStringLiteral("text-anchor"), &QSvgPresentationAttributes::textAnchor},
        {QStringLiteral("transform"), &QSvgPresentationAttributes::transform},
        {QStringLiteral("vector-effect"), &QSvgPresentationAttributes::vectorEffect},
        {QStringLiteral("visibility"), &QSvgPresentationAttributes::visibility},
    };
    return fields;
}
} // namespace

QSvgPresentationAttributes::QSvgPresentationAttributes(const QXmlStreamAttributes &attributes)
{
    for (const QXmlStreamAttribute &attribute : attributes) {
        const QStringRef name = attribute.qualifiedName();
        if (name == QLatin1String("xml:id")) {
            if (id.isEmpty())
                id = attribute.value();
            continue;
        }
        const auto field = fieldsByName().constFind(name.toString());
        if (field != fieldsByName().constEnd())
            this->*(field.value()) = attribute.value(); // a later duplicate wins
    }
}

bool QSvgPresentationAttributes::hasStroke() const
{
    return !stroke.isEmpty() || !strokeDashArray.isEmpty() || !strokeDashOffset.isEmpty()
        || !strokeLineCap.isEmpty() || !strokeLineJoin.isEmpty() || !strokeMiterLimit.isEmpty()
        || !strokeOpacity.isEmpty() || !strokeWidth.isEmpty() || !vectorEffect.isEmpty();
}

bool QSvgPresentationAttributes::hasFont() const
{
    return !fontFamily.isEmpty() || !fontSize.isEmpty() || !fontStyle.isEmpty()
        || !fontWeight.isEmpty() || !fontVariant.isEmpty() || !textAnchor.isEmpty();
}

} // namespace orbsvg
