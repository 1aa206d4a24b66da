#include "QSvgStyleParser.h"

#include "QSvgHandler.h"
#include "QSvgNode.h"
#include "QSvgPresentationAttributes.h"
#include "QSvgTinyDocument.h"
#include "QSvgValues.h"

#include <QtCore/QXmlStreamAttributes>
#include <QtGui/QGradient>

#include <cfloat>
#include <cmath>

namespace orbsvg {
namespace styleparser {

namespace {

const QLatin1String Inherit("inherit");
constexpr qreal MaxPenWidth = 32768;

qreal clampedOpacity(const QStringRef &text)
{
    const qreal value = values::toDouble(text.trimmed());
    return std::isnan(value) ? 1 : qBound<qreal>(0, value, 1);
}

// A fill or stroke value that names a paint server: the id, else empty.
QString paintServerId(const QStringRef &value)
{
    if (value.size() > 3 && value.startsWith(QLatin1String("url")))
        return values::idFromUrl(value.mid(3));
    return QString();
}

// What a fill or stroke paints with. Exactly one of the callbacks runs, or none.
template<class Style>
void parsePaint(const QStringRef &value, QSvgNode *node, QSvgHandler *handler, Style *style,
                void (Style::*setServer)(QSvgFillStyleProperty *),
                void (Style::*setBrush)(const QBrush &))
{
    if (value.isEmpty() || value == Inherit)
        return;
    if (value.size() > 3 && value.startsWith(QLatin1String("url"))) {
        const QString id = paintServerId(value);
        if (QSvgFillStyleProperty *server = node->styleById(id)) {
            if (server->type() == QSvgStyleProperty::SolidColor
                || server->type() == QSvgStyleProperty::Gradient)
                (style->*setServer)(server);
        } else {
            // Maybe defined later in the file: resolved once it has been read.
            style->setGradientId(id);
            style->setGradientResolved(false);
        }
        return;
    }
    if (value == QLatin1String("none")) {
        (style->*setBrush)(QBrush(Qt::NoBrush));
        return;
    }
    QColor color;
    if (values::parseColor(value, handler->currentColor(), color))
        (style->*setBrush)(QBrush(color));
}

void applyFill(QSvgNode *node, const QSvgPresentationAttributes &attributes, QSvgHandler *handler)
{
    if (!attributes.hasFill())
        return;
    auto *fill = new QSvgFillStyle;
    const QStringRef rule = attributes.fillRule.trimmed();
    if (rule == QLatin1String("evenodd"))
        fill->setFillRule(Qt::OddEvenFill);
    else if (rule == QLatin1String("nonzero"))
        fill->setFillRule(Qt::WindingFill);

    const QStringRef opacity = attributes.fillOpacity.trimmed();
    if (!opacity.isEmpty() && opacity != Inherit)
        fill->setFillOpacity(clampedOpacity(opacity));

    parsePaint(attributes.fill.trimmed(), node, handler, fill, &QSvgFillStyle::setFillStyle,
               &QSvgFillStyle::setBrush);
    node->addStyleProperty(fill, QString());
}

// Dash lengths in user units; a list of odd length is repeated once. Lists
// that cannot dash (negative or all zero lengths) draw solid.
void applyDashArray(QSvgStrokeStyle *stroke, const QStringRef &text)
{
    if (text == QLatin1String("none")) {
        stroke->setDashArrayNone();
        return;
    }
    QVector<qreal> dashes = values::parseNumberList(text);
    if (dashes.size() % 2)
        dashes += dashes;
    qreal sum = 0;
    for (qreal dash : qAsConst(dashes)) {
        if (!(dash >= 0) || !std::isfinite(dash)) {
            stroke->setDashArrayNone();
            return;
        }
        sum += dash;
    }
    if (dashes.isEmpty() || sum <= 0) {
        stroke->setDashArrayNone();
        return;
    }
    stroke->setDashArray(dashes);
}

void applyStroke(QSvgNode *node, const QSvgPresentationAttributes &attributes, QSvgHandler *handler)
{
    if (!attributes.hasStroke())
        return;
    auto *stroke = new QSvgStrokeStyle;
    parsePaint(attributes.stroke.trimmed(), node, handler, stroke, &QSvgStrokeStyle::setStyle,
               &QSvgStrokeStyle::setStroke);

    const QStringRef width = attributes.strokeWidth.trimmed();
    if (!width.isEmpty() && width != Inherit) {
        LengthType unit;
        const qreal value = values::parseLength(width, unit);
        // Negative widths are errors, and a pen cannot be wider than 32767: both ignored.
        if (value >= 0 && value < MaxPenWidth)
            stroke->setWidth(value);
    }

    const QStringRef dashArray = attributes.strokeDashArray.trimmed();
    if (!dashArray.isEmpty() && dashArray != Inherit)
        applyDashArray(stroke, dashArray);

    const QStringRef join = attributes.strokeLineJoin.trimmed();
    if (join == QLatin1String("miter"))
        stroke->setLineJoin(Qt::SvgMiterJoin);
    else if (join == QLatin1String("round"))
        stroke->setLineJoin(Qt::RoundJoin);
    else if (join == QLatin1String("bevel"))
        stroke->setLineJoin(Qt::BevelJoin);

    const QStringRef cap = attributes.strokeLineCap.trimmed();
    if (cap == QLatin1String("butt"))
        stroke->setLineCap(Qt::FlatCap);
    else if (cap == QLatin1String("round"))
        stroke->setLineCap(Qt::RoundCap);
    else if (cap == QLatin1String("square"))
        stroke->setLineCap(Qt::SquareCap);

    const QStringRef dashOffset = attributes.strokeDashOffset.trimmed();
    if (!dashOffset.isEmpty() && dashOffset != Inherit) {
        const qreal offset = values::toDouble(dashOffset);
        if (std::isfinite(offset))
            stroke->setDashOffset(offset);
    }

    const QStringRef vectorEffect = attributes.vectorEffect.trimmed();
    if (vectorEffect == QLatin1String("non-scaling-stroke"))
        stroke->setVectorEffect(true);
    else if (vectorEffect == QLatin1String("none"))
        stroke->setVectorEffect(false);

    const QStringRef miterLimit = attributes.strokeMiterLimit.trimmed();
    if (!miterLimit.isEmpty() && miterLimit != Inherit) {
        const qreal limit = values::toDouble(miterLimit);
        if (std::isfinite(limit))
            stroke->setMiterLimit(limit);
    }

    const QStringRef opacity = attributes.strokeOpacity.trimmed();
    if (!opacity.isEmpty() && opacity != Inherit)
        stroke->setOpacity(clampedOpacity(opacity));

    node->addStyleProperty(stroke, QString());
}

qreal fontSize(const QStringRef &text)
{
    static const QHash<QString, qreal> keywords
        = {{QStringLiteral("xx-small"), 6.9}, {QStringLiteral("x-small"), 8.3},
           {QStringLiteral("small"), 10.0},   {QStringLiteral("medium"), 12.0},
           {QStringLiteral("large"), 14.4},   {QStringLiteral("x-large"), 17.3},
           {QStringLiteral("xx-large"), 20.7}};
    const QChar first = text.at(0);
    if (first == QLatin1Char('x') || first == QLatin1Char('s') || first == QLatin1Char('m')
        || first == QLatin1Char('l'))
        return keywords.value(text.toString(), 0);
    LengthType unit;
    return values::parseLength(text, unit);
}

void applyFont(QSvgNode *node, const QSvgPresentationAttributes &attributes, QSvgHandler *handler)
{
    if (!attributes.hasFont())
        return;
    QSvgTinyDocument *document = node->document();
    auto *font = new QSvgFontStyle(nullptr, document);

    const QStringRef family = attributes.fontFamily.trimmed();
    if (!family.isEmpty() && family != Inherit) {
        if (document)
            font->setSvgFont(document->svgFont(family.toString()));
        font->setFamily(family.toString());
    }

    const QStringRef size = attributes.fontSize.trimmed();
    if (!size.isEmpty() && size != Inherit) {
        const qreal points = fontSize(size);
        if (std::isfinite(points))
            font->setSize(points);
    }

    const QStringRef style = attributes.fontStyle.trimmed();
    if (style == QLatin1String("normal"))
        font->setStyle(QFont::StyleNormal);
    else if (style == QLatin1String("italic"))
        font->setStyle(QFont::StyleItalic);
    else if (style == QLatin1String("oblique"))
        font->setStyle(QFont::StyleOblique);

    const QStringRef weight = attributes.fontWeight.trimmed();
    bool isNumber = false;
    const int numericWeight = weight.toInt(&isNumber);
    if (isNumber)
        font->setWeight(numericWeight);
    else if (weight == QLatin1String("normal"))
        font->setWeight(400);
    else if (weight == QLatin1String("bold"))
        font->setWeight(700);
    else if (weight == QLatin1String("bolder"))
        font->setWeight(QSvgFontStyle::Bolder);
    else if (weight == QLatin1String("lighter"))
        font->setWeight(QSvgFontStyle::Lighter);

    const QStringRef variant = attributes.fontVariant.trimmed();
    if (variant == QLatin1String("normal"))
        font->setVariant(QFont::MixedCase);
    else if (variant == QLatin1String("small-caps"))
        font->setVariant(QFont::SmallCaps);

    const QStringRef anchor = attributes.textAnchor.trimmed();
    if (anchor == QLatin1String("start"))
        font->setTextAnchor(Qt::AlignLeft);
    else if (anchor == QLatin1String("middle"))
        font->setTextAnchor(Qt::AlignHCenter);
    else if (anchor == QLatin1String("end"))
        font->setTextAnchor(Qt::AlignRight);

    Q_UNUSED(handler);
    node->addStyleProperty(font, QString());
}

void applyTransform(QSvgNode *node, const QStringRef &text)
{
    if (text.isEmpty())
        return;
    const QTransform transform = values::parseTransform(text);
    if (!transform.isIdentity())
        node->addStyleProperty(new QSvgTransformStyle(transform), QString());
}

void applyVisibility(QSvgNode *node, const QStringRef &value)
{
    const QStringRef visibility = value.trimmed();
    if (node->parent() && (visibility.isEmpty() || visibility == Inherit))
        node->setVisible(node->parent()->isVisible());
    else
        node->setVisible(visibility != QLatin1String("hidden")
                         && visibility != QLatin1String("collapse"));
}

void applyOpacity(QSvgNode *node, const QStringRef &value)
{
    const QStringRef text = value.trimmed();
    if (text.isEmpty())
        return;
    bool ok = false;
    const qreal opacity = values::toDouble(text, &ok);
    if (ok && !std::isnan(opacity))
        node->addStyleProperty(new QSvgOpacityStyle(qBound<qreal>(0, opacity, 1)), QString());
}

QPainter::CompositionMode compositionMode(const QStringRef &value)
{
    static const QHash<QString, QPainter::CompositionMode> modes
        = {{QStringLiteral("clear"), QPainter::CompositionMode_Clear},
           {QStringLiteral("src"), QPainter::CompositionMode_Source},
           {QStringLiteral("dst"), QPainter::CompositionMode_Destination},
           {QStringLiteral("src-over"), QPainter::CompositionMode_SourceOver},
           {QStringLiteral("dst-over"), QPainter::CompositionMode_DestinationOver},
           {QStringLiteral("src-in"), QPainter::CompositionMode_SourceIn},
           {QStringLiteral("dst-in"), QPainter::CompositionMode_DestinationIn},
           {QStringLiteral("src-out"), QPainter::CompositionMode_SourceOut},
           {QStringLiteral("dst-out"), QPainter::CompositionMode_DestinationOut},
           {QStringLiteral("src-atop"), QPainter::CompositionMode_SourceAtop},
           {QStringLiteral("dst-atop"), QPainter::CompositionMode_DestinationAtop},
           {QStringLiteral("xor"), QPainter::CompositionMode_Xor},
           {QStringLiteral("plus"), QPainter::CompositionMode_Plus},
           {QStringLiteral("multiply"), QPainter::CompositionMode_Multiply},
           {QStringLiteral("screen"), QPainter::CompositionMode_Screen},
           {QStringLiteral("overlay"), QPainter::CompositionMode_Overlay},
           {QStringLiteral("darken"), QPainter::CompositionMode_Darken},
           {QStringLiteral("lighten"), QPainter::CompositionMode_Lighten},
           {QStringLiteral("color-dodge"), QPainter::CompositionMode_ColorDodge},
           {QStringLiteral("color-burn"), QPainter::CompositionMode_ColorBurn},
           {QStringLiteral("hard-light"), QPainter::CompositionMode_HardLight},
           {QStringLiteral("soft-light"), QPainter::CompositionMode_SoftLight},
           {QStringLiteral("difference"), QPainter::CompositionMode_Difference},
           {QStringLiteral("exclusion"), QPainter::CompositionMode_Exclusion}};
    const auto mode = modes.constFind(value.toString());
    if (mode != modes.constEnd())
        return mode.value();
    qDebug("Operation: \"%s\" is not implemented", qPrintable(value.toString()));
    return QPainter::CompositionMode_SourceOver;
}

void applyCompOp(QSvgNode *node, const QStringRef &value)
{
    const QStringRef text = value.trimmed();
    if (!text.isEmpty())
        node->addStyleProperty(new QSvgCompOpStyle(compositionMode(text)), QString());
}

void applyDisplay(QSvgNode *node, const QStringRef &value)
{
    static const QHash<QString, QSvgNode::DisplayMode> modes
        = {{QStringLiteral("inline"), QSvgNode::InlineMode},
           {QStringLiteral("block"), QSvgNode::BlockMode},
           {QStringLiteral("list-item"), QSvgNode::ListItemMode},
           {QStringLiteral("run-in"), QSvgNode::RunInMode},
           {QStringLiteral("compact"), QSvgNode::CompactMode},
           {QStringLiteral("marker"), QSvgNode::MarkerMode},
           {QStringLiteral("table"), QSvgNode::TableMode},
           {QStringLiteral("inline-table"), QSvgNode::InlineTableMode},
           {QStringLiteral("table-row"), QSvgNode::TableRowMode},
           {QStringLiteral("table-header-group"), QSvgNode::TableHeaderGroupMode},
           {QStringLiteral("table-footer-group"), QSvgNode::TableFooterGroupMode},
           {QStringLiteral("table-column-group"), QSvgNode::TableColumnGroupMode},
           {QStringLiteral("table-column"), QSvgNode::TableColumnMode},
           {QStringLiteral("table-cell"), QSvgNode::TableCellMode},
           {QStringLiteral("table-caption"), QSvgNode::TableCaptionMode},
           {QStringLiteral("none"), QSvgNode::NoneMode},
           {QStringLiteral("inherit"), QSvgNode::InheritMode}};
    const QStringRef text = value.trimmed();
    if (!text.isEmpty())
        node->setDisplayMode(modes.value(text.toString(), QSvgNode::BlockMode));
}

// The attributes every gradient shares, in order: colour, borrowed stops and
// matrix, own transform, spread, units.
void parseBaseGradient(QSvgNode *node, const QXmlStreamAttributes &attributes,
                       QSvgGradientStyle *gradient, QSvgHandler *handler)
{
    applyColor(attributes.value(QLatin1String("color")),
               attributes.value(QLatin1String("color-opacity")), handler);

    QTransform matrix;
    const QString link = attributes.value(QLatin1String("xlink:href")).toString();
    if (!link.isEmpty()) {
        QSvgFillStyleProperty *linked = node->styleById(link);
        if (linked && linked->type() == QSvgStyleProperty::Gradient) {
            auto *inherited = static_cast<QSvgGradientStyle *>(linked);
            if (!inherited->stopLink().isEmpty()) {
                gradient->setStopLink(inherited->stopLink(), node->document());
            } else {
                gradient->qgradient()->setStops(inherited->qgradient()->stops());
                gradient->setStopsSet(inherited->stopsSet());
            }
            matrix = inherited->qmatrix();
        } else {
            gradient->setStopLink(link, node->document());
        }
    }

    const QStringRef transform = attributes.value(QLatin1String("gradientTransform"));
    if (!transform.isEmpty())
        matrix = values::parseTransform(transform);
    gradient->setMatrix(matrix);

    const QStringRef spread = attributes.value(QLatin1String("spreadMethod"));
    if (spread == QLatin1String("pad"))
        gradient->qgradient()->setSpread(QGradient::PadSpread);
    else if (spread == QLatin1String("reflect"))
        gradient->qgradient()->setSpread(QGradient::ReflectSpread);
    else if (spread == QLatin1String("repeat"))
        gradient->qgradient()->setSpread(QGradient::RepeatSpread);

    const QStringRef units = attributes.value(QLatin1String("gradientUnits"));
    if (units.isEmpty() || units == QLatin1String("objectBoundingBox"))
        gradient->qgradient()->setCoordinateMode(QGradient::ObjectBoundingMode);
}

// A gradient coordinate: the unit suffix is dropped, percentages become fractions.
qreal gradientCoordinate(const QXmlStreamAttributes &attributes, const char *name, qreal fallback)
{
    const QStringRef text = attributes.value(QLatin1String(name));
    if (text.isEmpty())
        return fallback;
    LengthType unit;
    const qreal value = values::parseLength(text, unit);
    return unit == LengthType::Percent ? value / 100 : value;
}

qreal plainNumber(const QXmlStreamAttributes &attributes, const char *name, qreal fallback)
{
    const QStringRef text = attributes.value(QLatin1String(name));
    return text.isEmpty() ? fallback : values::toDouble(text);
}

} // namespace

void applyColor(const QStringRef &color, const QStringRef &opacity, QSvgHandler *handler)
{
    QColor resolved;
    if (!values::parseColorWithOpacity(color, opacity, handler->currentColor(), resolved))
        return;
    handler->popColor();
    handler->pushColor(resolved);
}

void applyPresentationAttributes(QSvgNode *node, const QSvgPresentationAttributes &attributes,
                                 QSvgHandler *handler)
{
    applyColor(attributes.color, attributes.colorOpacity, handler);
    applyFill(node, attributes, handler);
    applyStroke(node, attributes, handler);
    applyFont(node, attributes, handler);
    applyTransform(node, attributes.transform);
    applyVisibility(node, attributes.visibility);
    applyOpacity(node, attributes.opacity);
    applyCompOp(node, attributes.compOp);
    applyDisplay(node, attributes.display);
}

QSvgStyleProperty *createLinearGradient(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                                        QSvgHandler *handler)
{
    auto *linear = new QLinearGradient(
        gradientCoordinate(attributes, "x1", 0), gradientCoordinate(attributes, "y1", 0),
        gradientCoordinate(attributes, "x2", 1), gradientCoordinate(attributes, "y2", 0));
    linear->setInterpolationMode(QGradient::ComponentInterpolation);
    auto *gradient = new QSvgGradientStyle(linear);
    parseBaseGradient(parent, attributes, gradient, handler);
    return gradient;
}

QSvgStyleProperty *createRadialGradient(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                                        QSvgHandler *handler)
{
    const qreal cx = plainNumber(attributes, "cx", 0.5);
    const qreal cy = plainNumber(attributes, "cy", 0.5);
    const qreal r = plainNumber(attributes, "r", 0.5);
    const qreal fx = plainNumber(attributes, "fx", cx);
    const qreal fy = plainNumber(attributes, "fy", cy);
    auto *radial = new QRadialGradient(cx, cy, r, fx, fy);
    radial->setInterpolationMode(QGradient::ComponentInterpolation);
    auto *gradient = new QSvgGradientStyle(radial);
    parseBaseGradient(parent, attributes, gradient, handler);
    return gradient;
}

QSvgStyleProperty *createSolidColor(QSvgNode *, const QXmlStreamAttributes &attributes,
                                    QSvgHandler *handler)
{
    QStringRef opacity = attributes.value(QLatin1String("solid-opacity"));
    if (opacity.isEmpty())
        opacity = attributes.value(QLatin1String("opacity"));
    QColor color;
    if (!values::parseColorWithOpacity(attributes.value(QLatin1String("solid-color")), opacity,
                                       handler->currentColor(), color))
        return nullptr;
    return new QSvgSolidColorStyle(color);
}

bool parseStop(QSvgStyleProperty *style, const QXmlStreamAttributes &attributes,
               QSvgHandler *handler)
{
    if (style->type() != QSvgStyleProperty::Gradient)
        return false;
    auto *gradientStyle = static_cast<QSvgGradientStyle *>(style);
    const QSvgPresentationAttributes presentation(attributes);
    applyColor(presentation.color, presentation.colorOpacity, handler);

    const QStringRef offsetText = presentation.offset.trimmed();
    bool ok = false;
    qreal offset = values::toDouble(
        offsetText.endsWith(QLatin1Char('%')) ? offsetText.left(offsetText.size() - 1) : offsetText,
        &ok);
    if (offsetText.endsWith(QLatin1Char('%')))
        offset /= 100;
    if (!ok || std::isnan(offset))
        offset = 0;
    offset = qBound<qreal>(0, offset, 1);

    static const QString black = QStringLiteral("#000000");
    const QStringView colorText = presentation.stopColor.isEmpty()
        ? QStringView(black)
        : QStringView(presentation.stopColor);
    QColor color;
    // A colour that does not parse falls back to the default black.
    if (!values::parseColorWithOpacity(colorText, presentation.stopOpacity, handler->currentColor(),
                                       color))
        values::parseColorWithOpacity(black, presentation.stopOpacity, handler->currentColor(),
                                      color);

    // Offsets must grow strictly: an equal or smaller one moves just past the last.
    QGradient *gradient = gradientStyle->qgradient();
    QGradientStops stops = gradientStyle->stopsSet() ? gradient->stops() : QGradientStops();
    if (!stops.isEmpty() && offset <= stops.last().first)
        offset = stops.last().first + FLT_EPSILON;
    if (offset > 1) {
        if (stops.size() == 1 || stops.at(stops.size() - 2).first < 1 - FLT_EPSILON) {
            stops.last().first = 1 - FLT_EPSILON;
            gradient->setStops(stops);
        }
        offset = 1;
    }
    gradient->setColorAt(offset, color);
    gradientStyle->setStopsSet(true);
    return true;
}

} // namespace styleparser
} // namespace orbsvg
