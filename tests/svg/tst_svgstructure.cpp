// The document tree: what the parser builds, ids, outlines, bounds, matrices
// and drawing.

#include "QSvgCircle.h"
#include "QSvgFillStyle.h"
#include "QSvgLine.h"
#include "QSvgPath.h"
#include "QSvgPolygon.h"
#include "QSvgRect.h"
#include "QSvgStructureNode.h"
#include "QSvgSwitch.h"
#include "QSvgText.h"
#include "QSvgTransformStyle.h"
#include "QSvgUse.h"
#include "SvgTestSupport.h"

#include <QtCore/QLocale>
#include <QtCore/QTemporaryDir>
#include <QtCore/QXmlStreamReader>
#include <QtTest/QtTest>

using namespace orbtest;
using orbsvg::QSvgNode;
using orbsvg::QSvgStructureNode;
using orbsvg::QSvgStyleProperty;

namespace {

const QSvgStructureNode *structure(const QSvgNode *n)
{
    return static_cast<const QSvgStructureNode *>(n);
}

QImage render(orbsvg::QSvgTinyDocument *doc, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter p(&image);
    doc->draw(&p, QRectF(QPointF(0, 0), size));
    return image;
}

} // namespace

class tst_SvgStructure : public QObject
{
    Q_OBJECT

private slots:
    void rootAndSize();
    void idsAndLookups();
    void unknownElementsAreTransparent();
    void nestedSvgIsADocument();
    void styleLookupThroughAncestors();
    void outlines();
    void rectRadii_data();
    void rectRadii();
    void boundsAndViewBoxFallback();
    void elementMatrix();
    void switchPicksTheFirstQualifyingChild();
    void useAndVisibility();
    void textRuns();
    void drawingPaintsShapes();
    void drawElementAndMapping();
    void loadFromReaderStopsAfterSvg();
};

void tst_SvgStructure::rootAndSize()
{
    QVERIFY(!parseDocument("<html/>"));
    auto doc = parseDocument(
        R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="2in" height="30pt"/>)svg");
    QVERIFY(doc);
    QCOMPARE(doc->type(), QSvgNode::Document);
    QCOMPARE(doc->size(), QSize(180, 30));             // pt stays unconverted for the size
    QCOMPARE(doc->viewBox(), QRectF(0, 0, 225, 37.5)); // but the view box scales it
    auto percent = parseDocument(R"svg(<svg width="50%" height="20" viewBox="0,0 , 10	4"/>)svg");
    QVERIFY(percent);
    QVERIFY(percent->widthPercent());
    QVERIFY(!percent->heightPercent());
    QCOMPARE(percent->viewBox(), QRectF(0, 0, 10, 4));
    auto noSize = parseDocument(R"svg(<svg viewBox="0 0 10.6 4.4"/>)svg");
    QCOMPARE(noSize->size(), QSize(11, 4));
}

void tst_SvgStructure::idsAndLookups()
{
    auto doc = parseSvg(R"svg(<g id="dup"/><rect id="dup" width="1" height="1"/>
                           <circle xml:id="xml" r="1"/><circle id="both" xml:id="ignored" r="1"/>
                           <text><tspan id="span">a</tspan></text>)svg",
                        "id=\"root\"");
    QVERIFY(doc);
    QCOMPARE(doc->nodeId(), QStringLiteral("root"));
    QCOMPARE(doc->findNode("root"), nullptr);               // the root is not registered
    QCOMPARE(doc->findNode("dup")->type(), QSvgNode::Rect); // the later one wins
    QCOMPARE(doc->findNode("xml")->type(), QSvgNode::Circle);
    QVERIFY(doc->elementExists("both"));
    QVERIFY(!doc->elementExists("ignored"));
    QVERIFY(!doc->elementExists("span")); // tspans are not children of a structure node
    QVERIFY(!doc->elementExists("Dup"));
}

void tst_SvgStructure::unknownElementsAreTransparent()
{
    auto doc
        = parseSvg(R"svg(<g id="g"><unknown><rect id="inUnknown" width="1" height="1"/></unknown>
                           <desc>words<rect id="inDesc" width="1" height="1"/></desc>stray text</g>
                           <style>rect { fill: red }</style>
                           <rect id="styled" style="fill: red" class="warm" width="1" height="1"/>)svg");
    QVERIFY(doc);
    QCOMPARE(node(doc, "inUnknown")->parent(), node(doc, "g"));
    QCOMPARE(node(doc, "inDesc")->parent(), node(doc, "g"));
    QCOMPARE(structure(node(doc, "g"))->children().size(), 2);
    // Style sheets and style attributes select nothing.
    QCOMPARE(appliedStyle(node(doc, "styled")).brush.color(), QColor(Qt::black));
    QCOMPARE(node(doc, "styled")->xmlClass(), QStringLiteral("warm"));
}

void tst_SvgStructure::nestedSvgIsADocument()
{
    auto doc = parseSvg(
        R"svg(<svg id="inner" viewBox="0 0 5 5"><rect id="deep" width="1" height="1"/></svg>)svg");
    QVERIFY(doc);
    QSvgNode *inner = node(doc, "inner");
    QCOMPARE(inner->type(), QSvgNode::Document);
    QVERIFY(!doc->elementExists("deep"));
    auto *nested = static_cast<orbsvg::QSvgTinyDocument *>(inner);
    QVERIFY(nested->elementExists("deep"));
    QCOMPARE(nested->findNode("deep")->document(), nested);
}

void tst_SvgStructure::styleLookupThroughAncestors()
{
    auto doc = parseSvg(
        R"svg(<g id="g" fill="red" transform="translate(5)"><rect id="r" width="1" height="1"/></g>)svg");
    QVERIFY(doc);
    QSvgNode *rect = node(doc, "r");
    QCOMPARE(rect->styleProperty(QSvgStyleProperty::Transform), nullptr);
    QVERIFY(node(doc, "g")->styleProperty(QSvgStyleProperty::Transform));
    QCOMPARE(rect->styleProperty(QSvgStyleProperty::Fill), node(doc, "g")->style().fill.get());
    QCOMPARE(rect->styleProperty(QSvgStyleProperty::Stroke), nullptr);
}

void tst_SvgStructure::outlines()
{
    auto doc = parseSvg(
        R"svg(<circle id="c" cx="10" cy="20" r="5"/><ellipse id="e" cx="1" cy="2" rx="3" ry="4"/>
                           <polygon id="pg" points="0,0 10,0 10"/><path id="p" d="M0 0L10 10"/>
                           <line id="l" x2="1"/><polyline id="pl" points="0 0 1 1"/>
                           <text id="t">x</text><use id="u" xlink:href="#c"/>)svg");
    QVERIFY(doc);
    QPainterPath circle;
    circle.addEllipse(QRectF(5, 15, 10, 10));
    QCOMPARE(*node(doc, "c")->outlinePath(), circle);
    QCOMPARE(node(doc, "e")->outlinePath()->boundingRect(), QRectF(-2, -2, 6, 8));
    const QPolygonF polygon = static_cast<orbsvg::QSvgPolygon *>(node(doc, "pg"))->polygon();
    QCOMPARE(polygon, QPolygonF(QVector<QPointF>{QPointF(0, 0), QPointF(10, 0)}));
    QCOMPARE(node(doc, "p")->outlinePath()->fillRule(), Qt::WindingFill);
    QCOMPARE(node(doc, "c")->outlinePath()->fillRule(), Qt::OddEvenFill);
    for (const char *id : {"l", "pl", "t", "u"})
        QCOMPARE(node(doc, id)->outlinePath(), nullptr);
}

void tst_SvgStructure::rectRadii_data()
{
    QTest::addColumn<QByteArray>("attributes");
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<int>("rx");
    QTest::addColumn<int>("ry");
    QTest::newRow("plain") << QByteArray("width='100' height='40'") << QRectF(0, 0, 100, 40) << 0
                           << 0;
    QTest::newRow("rx only") << QByteArray("width='100' height='40' rx='10'")
                             << QRectF(0, 0, 100, 40) << 20 << 50;
    QTest::newRow("ry only") << QByteArray("width='100' height='40' ry='10'")
                             << QRectF(0, 0, 100, 40) << 20 << 50;
    QTest::newRow("limited") << QByteArray("width='10' height='10' rx='50' ry='2'")
                             << QRectF(0, 0, 10, 10) << 100 << 40;
    QTest::newRow("inches") << QByteArray("x='1' y='2' width='1in' height='2pc'")
                            << QRectF(1, 2, 90, 2) << 0 << 0;
    QTest::newRow("zero width") << QByteArray("width='0' height='10' rx='3'") << QRectF(0, 0, 0, 10)
                                << 0 << 0;
}

void tst_SvgStructure::rectRadii()
{
    QFETCH(QByteArray, attributes);
    QFETCH(QRectF, rect);
    QFETCH(int, rx);
    QFETCH(int, ry);
    auto doc = parseSvg("<rect id='r' " + attributes + "/>");
    QVERIFY(doc);
    const auto *r = static_cast<orbsvg::QSvgRect *>(node(doc, "r"));
    QCOMPARE(r->rect(), rect);
    QCOMPARE(r->rx(), rx);
    QCOMPARE(r->ry(), ry);
    QPainterPath expected;
    expected.addRoundedRect(rect, rx, ry, Qt::RelativeSize);
    QCOMPARE(*r->outlinePath(), expected);
}

void tst_SvgStructure::boundsAndViewBoxFallback()
{
    auto doc = parseDocument(R"svg(<svg xmlns="http://www.w3.org/2000/svg">
        <rect id="r" x="10" y="10" width="20" height="10" stroke="black" stroke-width="4"/>
        <g stroke="black" stroke-width="2" transform="translate(100)"><circle id="c" cx="50" cy="50" r="10"/></g>
        <line id="l" x1="0" y1="0" x2="5" y2="0"/></svg>)svg");
    QVERIFY(doc);
    // Strokes widen; ancestors' strokes count but their transforms do not.
    QCOMPARE(node(doc, "r")->documentBounds(), QRectF(8, 8, 24, 14));
    QCOMPARE(node(doc, "c")->documentBounds(), QRectF(39, 39, 22, 22));
    QCOMPARE(doc->elementBounds("nothing"), doc->documentBounds());
    // Without a view box the document's bounds serve, and stay.
    const QRectF box = doc->viewBox();
    QCOMPARE(box, QRectF(0, 0, 161, 61));
    QCOMPARE(doc->viewBox(), box);
}

void tst_SvgStructure::elementMatrix()
{
    auto doc = parseSvg(R"svg(<g transform="translate(10,0)"><g id="mid" transform="scale(2)">
                             <rect id="r" transform="rotate(90)" width="1" height="1"/></g></g>)svg");
    QVERIFY(doc);
    // Parent first, then each further ancestor; the element's own transform is left out.
    QCOMPARE(doc->elementMatrix("r").map(QPointF(1, 1)), QPointF(12, 2));
    QCOMPARE(doc->elementMatrix("mid").map(QPointF(1, 1)), QPointF(11, 1));
    QTest::ignoreMessage(QtDebugMsg, "Couldn't find node nope. Skipping rendering.");
    QVERIFY(doc->elementMatrix("nope").isIdentity());
}

void tst_SvgStructure::switchPicksTheFirstQualifyingChild()
{
    const QString language = QLocale().name().replace(QLatin1Char('_'), QLatin1Char('-'));
    const QByteArray prefix = language.section(QLatin1Char('-'), 0, 0).toUtf8();
    auto doc = parseSvg(
        R"svg(<switch id="s">
        <rect id="future" requiredFeatures="http://www.w3.org/Graphics/SVG/feature/1.2/#Telepathy" width="1" height="1"/>
        <rect id="hidden" display="none" width="1" height="1"/>
        <rect id="ext" requiredExtensions="x" width="1" height="1"/>
        <rect id="lang" systemLanguage="zz,)svg"
        + prefix
        + R"svg(-XX" requiredFeatures="http://www.w3.org/Graphics/SVG/feature/1.2/#Shape,http://www.w3.org/Graphics/SVG/feature/1.2/#Gradient" width="1" height="1"/>
        <rect id="last" width="1" height="1"/></switch>)svg");
    QVERIFY(doc);
    auto *sw = static_cast<orbsvg::QSvgSwitch *>(node(doc, "s"));
    QCOMPARE(sw->systemLanguage(), language);
    QCOMPARE(sw->supportedFeatures().size(), 20);
    QCOMPARE(sw->selectedChild(), node(doc, "lang"));
    QCOMPARE(node(doc, "lang")->requiredLanguages().size(), 2);
}

void tst_SvgStructure::useAndVisibility()
{
    orbtest::DocumentPtr doc;
    {
        QTest::ignoreMessage(QtWarningMsg, "link later hasn't been detected!");
        doc = parseSvg(
            R"svg(<use xlink:href="#later"/><defs><rect id="later" width="1" height="1"/></defs>
            <use id="u" xlink:href="#later" x="2" y="3"/><use id="plain" href="#later"/>
            <g id="hid" visibility="hidden"><rect id="inherits" width="1" height="1"/>
              <rect id="shown" visibility="visible" width="1" height="1"/></g>)svg");
    }
    QVERIFY(doc);
    const auto *use = static_cast<orbsvg::QSvgUse *>(node(doc, "u"));
    QCOMPARE(use->link(), node(doc, "later"));
    QCOMPARE(use->start(), QPointF(2, 3));
    QCOMPARE(static_cast<orbsvg::QSvgUse *>(node(doc, "plain"))->start(), QPointF(0, 0));
    QCOMPARE(structure(doc.get())->children().size(), 4);
    QVERIFY(!node(doc, "inherits")->isVisible());
    // A visible child makes its hidden ancestors visible.
    QVERIFY(node(doc, "shown")->isVisible());
    QVERIFY(node(doc, "hid")->isVisible());
}

void tst_SvgStructure::textRuns()
{
    auto doc = parseSvg(
        R"svg(<text id="t" x="5" y="6">Hello <tspan id="s" fill="red">big</tspan><title>T</title> world</text>
                           <textArea id="a" width="50" height="20" xml:space="preserve">one<tbreak/>two</textArea>)svg");
    QVERIFY(doc);
    const auto *text = static_cast<orbsvg::QSvgText *>(node(doc, "t"));
    QCOMPARE(text->coord(), QPointF(5, 6));
    QStringList runs;
    for (const auto &run : text->tspans())
        runs << run->text();
    QCOMPARE(runs, QStringList({"Hello ", "big", "T", " world"}));
    QVERIFY(text->tspans().at(1)->isTspan());
    QVERIFY(!text->tspans().at(0)->isTspan());
    const auto *area = static_cast<orbsvg::QSvgText *>(node(doc, "a"));
    QCOMPARE(area->type(), QSvgNode::TextArea);
    QCOMPARE(area->size(), QSizeF(50, 20));
    QCOMPARE(area->whitespaceMode(), orbsvg::QSvgTspan::Preserve);
    QCOMPARE(int(area->tspans().size()), 3);
    QVERIFY(area->tspans().at(1)->isLineBreak());
    orbsvg::QSvgDrawState state;
    QCOMPARE(text->bounds(nullptr, state), QRectF(0, 0, 0, 0));
}

void tst_SvgStructure::drawingPaintsShapes()
{
    auto doc = parseSvg(R"svg(<rect width="50" height="100" fill="#ff0000"/>
        <rect x="50" width="50" height="100" fill="blue" fill-opacity="0.5"/>
        <circle cx="25" cy="75" r="10" fill="none" stroke="lime" stroke-width="4"/>
        <rect id="gone" x="60" y="60" width="30" height="30" fill="black" display="none"/>)svg");
    QVERIFY(doc);
    const QImage image = render(doc.get(), QSize(100, 100));
    QCOMPARE(image.pixelColor(10, 10), QColor(255, 0, 0));
    const QColor half = image.pixelColor(75, 10);
    QVERIFY(qAbs(half.blue() - 255) <= 1 && qAbs(half.red() - 127) <= 2);
    QCOMPARE(image.pixelColor(25, 65), QColor(0, 255, 0));    // the ring
    QCOMPARE(image.pixelColor(25, 75), QColor(255, 0, 0));    // unfilled centre
    QVERIFY(qAbs(image.pixelColor(75, 75).red() - 127) <= 2); // not covered by the hidden rect
}

void tst_SvgStructure::drawElementAndMapping()
{
    auto doc = parseSvg(
        R"svg(<g transform="translate(50,50)" fill="green"><rect id="r" width="10" height="10"/></g>)svg");
    QVERIFY(doc);
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        doc->drawElement(&p, "r", QRectF(0, 0, 20, 20));
    }
    // The element fills the target, with its ancestors' style but not their transform.
    QCOMPARE(image.pixelColor(1, 1), QColor(0, 128, 0));
    QCOMPARE(image.pixelColor(18, 18), QColor(0, 128, 0));

    QPainter p(&image);
    QTest::ignoreMessage(QtDebugMsg, "Couldn't find node missing. Skipping rendering.");
    doc->drawElement(&p, "missing");
    doc->mapSourceToTarget(&p, QRectF(10, 10, 50, 100), QRectF(0, 0, 100, 100));
    QCOMPARE(p.worldTransform().map(QPointF(100, 100)), QPointF(60, 110));
}

void tst_SvgStructure::loadFromReaderStopsAfterSvg()
{
    QXmlStreamReader reader(QByteArray(
        "<root><svg viewBox='0 0 1 1'><rect width='1' height='1'/></svg><after/></root>"));
    reader.readNext(); // the document start
    reader.readNext(); // <root>; the document reads from <svg> on
    QCOMPARE(reader.name(), QLatin1String("root"));
    std::unique_ptr<orbsvg::QSvgTinyDocument> doc(orbsvg::QSvgTinyDocument::load(&reader));
    QVERIFY(doc);
    QCOMPARE(structure(doc.get())->children().size(), 1);
    QCOMPARE(reader.tokenType(), QXmlStreamReader::EndElement);
    QCOMPARE(reader.name(), QLatin1String("svg"));
    reader.readNext();
    QCOMPARE(reader.name(), QLatin1String("after"));
}

QTEST_MAIN(tst_SvgStructure)
#include "tst_svgstructure.moc"
