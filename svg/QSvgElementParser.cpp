#include "QSvgElementParser.h"

#include "QSvgAnimateColor.h"
#include "QSvgAnimateTransform.h"
#include "QSvgCircle.h"
#include "QSvgDefs.h"
#include "QSvgFontStyle.h"
#include "QSvgG.h"
#include "QSvgHandler.h"
#include "QSvgImage.h"
#include "QSvgLine.h"
#include "QSvgPath.h"
#include "QSvgPolygon.h"
#include "QSvgPolyline.h"
#include "QSvgRect.h"
#include "QSvgStyleParser.h"
#include "QSvgSwitch.h"
#include "QSvgText.h"
#include "QSvgTinyDocument.h"
#include "QSvgUse.h"
#include "QSvgValues.h"
#include "SvgParserLog.h"

#include <QtCore/QBuffer>
#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtCore/QXmlStreamAttributes>
#include <QtGui/QImageReader>

#include <cmath>
#include <limits>

namespace orbsvg {
namespace elementparser {

namespace {

// Images larger than this are refused rather than allocated.
constexpr int MaxImageSide = 16384;
constexpr qint64 MaxImagePixels = 64 * 1024 * 1024;

QStringRef attribute(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name));
}

// A plain number; unit suffixes are ignored.
qreal number(const QXmlStreamAttributes &attributes, const char *name)
{
    return values::toDouble(attribute(attributes, name));
}

// A length converted to pixels.
qreal pixels(const QXmlStreamAttributes &attributes, const char *name)
{
    LengthType unit;
    const qreal length = values::parseLength(attribute(attributes, name), unit);
    return values::convertToPixels(length, unit);
}

// A length as written, without conversion.
qreal length(const QXmlStreamAttributes &attributes, const char *name)
{
    LengthType unit;
    return values::parseLength(attribute(attributes, name), unit);
}

// Whole numbers from values that may be huge or not finite.
int toInt(qreal value)
{
    if (!std::isfinite(value))
        return 0;
    return int(
        qBound<qreal>(std::numeric_limits<int>::min(), value, std::numeric_limits<int>::max()));
}

QSvgNode *createSvgNode(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                        QSvgHandler *handler)
{
    auto *document = new QSvgTinyDocument(parent);

    LengthType widthUnit = LengthType::Px;
    LengthType heightUnit = LengthType::Px;
    qreal width = 0;
    qreal height = 0;
    const QStringRef widthText = attribute(attributes, "width");
    if (!widthText.isEmpty()) {
        width = values::parseLength(widthText, widthUnit);
        if (widthUnit != LengthType::Pt)
            width = values::convertToPixels(width, widthUnit);
        document->setWidth(toInt(width), widthUnit == LengthType::Percent);
    }
    const QStringRef heightText = attribute(attributes, "height");
    if (!heightText.isEmpty()) {
        height = values::parseLength(heightText, heightUnit);
        if (heightUnit != LengthType::Pt)
            height = values::convertToPixels(height, heightUnit);
        document->setHeight(toInt(height), heightUnit == LengthType::Percent);
    }

    QString viewBoxText = attribute(attributes, "viewBox").toString();
    for (QChar &character : viewBoxText) {
        if (character == QLatin1Char(' ') || character == QLatin1Char('\r')
            || character == QLatin1Char('\n') || character == QLatin1Char('\t'))
            character = QLatin1Char(',');
    }
    const QStringList parts = viewBoxText.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.size() == 4) {
        qreal box[4];
        for (int i = 0; i < 4; ++i) {
            LengthType unit;
            box[i] = values::parseLength(parts.at(i).trimmed(), unit);
        }
        document->setViewBox(QRectF(box[0], box[1], box[2], box[3]));
    } else if (width != 0 && height != 0) {
        const qreal scale = heightUnit == LengthType::Pt ? 1.25 : 1;
        document->setViewBox(QRectF(0, 0, width * scale, height * scale));
    }
    handler->setDefaultCoordinateSystem(LengthType::Px);
    return document;
}

QSvgNode *createGNode(QSvgNode *parent, const QXmlStreamAttributes &, QSvgHandler *)
{
    return new QSvgG(parent);
}

QSvgNode *createDefsNode(QSvgNode *parent, const QXmlStreamAttributes &, QSvgHandler *)
{
    return new QSvgDefs(parent);
}

QSvgNode *createSwitchNode(QSvgNode *parent, const QXmlStreamAttributes &, QSvgHandler *)
{
    return new QSvgSwitch(parent);
}

QSvgNode *createCircleNode(QSvgNode *parent, const QXmlStreamAttributes &attributes, QSvgHandler *)
{
    const qreal cx = number(attributes, "cx");
    const qreal cy = number(attributes, "cy");
    const qreal r = number(attributes, "r");
    return new QSvgCircle(parent, QRectF(cx - r, cy - r, 2 * r, 2 * r));
}

QSvgNode *createEllipseNode(QSvgNode *parent, const QXmlStreamAttributes &attributes, QSvgHandler *)
{
    const qreal cx = number(attributes, "cx");
    const qreal cy = number(attributes, "cy");
    const qreal rx = number(attributes, "rx");
    const qreal ry = number(attributes, "ry");
    return new QSvgEllipse(parent, QRectF(cx - rx, cy - ry, 2 * rx, 2 * ry));
}

QSvgNode *createLineNode(QSvgNode *parent, const QXmlStreamAttributes &attributes, QSvgHandler *)
{
    return new QSvgLine(parent,
                        QLineF(number(attributes, "x1"), number(attributes, "y1"),
                               number(attributes, "x2"), number(attributes, "y2")));
}

QSvgNode *createPathNode(QSvgNode *parent, const QXmlStreamAttributes &attributes, QSvgHandler *)
{
    QPainterPath path;
    values::parsePathData(attribute(attributes, "d"), path);
    return new QSvgPath(parent, path);
}

QSvgNode *createPolygonNode(QSvgNode *parent, const QXmlStreamAttributes &attributes, QSvgHandler *)
{
    return new QSvgPolygon(parent, values::parsePoints(attribute(attributes, "points")));
}

QSvgNode *createPolylineNode(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                             QSvgHandler *)
{
    return new QSvgPolyline(parent, values::parsePoints(attribute(attributes, "points")));
}

// A corner radius as a percentage of the half side it rounds.
int radiusPercent(qreal radius, qreal halfSide)
{
    if (halfSide <= 0 || !std::isfinite(radius))
        return 0;
    return toInt(qBound<qreal>(0, radius * 100 / halfSide, 100));
}

QSvgNode *createRectNode(QSvgNode *parent, const QXmlStreamAttributes &attributes, QSvgHandler *)
{
    const qreal x = number(attributes, "x");
    const qreal y = number(attributes, "y");
    const qreal width = pixels(attributes, "width");
    const qreal height = pixels(attributes, "height");
    const QStringRef rxText = attribute(attributes, "rx");
    const QStringRef ryText = attribute(attributes, "ry");
    qreal rx = values::toDouble(rxText);
    qreal ry = values::toDouble(ryText);

    // Limit each radius to its half side, then let a missing one take the other.
    rx = qMin(rx, width / 2);
    ry = qMin(ry, height / 2);
    if (!rxText.isEmpty() && ryText.isEmpty())
        ry = rx;
    else if (rxText.isEmpty() && !ryText.isEmpty())
        rx = ry;
    return new QSvgRect(parent, QRectF(x, y, width, height), radiusPercent(rx, width / 2),
                        radiusPercent(ry, height / 2));
}

// Reads an image without allocating more than the limits allow.
QImage readImage(QIODevice *device, const QString &reference)
{
    QImageReader reader(device);
    const QSize size = reader.size();
    if (size.width() > MaxImageSide || size.height() > MaxImageSide
        || qint64(size.width()) * size.height() > MaxImagePixels) {
        qCWarning(lcSvgParser, "QSvgHandler: image %s of %dx%d pixels is too large; skipped",
                  qPrintable(reference.left(64)), size.width(), size.height());
        return QImage();
    }
    return reader.read();
}

QSvgNode *createImageNode(QSvgNode *parent, const QXmlStreamAttributes &attributes, QSvgHandler *)
{
    const qreal x = number(attributes, "x");
    const qreal y = number(attributes, "y");
    const qreal width = pixels(attributes, "width");
    const qreal height = pixels(attributes, "height");
    const QString reference = attribute(attributes, "xlink:href").toString().trimmed();

    QImage image;
    if (reference.startsWith(QLatin1String("data"))) {
        const int base64 = reference.lastIndexOf(QLatin1String("base64,"));
        if (base64 < 0) {
            qDebug("QSvgHandler::createImageNode: Unrecognized inline image format!");
        } else {
            QByteArray data = QByteArray::fromBase64(reference.mid(base64 + 7).toLatin1());
            QBuffer buffer(&data);
            buffer.open(QIODevice::ReadOnly);
            image = readImage(&buffer, QStringLiteral("data"));
        }
    } else if (QFileInfo(reference).isFile()) {
        // Only regular files: a device or pipe could block or never end.
        QFile file(reference);
        if (file.open(QIODevice::ReadOnly))
            image = readImage(&file, reference);
    }
    if (image.isNull()) {
        qDebug("couldn't create image from %s", qPrintable(reference.left(256)));
        return nullptr;
    }
    if (image.format() == QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return new QSvgImage(parent, image, QRect(toInt(x), toInt(y), toInt(width), toInt(height)));
}

QSvgNode *createTextNode(QSvgNode *parent, const QXmlStreamAttributes &attributes, QSvgHandler *)
{
    return new QSvgText(parent, QPointF(length(attributes, "x"), length(attributes, "y")));
}

QSvgNode *createTextAreaNode(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                             QSvgHandler *handler)
{
    auto *text = static_cast<QSvgText *>(createTextNode(parent, attributes, handler));
    text->setTextArea(QSizeF(length(attributes, "width"), length(attributes, "height")));
    return text;
}

QSvgNode *createTspanNode(QSvgNode *parent, const QXmlStreamAttributes &, QSvgHandler *)
{
    return new QSvgTspan(parent);
}

bool isContainer(const QSvgNode *node)
{
    switch (node->type()) {
    case QSvgNode::Document:
    case QSvgNode::Defs:
    case QSvgNode::G:
    case QSvgNode::Switch:
        return true;
    default:
        return false;
    }
}

QSvgNode *createUseNode(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                        QSvgHandler *handler)
{
    QString linkId = attribute(attributes, "xlink:href").toString().mid(1);
    if (linkId.isEmpty())
        linkId = attribute(attributes, "href").toString().mid(1);
    if (isContainer(parent)) {
        QSvgNode *link = static_cast<QSvgStructureNode *>(parent)->findNode(linkId);
        if (link) {
            if (!handler->acceptUse(link, linkId))
                return nullptr;
            const bool placed
                = !attribute(attributes, "x").isEmpty() || !attribute(attributes, "y").isEmpty();
            const QPointF start = placed ? QPointF(pixels(attributes, "x"), pixels(attributes, "y"))
                                         : QPointF(0, 0);
            return new QSvgUse(start, parent, link);
        }
    }
    qWarning("link %s hasn't been detected!", qPrintable(linkId));
    return nullptr;
}

QSvgNode *createNoNode(QSvgNode *, const QXmlStreamAttributes &, QSvgHandler *)
{
    return nullptr;
}

// Begin and end of an animation in milliseconds. A value without a unit takes
// the unit of the value before it (seconds for "begin").
struct Timing
{
    int begin = 0;
    int end = 0;
};

qreal clockValue(QStringRef text, bool &milliseconds)
{
    text = text.trimmed();
    if (text.endsWith(QLatin1String("ms"))) {
        milliseconds = true;
        text.chop(2);
    } else if (text.endsWith(QLatin1Char('s'))) {
        milliseconds = false;
        text.chop(1);
    }
    const qreal value = values::toDouble(text);
    return milliseconds ? value : value * 1000;
}

Timing parseTiming(const QXmlStreamAttributes &attributes)
{
    bool milliseconds = false;
    const qreal begin = clockValue(attribute(attributes, "begin"), milliseconds);
    const qreal duration = clockValue(attribute(attributes, "dur"), milliseconds);
    Timing timing;
    timing.begin = toInt(begin);
    timing.end = toInt(begin + duration);
    return timing;
}

qreal repeatCount(const QXmlStreamAttributes &attributes)
{
    const QStringRef text = attribute(attributes, "repeatCount").trimmed();
    if (text.isEmpty())
        return 1;
    if (text == QLatin1String("indefinite"))
        return -1;
    return values::toDouble(text);
}

void registerAnimation(QSvgNode *parent, QSvgStyleProperty *animation, const Timing &timing,
                       QSvgHandler *handler)
{
    parent->addStyleProperty(animation, QString());
    handler->setAnimPeriod(timing.begin, timing.end);
    if (QSvgTinyDocument *document = parent->document())
        document->setAnimated(true);
}

bool parseAnimateColorNode(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                           QSvgHandler *handler)
{
    const Timing timing = parseTiming(attributes);
    QStringList texts;
    const QStringRef valuesText = attribute(attributes, "values");
    if (!valuesText.isEmpty()) {
        texts = valuesText.toString().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    } else {
        texts << attribute(attributes, "from").toString() << attribute(attributes, "to").toString();
    }
    QList<QColor> colors;
    for (const QString &text : qAsConst(texts)) {
        QColor color;
        if (values::parseColor(QStringView(text).trimmed(), handler->currentColor(), color))
            colors.append(color);
    }

    auto *animation = new QSvgAnimateColor(timing.begin, timing.end, 0);
    animation->setArgs(attribute(attributes, "attributeName") == QLatin1String("fill"), colors);
    animation->setFreeze(attribute(attributes, "fill") == QLatin1String("freeze"));
    animation->setRepeatCount(repeatCount(attributes));
    registerAnimation(parent, animation, timing, handler);
    return true;
}

// A number list padded with zeros to whole triples.
QVector<qreal> triples(QStringView text)
{
    QVector<qreal> list = values::parseNumberList(text);
    while (list.size() % 3)
        list.append(0);
    return list;
}

bool parseAnimateTransformNode(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                               QSvgHandler *handler)
{
    const Timing timing = parseTiming(attributes);
    QVector<qreal> args;
    const QStringRef valuesText = attribute(attributes, "values");
    if (!valuesText.isEmpty()) {
        const QStringList lists = valuesText.toString().split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString &list : lists)
            args += triples(list);
    } else {
        const QVector<qreal> from = triples(attribute(attributes, "from"));
        QVector<qreal> to = triples(attribute(attributes, "to"));
        const QStringRef byText = attribute(attributes, "by");
        if (attribute(attributes, "to").isEmpty() && !byText.isEmpty()) {
            const QVector<qreal> by = triples(byText);
            to = from;
            to.resize(qMax(from.size(), by.size()));
            for (int i = 0; i < by.size(); ++i)
                to[i] += by.at(i);
        }
        args = from + to;
    }

    static const QHash<QString, QSvgAnimateTransform::TransformType> types
        = {{QStringLiteral("translate"), QSvgAnimateTransform::Translate},
           {QStringLiteral("scale"), QSvgAnimateTransform::Scale},
           {QStringLiteral("rotate"), QSvgAnimateTransform::Rotate},
           {QStringLiteral("skewX"), QSvgAnimateTransform::SkewX},
           {QStringLiteral("skewY"), QSvgAnimateTransform::SkewY}};
    const auto type
        = types.value(attribute(attributes, "type").toString(), QSvgAnimateTransform::Empty);
    const auto additive = attribute(attributes, "additive") == QLatin1String("sum")
        ? QSvgAnimateTransform::Sum
        : QSvgAnimateTransform::Replace;

    auto *animation = new QSvgAnimateTransform(timing.begin, timing.end, 0);
    animation->setArgs(type, additive, args);
    animation->setFreeze(attribute(attributes, "fill") == QLatin1String("freeze"));
    animation->setRepeatCount(repeatCount(attributes));
    registerAnimation(parent, animation, timing, handler);
    return true;
}

bool parseTbreakNode(QSvgNode *parent, const QXmlStreamAttributes &, QSvgHandler *)
{
    if (parent->type() != QSvgNode::TextArea)
        return false;
    static_cast<QSvgText *>(parent)->addLineBreak();
    return true;
}

bool parseIgnoredNode(QSvgNode *, const QXmlStreamAttributes &, QSvgHandler *)
{
    return true;
}

QSvgStyleProperty *createFontNode(QSvgNode *parent, const QXmlStreamAttributes &attributes,
                                  QSvgHandler *)
{
    const QString id = elementId(attributes);
    auto *font = new QSvgFont(number(attributes, "horiz-adv-x"));
    font->setFamilyName(id);
    QSvgTinyDocument *document = parent->document();
    if (document && !id.isEmpty() && !document->svgFont(id))
        document->addSvgFont(font);
    return new QSvgFontStyle(font, document);
}

// The font being read, or null when style is not a font.
QSvgFont *fontOf(QSvgStyleProperty *style)
{
    if (style->type() != QSvgStyleProperty::Font)
        return nullptr;
    return static_cast<QSvgFontStyle *>(style)->svgFont();
}

void registerFont(QSvgStyleProperty *style, QSvgFont *font)
{
    QSvgTinyDocument *document = static_cast<QSvgFontStyle *>(style)->document();
    if (document && !font->familyName().isEmpty() && !document->svgFont(font->familyName()))
        document->addSvgFont(font);
}

bool parseFontFaceNode(QSvgStyleProperty *style, const QXmlStreamAttributes &attributes,
                       QSvgHandler *)
{
    QSvgFont *font = fontOf(style);
    if (!font)
        return false;
    const QString family = attribute(attributes, "font-family").toString();
    if (!family.isEmpty())
        font->setFamilyName(family);
    const qreal unitsPerEm = number(attributes, "units-per-em");
    font->setUnitsPerEm(unitsPerEm > 0 && std::isfinite(unitsPerEm) ? unitsPerEm : 1000);
    registerFont(style, font);
    return true;
}

bool parseFontFaceNameNode(QSvgStyleProperty *style, const QXmlStreamAttributes &attributes,
                           QSvgHandler *)
{
    QSvgFont *font = fontOf(style);
    if (!font)
        return false;
    const QString name = attribute(attributes, "name").toString();
    if (!name.isEmpty())
        font->setFamilyName(name);
    registerFont(style, font);
    return true;
}

bool addGlyph(QSvgStyleProperty *style, const QXmlStreamAttributes &attributes, QChar unicode)
{
    QSvgFont *font = fontOf(style);
    if (!font)
        return false;
    const QStringRef advance = attribute(attributes, "horiz-adv-x");
    QPainterPath path;
    values::parsePathData(attribute(attributes, "d"), path);
    path.setFillRule(Qt::WindingFill);
    font->addGlyph(unicode, path,
                   advance.isEmpty() ? font->horizAdvX() : values::toDouble(advance));
    return true;
}

bool parseGlyphNode(QSvgStyleProperty *style, const QXmlStreamAttributes &attributes, QSvgHandler *)
{
    const QStringRef unicode = attribute(attributes, "unicode");
    if (unicode.isEmpty())
        return fontOf(style) != nullptr; // a glyph for no character is kept out
    return addGlyph(style, attributes, unicode.at(0));
}

bool parseMissingGlyphNode(QSvgStyleProperty *style, const QXmlStreamAttributes &attributes,
                           QSvgHandler *)
{
    return addGlyph(style, attributes, QChar(0));
}

bool parseIgnoredStyle(QSvgStyleProperty *, const QXmlStreamAttributes &, QSvgHandler *)
{
    return true;
}

template<class Function>
Function lookUp(const QHash<QString, Function> &table, const QStringRef &name)
{
    return table.value(name.toString(), nullptr);
}

} // namespace

QString elementId(const QXmlStreamAttributes &attributes)
{
    const QStringRef id = attributes.value(QLatin1String("id"));
    return (id.isEmpty() ? attributes.value(QLatin1String("xml:id")) : id).toString();
}

NodeCreator structureCreator(const QStringRef &name)
{
    static const QHash<QString, NodeCreator> table = {{QStringLiteral("svg"), createSvgNode},
                                                      {QStringLiteral("g"), createGNode},
                                                      {QStringLiteral("defs"), createDefsNode},
                                                      {QStringLiteral("switch"), createSwitchNode}};
    return lookUp(table, name);
}

NodeCreator graphicsCreator(const QStringRef &name)
{
    static const QHash<QString, NodeCreator> table
        = {{QStringLiteral("circle"), createCircleNode},
           {QStringLiteral("ellipse"), createEllipseNode},
           {QStringLiteral("line"), createLineNode},
           {QStringLiteral("path"), createPathNode},
           {QStringLiteral("polygon"), createPolygonNode},
           {QStringLiteral("polyline"), createPolylineNode},
           {QStringLiteral("rect"), createRectNode},
           {QStringLiteral("image"), createImageNode},
           {QStringLiteral("text"), createTextNode},
           {QStringLiteral("textArea"), createTextAreaNode},
           {QStringLiteral("tspan"), createTspanNode},
           {QStringLiteral("use"), createUseNode},
           {QStringLiteral("animation"), createNoNode},
           {QStringLiteral("video"), createNoNode}};
    return lookUp(table, name);
}

UtilityParser utilityParser(const QStringRef &name)
{
    static const QHash<QString, UtilityParser> table
        = {{QStringLiteral("animateColor"), parseAnimateColorNode},
           {QStringLiteral("animateTransform"), parseAnimateTransformNode},
           {QStringLiteral("tbreak"), parseTbreakNode},
           {QStringLiteral("animate"), parseIgnoredNode},
           {QStringLiteral("animateMotion"), parseIgnoredNode},
           {QStringLiteral("audio"), parseIgnoredNode},
           {QStringLiteral("desc"), parseIgnoredNode},
           {QStringLiteral("discard"), parseIgnoredNode},
           {QStringLiteral("foreignObject"), parseIgnoredNode},
           {QStringLiteral("handler"), parseIgnoredNode},
           {QStringLiteral("hkern"), parseIgnoredNode},
           {QStringLiteral("metadata"), parseIgnoredNode},
           {QStringLiteral("mpath"), parseIgnoredNode},
           {QStringLiteral("prefetch"), parseIgnoredNode},
           {QStringLiteral("script"), parseIgnoredNode},
           {QStringLiteral("set"), parseIgnoredNode},
           {QStringLiteral("style"), parseIgnoredNode},
           {QStringLiteral("title"), parseIgnoredNode}};
    return lookUp(table, name);
}

StyleCreator styleCreator(const QStringRef &name)
{
    static const QHash<QString, StyleCreator> table
        = {{QStringLiteral("linearGradient"), styleparser::createLinearGradient},
           {QStringLiteral("radialGradient"), styleparser::createRadialGradient},
           {QStringLiteral("solidColor"), styleparser::createSolidColor},
           {QStringLiteral("font"), createFontNode}};
    return lookUp(table, name);
}

NestedStyleParser nestedStyleParser(const QStringRef &name)
{
    static const QHash<QString, NestedStyleParser> table
        = {{QStringLiteral("stop"), styleparser::parseStop},
           {QStringLiteral("font-face"), parseFontFaceNode},
           {QStringLiteral("font-face-name"), parseFontFaceNameNode},
           {QStringLiteral("glyph"), parseGlyphNode},
           {QStringLiteral("missing-glyph"), parseMissingGlyphNode},
           {QStringLiteral("font-face-src"), parseIgnoredStyle},
           {QStringLiteral("font-face-uri"), parseIgnoredStyle}};
    return lookUp(table, name);
}

} // namespace elementparser
} // namespace orbsvg
