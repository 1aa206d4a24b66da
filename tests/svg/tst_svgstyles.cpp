// Style properties as a draw sees them: what the painter and the draw state
// hold after a node's and its ancestors' styles were applied.

#include "QSvgAnimationTiming.h"
#include "QSvgGradientStyle.h"
#include "QSvgNode.h"
#include "SvgTestSupport.h"

#include <QtGui/QGradient>
#include <QtTest/QtTest>

using namespace orbtest;
using orbsvg::QSvgNode;

class tst_SvgStyles : public QObject
{
    Q_OBJECT

private slots:
    void fillInheritance();
    void fillRulesAndOpacities();
    void paintServerReferences();
    void strokeDashesFollowTheWidth();
    void strokeAttributes();
    void vectorEffectMakesCosmeticPens();
    void revertRestoresThePainter();
    void gradientStopsAndDefaults();
    void gradientStopsBorrowedLaterAndCycles();
    void fontAttributes();
    void fontWeightsCascade_data();
    void fontWeightsCascade();
    void compositionModes();
    void transformsAndOpacity();
    void animatedTransformOnTheClock();
    void animationTiming();
};

void tst_SvgStyles::fillInheritance()
{
    auto doc = parseSvg(R"svg(<g fill="none"><rect id="plain" width="1" height="1"/>
                           <rect id="faded" fill-opacity="0.5" width="1" height="1"/></g>
                           <g fill="#00ff00"><rect id="faded2" fill-opacity=".5" width="1" height="1"/></g>)svg");
    QVERIFY(doc);
    QCOMPARE(appliedStyle(node(doc, "plain")).brush.style(), Qt::NoBrush);
    const AppliedStyle faded = appliedStyle(node(doc, "faded2"));
    QCOMPARE(faded.brush.color(), QColor(0, 255, 0));
    QCOMPARE(faded.state.fillOpacity, 0.5);
    // A child's own fill element exists (only opacity set) but keeps the parent's brush.
    QVERIFY(node(doc, "faded2")->style().fill);
    QCOMPARE(appliedStyle(node(doc, "faded")).brush.style(), Qt::NoBrush);
}

void tst_SvgStyles::fillRulesAndOpacities()
{
    auto doc = parseSvg(R"svg(<g fill-rule="evenodd" fill-opacity="7" stroke-opacity="-1">
                             <path id="p" d="M0 0h1v1z" fill-rule="inherit"/>
                             <path id="q" d="M0 0h1v1z" fill-rule="nonzero" fill-opacity="inherit"/></g>)svg");
    QVERIFY(doc);
    const AppliedStyle p = appliedStyle(node(doc, "p"));
    QCOMPARE(p.state.fillRule, Qt::OddEvenFill);
    QCOMPARE(p.state.fillOpacity, 1.0); // clamped
    QCOMPARE(p.state.strokeOpacity, 0.0);
    const AppliedStyle q = appliedStyle(node(doc, "q"));
    QCOMPARE(q.state.fillRule, Qt::WindingFill);
    QCOMPARE(q.state.fillOpacity, 1.0);
}

void tst_SvgStyles::paintServerReferences()
{
    orbtest::DocumentPtr doc;
    {
        QTest::ignoreMessage(QtWarningMsg, "Could not resolve property : nowhere");
        doc = parseSvg(R"svg(<rect id="early" fill="url(#later)" width="1" height="1"/>
                          <rect id="missing" fill="url( #nowhere)" width="1" height="1"/>
                          <linearGradient id="later"><stop offset="0" stop-color="red"/></linearGradient>
                          <solidColor id="solid" solid-color="blue" solid-opacity="0.25"/>
                          <rect id="viaSolid" fill="url(#solid)" stroke="url(#solid)" width="1" height="1"/>)svg");
    }
    QVERIFY(doc);
    QCOMPARE(appliedStyle(node(doc, "early")).brush.style(), Qt::LinearGradientPattern);
    QCOMPARE(appliedStyle(node(doc, "missing")).brush.style(), Qt::NoBrush);
    const AppliedStyle solid = appliedStyle(node(doc, "viaSolid"));
    QCOMPARE(solid.brush.color().rgba(), qRgba(0, 0, 255, 64));
    QCOMPARE(solid.pen.color().rgba(), qRgba(0, 0, 255, 64));
    // The root named the paint servers.
    QVERIFY(doc->namedStyle("later"));
    QVERIFY(doc->namedStyle("solid"));
}

void tst_SvgStyles::strokeDashesFollowTheWidth()
{
    auto doc = parseSvg(R"svg(<g stroke="black" stroke-width="2" stroke-dasharray="4, 2">
                             <line id="own" x2="10"/>
                             <line id="wider" stroke-width="4" x2="10"/>
                             <g stroke-dasharray="6"><line id="odd" x2="1"/></g></g>
                           <line id="solid" stroke="black" stroke-dashoffset="3" x2="1"/>
                           <line id="none" stroke="black" stroke-dasharray="none" x2="1"/>
                           <line id="bad" stroke="black" stroke-dasharray="0 0" x2="1"/>
                           <line id="offset" stroke="black" stroke-dasharray="5 5" stroke-dashoffset="2.5" x2="1"/>)svg");
    QVERIFY(doc);
    const AppliedStyle own = appliedStyle(node(doc, "own"));
    QCOMPARE(own.pen.widthF(), 2.0);
    QCOMPARE(own.pen.dashPattern(), (QVector<qreal>{2, 1}));
    const AppliedStyle wider = appliedStyle(node(doc, "wider"));
    QCOMPARE(wider.pen.widthF(), 4.0);
    QCOMPARE(wider.pen.dashPattern(), (QVector<qreal>{1, 0.5}));
    // An odd list repeats; an inherited width of 2 is the unit.
    QCOMPARE(appliedStyle(node(doc, "odd")).pen.dashPattern(), (QVector<qreal>{3, 3}));

    const AppliedStyle solid = appliedStyle(node(doc, "solid"));
    QCOMPARE(solid.pen.style(), Qt::SolidLine);
    QCOMPARE(solid.state.strokeDashOffset, 3.0);
    QCOMPARE(appliedStyle(node(doc, "none")).pen.style(), Qt::SolidLine);
    QCOMPARE(appliedStyle(node(doc, "bad")).pen.style(), Qt::SolidLine);
    const AppliedStyle offset = appliedStyle(node(doc, "offset"));
    QCOMPARE(offset.pen.style(), Qt::CustomDashLine);
    QCOMPARE(offset.pen.dashOffset(), 2.5);
}

void tst_SvgStyles::strokeAttributes()
{
    auto doc = parseSvg(R"svg(<g stroke="#102030" stroke-linecap="round" stroke-linejoin="bevel">
                             <line id="a" stroke-miterlimit="9" stroke-linejoin="miter" stroke-width="3px" x2="1"/>
                             <line id="b" stroke-linecap="square" stroke-linejoin="round" stroke="none" x2="1"/>
                             <line id="c" stroke-linecap="butt" stroke-linejoin="wobbly" stroke-width="-2" x2="1"/></g>
                           <line id="default" x2="1"/>)svg");
    QVERIFY(doc);
    const AppliedStyle a = appliedStyle(node(doc, "a"));
    QCOMPARE(a.pen.color(), QColor(0x10, 0x20, 0x30));
    QCOMPARE(a.pen.capStyle(), Qt::RoundCap);
    QCOMPARE(a.pen.joinStyle(), Qt::SvgMiterJoin);
    QCOMPARE(a.pen.miterLimit(), 9.0);
    QCOMPARE(a.pen.widthF(), 3.0);
    const AppliedStyle b = appliedStyle(node(doc, "b"));
    QCOMPARE(b.pen.brush().style(), Qt::NoBrush);
    QCOMPARE(b.pen.capStyle(), Qt::SquareCap);
    QCOMPARE(b.pen.joinStyle(), Qt::RoundJoin);
    const AppliedStyle c = appliedStyle(node(doc, "c"));
    QCOMPARE(c.pen.capStyle(), Qt::FlatCap);
    QCOMPARE(c.pen.joinStyle(), Qt::BevelJoin); // an unknown join keeps the inherited one
    QCOMPARE(c.pen.widthF(), 1.0);              // a negative width is ignored

    // The default pen of a draw: width 1, no brush, flat caps, miter joins, limit 4.
    const AppliedStyle plain = appliedStyle(node(doc, "default"));
    QCOMPARE(plain.pen.brush().style(), Qt::NoBrush);
    QCOMPARE(plain.pen.joinStyle(), Qt::MiterJoin);
    QCOMPARE(plain.pen.miterLimit(), 4.0);
}

void tst_SvgStyles::vectorEffectMakesCosmeticPens()
{
    auto doc = parseSvg(R"svg(<g stroke="red" vector-effect="non-scaling-stroke">
                             <g><line id="inner" x2="1"/></g>
                             <line id="reset" vector-effect="none" x2="1"/></g>)svg");
    QVERIFY(doc);
    const AppliedStyle inner = appliedStyle(node(doc, "inner"));
    QVERIFY(inner.pen.isCosmetic());
    QVERIFY(inner.state.vectorEffect);
    QVERIFY(!appliedStyle(node(doc, "reset")).pen.isCosmetic());
}

void tst_SvgStyles::revertRestoresThePainter()
{
    auto doc = parseSvg(R"svg(<g id="g" fill="red" stroke="blue" stroke-width="5" opacity="0.5"
                              transform="rotate(30)" font-size="20" comp-op="multiply"
                              fill-rule="evenodd"><rect width="1" height="1"/></g>)svg");
    QVERIFY(doc);
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    orbsvg::QSvgTinyDocument::setDefaultPainterState(&p);
    const QPen pen = p.pen();
    const QBrush brush = p.brush();
    const QFont font = p.font();
    orbsvg::QSvgDrawState state;
    QSvgNode *group = node(doc, "g");
    group->applyStyle(&p, state);
    QVERIFY(p.pen() != pen);
    QCOMPARE(state.fillRule, Qt::OddEvenFill);
    group->revertStyle(&p, state);
    QCOMPARE(p.pen(), pen);
    QCOMPARE(p.brush(), brush);
    QCOMPARE(p.font(), font);
    QCOMPARE(p.opacity(), 1.0);
    QVERIFY(p.worldTransform().isIdentity());
    QCOMPARE(p.compositionMode(), QPainter::CompositionMode_SourceOver);
    QCOMPARE(state.fillRule, Qt::WindingFill);
}

void tst_SvgStyles::gradientStopsAndDefaults()
{
    auto doc = parseSvg(R"svg(<linearGradient id="empty"/>
        <linearGradient id="same" x1="10%" y2="50" gradientUnits="userSpaceOnUse" spreadMethod="reflect">
          <stop offset="0.5" stop-color="red"/><stop offset="50%" stop-color="blue" stop-opacity="0.5"/>
          <stop offset="0.2" stop-color="lime"/></linearGradient>
        <radialGradient id="radial" cx="2" fy="0.7" gradientTransform="scale(2)" spreadMethod="repeat">
          <stop offset="1" stop-color="#0f0"/><stop offset="1" stop-color="#00f"/></radialGradient>
        <rect id="e" fill="url(#empty)" width="1" height="1"/>
        <rect id="s" fill="url(#same)" width="1" height="1"/>
        <rect id="r" fill="url(#radial)" width="1" height="1"/>)svg");
    QVERIFY(doc);
    // No stops: transparent black.
    const QBrush empty = appliedStyle(node(doc, "e")).brush;
    QCOMPARE(empty.gradient()->stops(), (QGradientStops{{0.0, QColor(0, 0, 0, 0)}}));
    QCOMPARE(empty.gradient()->coordinateMode(), QGradient::ObjectBoundingMode);

    const QBrush same = appliedStyle(node(doc, "s")).brush;
    const QGradientStops stops = same.gradient()->stops();
    QCOMPARE(stops.size(), 3);
    QCOMPARE(stops.at(0).first, 0.5);
    QCOMPARE(stops.at(1).first, 0.5 + 1.1920928955078125e-7);
    QCOMPARE(stops.at(1).second.rgba(), qRgba(0, 0, 255, 128));
    QVERIFY(stops.at(2).first > stops.at(1).first);
    QCOMPARE(same.gradient()->coordinateMode(), QGradient::LogicalMode);
    QCOMPARE(same.gradient()->spread(), QGradient::ReflectSpread);
    QCOMPARE(same.gradient()->interpolationMode(), QGradient::ComponentInterpolation);
    const auto *linear = static_cast<const QLinearGradient *>(same.gradient());
    QCOMPARE(linear->start(), QPointF(0.1, 0));
    QCOMPARE(linear->finalStop(), QPointF(1, 50));

    const QBrush radial = appliedStyle(node(doc, "r")).brush;
    const auto *r = static_cast<const QRadialGradient *>(radial.gradient());
    QCOMPARE(r->center(), QPointF(2, 0.5));
    QCOMPARE(r->focalPoint(), QPointF(2, 0.7));
    QCOMPARE(radial.transform(), QTransform::fromScale(2, 2));
    QCOMPARE(r->spread(), QGradient::RepeatSpread);
    // Two stops at 1: the first moves just below it.
    QCOMPARE(r->stops().size(), 2);
    QCOMPARE(r->stops().at(0).first, 0.9999998807907104);
    QCOMPARE(r->stops().at(1).first, 1.0);
}

void tst_SvgStyles::gradientStopsBorrowedLaterAndCycles()
{
    auto doc = parseSvg(R"svg(<linearGradient id="user" xlink:href="#source"/>
        <linearGradient id="source" gradientTransform="translate(3)"><stop offset="0" stop-color="red"/>
          <stop offset="1" stop-color="blue"/></linearGradient>
        <linearGradient id="copy" xlink:href="#source"/>
        <linearGradient id="a" xlink:href="#b"/><linearGradient id="b" xlink:href="#a"/>
        <rect id="u" fill="url(#user)" width="1" height="1"/>
        <rect id="c" fill="url(#copy)" width="1" height="1"/>
        <rect id="cycle" fill="url(#a)" width="1" height="1"/>)svg");
    QVERIFY(doc);
    // Borrowed on first use, once the source has been read.
    QCOMPARE(appliedStyle(node(doc, "u")).brush.gradient()->stops().size(), 2);
    const QBrush copy = appliedStyle(node(doc, "c")).brush;
    QCOMPARE(copy.gradient()->stops().size(), 2);
    QCOMPARE(copy.transform(), QTransform::fromTranslate(3, 0));
    // A cycle of links ends, and paints transparent black.
    const QBrush cycle = appliedStyle(node(doc, "cycle")).brush;
    QCOMPARE(cycle.gradient()->stops(), (QGradientStops{{0.0, QColor(0, 0, 0, 0)}}));
}

void tst_SvgStyles::fontAttributes()
{
    auto doc = parseSvg(R"svg(<g font-family="DejaVu Serif" font-size="x-large" font-style="italic"
                             font-variant="small-caps" text-anchor="middle">
                             <text id="t">a</text>
                             <text id="u" font-size="9px" font-style="oblique" font-variant="normal" text-anchor="end">b</text>
                             <text id="v" font-size="xyz" text-anchor="start">c</text></g>)svg");
    QVERIFY(doc);
    const AppliedStyle t = appliedStyle(node(doc, "t"));
    QCOMPARE(t.font.family(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(t.font.pointSizeF(), 17.3);
    QCOMPARE(t.font.style(), QFont::StyleItalic);
    QCOMPARE(t.font.capitalization(), QFont::SmallCaps);
    QCOMPARE(t.state.textAnchor, Qt::AlignHCenter);
    const AppliedStyle u = appliedStyle(node(doc, "u"));
    QCOMPARE(u.font.pointSizeF(), 9.0);
    QCOMPARE(u.font.style(), QFont::StyleOblique);
    QCOMPARE(u.font.capitalization(), QFont::MixedCase);
    QCOMPARE(u.state.textAnchor, Qt::AlignRight);
    const AppliedStyle v = appliedStyle(node(doc, "v"));
    QCOMPARE(v.font.pointSizeF(), 17.3); // an unknown keyword sets nothing usable
    QCOMPARE(v.state.textAnchor, Qt::AlignLeft);
}

void tst_SvgStyles::fontWeightsCascade_data()
{
    QTest::addColumn<QByteArray>("outer");
    QTest::addColumn<QByteArray>("inner");
    QTest::addColumn<int>("cssWeight");
    QTest::addColumn<int>("qtWeight");
    QTest::newRow("bolder at 900 stays") << QByteArray("900") << QByteArray("bolder") << 900 << 87;
    QTest::newRow("lighter at 100 stays")
        << QByteArray("100") << QByteArray("lighter") << 100 << 25;
    QTest::newRow("bolder from bold") << QByteArray("bold") << QByteArray("bolder") << 800 << 75;
    QTest::newRow("lighter from normal")
        << QByteArray("normal") << QByteArray("lighter") << 300 << 50;
    QTest::newRow("500") << QByteArray("normal") << QByteArray("500") << 500 << 63;
    QTest::newRow("odd number") << QByteArray("normal") << QByteArray("550") << 550 << 50;
}

void tst_SvgStyles::fontWeightsCascade()
{
    QFETCH(QByteArray, outer);
    QFETCH(QByteArray, inner);
    QFETCH(int, cssWeight);
    QFETCH(int, qtWeight);
    auto doc = parseSvg("<g font-weight=\"" + outer + "\"><text id=\"t\" font-weight=\"" + inner
                        + "\">x</text></g>");
    QVERIFY(doc);
    const AppliedStyle t = appliedStyle(node(doc, "t"));
    QCOMPARE(t.state.fontWeight, cssWeight);
    QCOMPARE(t.font.weight(), qtWeight);
}

void tst_SvgStyles::compositionModes()
{
    orbtest::DocumentPtr doc;
    {
        QTest::ignoreMessage(QtDebugMsg, "Operation: \"sparkle\" is not implemented");
        doc = parseSvg(R"svg(<rect id="a" comp-op="dst-atop" width="1" height="1"/>
                          <rect id="b" comp-op="sparkle" width="1" height="1"/>
                          <rect id="c" comp-op=" exclusion " width="1" height="1"/>)svg");
    }
    QVERIFY(doc);
    QCOMPARE(appliedStyle(node(doc, "a")).compositionMode,
             QPainter::CompositionMode_DestinationAtop);
    QCOMPARE(appliedStyle(node(doc, "b")).compositionMode, QPainter::CompositionMode_SourceOver);
    QCOMPARE(appliedStyle(node(doc, "c")).compositionMode, QPainter::CompositionMode_Exclusion);
}

void tst_SvgStyles::transformsAndOpacity()
{
    auto doc = parseSvg(R"svg(<g id="g" transform="translate(10)" opacity="0.5">
                             <rect id="r" transform="scale(2)" opacity="0.5" width="1" height="1"/>
                             <rect id="plain" opacity="half" width="1" height="1"/></g>)svg");
    QVERIFY(doc);
    const AppliedStyle r = appliedStyle(node(doc, "r"));
    // The node's transform acts first, then the parent's.
    QCOMPARE(r.transform.map(QPointF(1, 0)), QPointF(12, 0));
    QCOMPARE(r.opacity, 0.25);
    QCOMPARE(appliedStyle(node(doc, "plain")).opacity,
             0.5); // a value that does not parse is ignored
    QVERIFY(!node(doc, "plain")->style().transform);
}

void tst_SvgStyles::animatedTransformOnTheClock()
{
    // Without a running clock the time is 0: a replacing rotation from 0 degrees
    // takes the place of the static transform.
    auto doc = parseSvg(R"svg(<rect id="r" transform="translate(50)" width="1" height="1">
                             <animateTransform attributeName="transform" type="rotate" from="0 5 5"
                               to="360 5 5" dur="2s" repeatCount="indefinite"/></rect>
                           <rect id="s" transform="translate(50)" width="1" height="1">
                             <animateTransform type="translate" from="0" to="10" begin="1s" dur="1s"/></rect>)svg");
    QVERIFY(doc);
    QVERIFY(doc->animated());
    QCOMPARE(doc->animationDuration(), 2000);
    QCOMPARE(appliedStyle(node(doc, "r")).transform.map(QPointF(1, 1)), QPointF(1, 1));
    // Not begun yet: the static transform stays.
    QCOMPARE(appliedStyle(node(doc, "s")).transform.map(QPointF(0, 0)), QPointF(50, 0));
}

void tst_SvgStyles::animationTiming()
{
    orbsvg::QSvgAnimationTiming once(1000, 2000);
    QVERIFY(!once.isActive(500));
    QVERIFY(!once.progressAt(500));
    QCOMPARE(*once.progressAt(1500), 0.5);
    QVERIFY(once.isActive(2000));
    QVERIFY(!once.isActive(2500));         // over, and not frozen
    QCOMPARE(*once.progressAt(2500), 1.0); // the last value, once
    QVERIFY(!once.progressAt(1500));       // finished for good

    orbsvg::QSvgAnimationTiming thrice(0, 1000);
    thrice.setRepeatCount(3);
    QCOMPARE(*thrice.progressAt(2500), 0.5); // repeats fold back
    QVERIFY(thrice.isActive(2900));

    orbsvg::QSvgAnimationTiming endless(0, 1000);
    endless.setRepeatCount(-1);
    QCOMPARE(*endless.progressAt(123250), 0.25);
    orbsvg::QSvgAnimationTiming frozen(0, 1000);
    frozen.setFreeze(true);
    QVERIFY(frozen.isActive(99999));
}

QTEST_MAIN(tst_SvgStyles)
#include "tst_svgstyles.moc"
