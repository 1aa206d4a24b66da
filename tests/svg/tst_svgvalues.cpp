// Attribute value syntaxes: numbers, lengths, colours, transforms, path data.

#include "QSvgValues.h"

#include <QtCore/QRandomGenerator>
#include <QtTest/QtTest>

#include <cmath>

using namespace orbsvg;
using namespace orbsvg::values;

Q_DECLARE_METATYPE(orbsvg::LengthType)

namespace {

QString coord(qreal v)
{
    return QString::number(std::abs(v) < 1e-9 ? 0.0 : v, 'g', 6);
}

// "M0,0 L10,0 C1,2 3,4 5,6", readable in failure messages.
QString describe(const QPainterPath &path)
{
    QStringList parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QString xy = coord(e.x) + QLatin1Char(',') + coord(e.y);
        if (e.isCurveTo() || e.type == QPainterPath::CurveToDataElement)
            parts << (e.isCurveTo() ? QLatin1Char('C') + xy : parts.takeLast() + ' ' + xy);
        else
            parts << (e.isMoveTo() ? QLatin1Char('M') : QLatin1Char('L')) + xy;
    }
    return parts.join(QLatin1Char(' '));
}

QPainterPath pathOf(const QString &data)
{
    QPainterPath path;
    parsePathData(data, path);
    return path;
}

bool allFinite(const QPainterPath &path)
{
    for (int i = 0; i < path.elementCount(); ++i) {
        if (!std::isfinite(path.elementAt(i).x) || !std::isfinite(path.elementAt(i).y))
            return false;
    }
    return true;
}

} // namespace

class tst_SvgValues : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void numberLists();
    void lengths_data();
    void lengths();
    void colors_data();
    void colors();
    void colorOpacity();
    void transforms_data();
    void transforms();
    void pathData_data();
    void pathData();
    void arcs_data();
    void arcs();
    void pointsAndUrls();
    void hostileInputStaysFinite();
    void randomInputStaysFinite();
};

void tst_SvgValues::numbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("consumed");

    // Exact decimal fractions: digits * 0.1 would give 0.30000000000000004.
    QTest::newRow("0.3") << "0.3" << 0.3 << 3;
    QTest::newRow("nine chars") << "-123.4567" << -123.4567 << 9;
    QTest::newRow("ten chars") << "0.12345678" << 0.12345678 << 10;
    QTest::newRow("long integer") << "12345678901" << 12345678901.0 << 11;
    QTest::newRow("plus, stops at letter") << "+7x" << 7.0 << 2;
    QTest::newRow("points") << ".5." << 0.5 << 2;
    QTest::newRow("exponent") << "2.5E+3" << 2500.0 << 6;
    QTest::newRow("e without digits") << "2em" << 2.0 << 1;
    QTest::newRow("sign alone") << "-x" << 0.0 << 0;
    QTest::newRow("nan") << "nan" << 0.0 << 0;
    QTest::newRow("fullwidth digit") << QString(QChar(0xFF13)) << 0.0 << 0;
    QTest::newRow("overflow") << "-1e999" << 0.0 << 6;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << 0.0 << 22;
    QTest::newRow("255 chars at most") << QString(300, '1') << 1.1111111111111111e254 << 255;
}

void tst_SvgValues::numbers()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, consumed);

    const QChar *str = text.constData();
    const qreal v = readNumber(str, text.constData() + text.size());
    QCOMPARE(int(str - text.constData()), consumed);
    QVERIFY2(v == value, qPrintable(QString::number(v, 'g', 17)));
    bool ok = false;
    QVERIFY(toDouble(text, &ok) == value);
    QCOMPARE(ok, consumed == text.size());
}

void tst_SvgValues::numberLists()
{
    using L = QVector<qreal>;
    QCOMPARE(parseNumberList(QStringLiteral(" 1 2,3 , 4 ")), L({1, 2, 3, 4}));
    QCOMPARE(parseNumberList(QStringLiteral("1,,2")), L({1}));
    QCOMPARE(parseNumberList(QStringLiteral("10-5.5.5 x 3")), L({10, -5.5, 0.5}));
    QCOMPARE(parseNumberList(QStringLiteral("1 - 2")), L({1}));
    QCOMPARE(parseNumberList(QStringLiteral("100%, 0%,50%")), L({100}));
    const QString percentages = QStringLiteral("100%, 0%,50%");
    const QChar *str = percentages.constData();
    QCOMPARE(readPercentageList(str, str + percentages.size()), L({100, 0, 50}));
}

void tst_SvgValues::lengths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<LengthType>("type");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("pixels");

    QTest::newRow("no unit") << "10" << 10.0 << LengthType::Other << true << 10.0;
    QTest::newRow("%") << " 10% " << 10.0 << LengthType::Percent << true << 10.0;
    QTest::newRow("pc is not scaled") << "2pc" << 2.0 << LengthType::Pc << true << 2.0;
    QTest::newRow("pt") << "4pt" << 4.0 << LengthType::Pt << true << 5.0;
    QTest::newRow("mm") << "2mm" << 2.0 << LengthType::Mm << true << 7.086614;
    QTest::newRow("cm") << "1e1cm" << 10.0 << LengthType::Cm << true << 354.3307;
    QTest::newRow("in") << "1in" << 1.0 << LengthType::In << true << 90.0;
    QTest::newRow("case-sensitive") << "1IN" << 1.0 << LengthType::Other << false << 1.0;
    QTest::newRow("space before unit") << "10 px" << 10.0 << LengthType::Px << false << 10.0;
}

void tst_SvgValues::lengths()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(LengthType, type);
    QFETCH(bool, ok);
    QFETCH(double, pixels);

    LengthType parsedType = LengthType::Px;
    bool parsedOk = !ok;
    const qreal v = parseLength(text, parsedType, &parsedOk, LengthType::Other);
    QCOMPARE(v, value);
    QCOMPARE(parsedType, type);
    QCOMPARE(parsedOk, ok);
    QCOMPARE(convertToPixels(v, parsedType), pixels);
}

void tst_SvgValues::colors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("color"); // invalid: no colour

    QTest::newRow("#rgb") << "#F0A" << QColor(0xff, 0x00, 0xaa);
    QTest::newRow("#rrggbb") << " #12ab3C " << QColor(0x12, 0xab, 0x3c);
    QTest::newRow("9 digits") << "#123456789" << QColor(0x12, 0x45, 0x78);
    QTest::newRow("12 digits") << "#123456789abc" << QColor(0x12, 0x56, 0x9a);
    QTest::newRow("8 digits") << "#11223344" << QColor();
    QTest::newRow("too long") << "#1234567890123" << QColor();
    QTest::newRow("not hex") << "#12345g" << QColor();
    QTest::newRow("rgb percent") << "rgb(100%, 0%, 50%)" << QColor(255, 0, 127);
    QTest::newRow("rgb truncates") << "rgb( 1.9 2.5,3.99 )" << QColor(1, 2, 3);
    QTest::newRow("rgb clamps") << "rgb(300,-5,7)" << QColor(255, 0, 7);
    QTest::newRow("rgb four") << "rgb(1,2,3,4)" << QColor();
    QTest::newRow("rgb open") << "rgb(1,2,3" << QColor();
    QTest::newRow("name") << "red" << QColor(255, 0, 0);
    QTest::newRow("current") << "currentColor" << QColor(1, 2, 3);
    QTest::newRow("inherit") << "inherit" << QColor();
    QTest::newRow("unknown name") << "reddish" << QColor();
    QTest::newRow("empty") << "  " << QColor();
}

void tst_SvgValues::colors()
{
    QFETCH(QString, text);
    QFETCH(QColor, color);

    QColor parsed(9, 9, 9);
    QCOMPARE(parseColor(text, QColor(1, 2, 3), parsed), color.isValid());
    if (color.isValid())
        QCOMPARE(parsed, color);
}

void tst_SvgValues::colorOpacity()
{
    QColor current(10, 20, 30);
    current.setAlphaF(0.25);
    auto alpha = [&](const char *colorText, const char *opacity) {
        QColor c;
        return parseColorWithOpacity(QString::fromLatin1(colorText), QString::fromLatin1(opacity),
                                     current, c)
            ? qRound(c.alphaF() * 100)
            : -1;
    };
    QCOMPARE(alpha("red", " 0.5 "), 50);
    QCOMPARE(alpha("red", "2"), 100);
    QCOMPARE(alpha("red", "-1"), 0);
    QCOMPARE(alpha("currentColor", "0.5x"), 100); // unparsable
    QCOMPARE(alpha("currentColor", ""), 25);      // absent
    QCOMPARE(alpha("bogus", "0.5"), -1);
}

void tst_SvgValues::transforms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");

    const QPointF x1(1, 0);
    QTest::newRow("rightmost acts first") << "translate(10) scale(2)" << x1 << QPointF(12, 0);
    QTest::newRow("matrix") << "translate(10) matrix(2,0,0,2,0,0)" << x1 << QPointF(12, 0);
    QTest::newRow("reversed") << "scale(2),translate(10)" << x1 << QPointF(22, 0);
    QTest::newRow("matrix order") << "matrix(1 2 3 4 5 6)" << QPointF(1, 1) << QPointF(9, 12);
    QTest::newRow("rotate") << "rotate(90, 10, 0)" << QPointF(20, 0) << QPointF(10, 10);
    QTest::newRow("scale x y") << " scale (2, 3) " << QPointF(1, 1) << QPointF(2, 3);
    QTest::newRow("skewX") << "skewX(45)" << QPointF(0, 2) << QPointF(2, 2);
    QTest::newRow("skewY") << "skewY(45)" << QPointF(2, 0) << QPointF(2, 2);
    QTest::newRow("unknown keyword") << "translate(10) foo(3) scale(5)" << x1 << QPointF(11, 0);
    QTest::newRow("missing (") << "translate(10) scale 2" << x1 << QPointF(11, 0);
    QTest::newRow("missing )") << "translate(10) scale(2" << x1 << QPointF(11, 0);
    QTest::newRow("five numbers") << "translate(10) matrix(2,0,0,2,0)" << x1 << QPointF(11, 0);
    QTest::newRow("two for rotate") << "translate(10) rotate(90,1)" << x1 << QPointF(11, 0);
    QTest::newRow("nan") << "scale(nan)" << x1 << x1;
    QTest::newRow("overflow") << "scale(1e300) scale(1e300)" << x1 << QPointF(1e300, 0);
}

void tst_SvgValues::transforms()
{
    QFETCH(QString, text);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);

    const QPointF p = parseTransform(text).map(from);
    QVERIFY2(std::abs(p.x() - to.x()) <= 1e-9 * std::max<qreal>(1, std::abs(to.x()))
                 && std::abs(p.y() - to.y()) <= 1e-9,
             qPrintable(QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y())));
}

void tst_SvgValues::pathData_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("elements");

    QTest::newRow("moveto pairs") << "M 10 10 20 20 30 30"
                                  << "M10,10 L20,20 L30,30";
    QTest::newRow("relative") << "m1 1 2 2 l2 2h3v4H0V0"
                              << "M1,1 L3,3 L5,5 L8,5 L8,9 L0,9 L0,0";
    QTest::newRow("compact numbers") << "M1.5.5L-1-1"
                                     << "M1.5,0.5 L-1,-1";
    QTest::newRow("Z returns to start") << "M1 1 L10 1 Z l5 5"
                                        << "M1,1 L10,1 L1,1 M1,1 L6,6";
    QTest::newRow("cubics") << "M0 0 c1 1 2 2 3 3 1 1 2 2 3 3"
                            << "M0,0 C1,1 2,2 3,3 C4,4 5,5 6,6";
    QTest::newRow("S reflects") << "M0 0 C0 10 10 10 10 0 s10 -10 10 0"
                                << "M0,0 C0,10 10,10 10,0 C10,-10 20,-10 20,0";
    QTest::newRow("S after L") << "M0 0 L10 0 S20 10 30 0"
                               << "M0,0 L10,0 C10,0 20,10 30,0";
    QTest::newRow("T reflects") << "M0 0 Q5 10 10 0 t10 0"
                                << "M0,0 C3.33333,6.66667 6.66667,6.66667 10,0 "
                                   "C13.3333,-6.66667 16.6667,-6.66667 20,0";
    QTest::newRow("T after C") << "M0 0 C1 1 2 2 10 0 T20 0"
                               << "M0,0 C1,1 2,2 10,0 C10,0 13.3333,0 20,0";
    QTest::newRow("L missing one") << "M 0 0 L 10"
                                   << "M0,0";
    QTest::newRow("L odd count") << "M0 0 L1 2 3 L4 4"
                                 << "M0,0 L1,2 L4,4";
    QTest::newRow("C drops the rest") << "M0 0 C1 2 3 4 5 6 7 8 9 10 11"
                                      << "M0,0 C1,2 3,4 5,6";
    QTest::newRow("A drops the rest") << "M0 0 A1 1 0 0 1 2 L4 4"
                                      << "M0,0 L4,4";
    QTest::newRow("stops at garbage") << "M0 0 L10 0 # L20 20"
                                      << "M0,0 L10,0";
    QTest::newRow("stops at non-command") << "M0 0 L10 0 B L1 1"
                                          << "M0,0 L10,0";
    QTest::newRow("stops at lone sign") << "M0 0 L 1 - 2"
                                        << "M0,0";
    QTest::newRow("nan") << "M5 5 L nan 1 L 1 1"
                         << "M5,5";
    QTest::newRow("overflow reads 0") << "M0 0 L1e999 5"
                                      << "M0,0 L0,5";
    QTest::newRow("refused point") << "M1e100 0 l1e300 0 L5 5"
                                   << "M1e+100,0";
    QTest::newRow("zero radius arc") << "M0 0 A0 5 0 0 1 10 0"
                                     << "M0,0 L10,0";
    QTest::newRow("arc to its start") << "M5 5 A5 5 0 0 1 5 5 L6 6"
                                      << "M5,5 L6,6";
    QTest::newRow("arc radii out of range") << "M0 0 A1e308 1e308 0 0 1 10 0 a1e-320 1 0 0 1 10 0"
                                            << "M0,0 L10,0 L20,0";
}

void tst_SvgValues::pathData()
{
    QFETCH(QString, data);
    QFETCH(QString, elements);

    const QPainterPath path = pathOf(data);
    QCOMPARE(describe(path), elements);
    QCOMPARE(path.fillRule(), Qt::WindingFill);
}

void tst_SvgValues::arcs_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QPointF>("end");
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<QSizeF>("radii"); // after scaling up
    QTest::addColumn<qreal>("angle");
    QTest::addColumn<qreal>("sweep"); // signed, radians
    QTest::addColumn<int>("segments");

    const qreal q = M_PI / 2;
    const QPointF o(0, 0), p(0, 10), c(10, 10);
    const QSizeF r(10, 10);
    // The four choices between (10,0) and (0,10) on circles of radius 10.
    QTest::newRow("small +") << "M10 0 A10 10 0 0 1 0 10" << p << o << r << 0.0 << q << 1;
    QTest::newRow("large +") << "M10 0 A10 10 0 1 1 0 10" << p << c << r << 0.0 << 3 * q << 3;
    QTest::newRow("small -") << "M10 0 A10 10 0 0 0 0 10" << p << c << r << 0.0 << -q << 1;
    QTest::newRow("large -") << "M10 0 A10 10 0 1 0 0 10" << p << o << r << 0.0 << -3 * q << 3;
    QTest::newRow("radii scaled up") << "M0 0 A-2 1 0 0 0 10 0" << QPointF(10, 0) << QPointF(5, 0)
                                     << QSizeF(5, 2.5) << 0.0 << -2 * q << 2;
    QTest::newRow("relative, turned") << "M0 0 a10 5 90 0 1 0 20" << QPointF(0, 20)
                                      << QPointF(0, 10) << QSizeF(10, 5) << 90.0 << 2 * q << 2;
    // Ellipse (10, 5) turned by 30 degrees about the origin, from parameter 0
    // to parameter -90 degrees the long way.
    const qreal cs = std::cos(M_PI / 6), sn = std::sin(M_PI / 6);
    const QPointF from(10 * cs, 10 * sn), to(5 * sn, -5 * cs);
    QTest::newRow("turned, large") << QStringLiteral("M%1 %2 A10 5 30 1 1 %3 %4")
                                          .arg(from.x(), 0, 'g', 17)
                                          .arg(from.y(), 0, 'g', 17)
                                          .arg(to.x(), 0, 'g', 17)
                                          .arg(to.y(), 0, 'g', 17)
                                   << to << o << QSizeF(10, 5) << 30.0 << 3 * q << 3;
}

void tst_SvgValues::arcs()
{
    QFETCH(QString, data);
    QFETCH(QPointF, end);
    QFETCH(QPointF, centre);
    QFETCH(QSizeF, radii);
    QFETCH(qreal, angle);
    QFETCH(qreal, sweep);
    QFETCH(int, segments);

    const QPainterPath path = pathOf(data);
    QCOMPARE(path.elementCount(), 1 + 3 * segments);
    const QPointF last = path.elementAt(path.elementCount() - 1);
    QVERIFY(last.x() == end.x() && last.y() == end.y()); // exact, not recomputed

    const qreal phi = qDegreesToRadians(angle);
    auto unit = [&](const QPointF &p) { // on the unit circle in the ellipse's frame
        const QPointF d = p - centre;
        return QPointF((std::cos(phi) * d.x() + std::sin(phi) * d.y()) / radii.width(),
                       (-std::sin(phi) * d.x() + std::cos(phi) * d.y()) / radii.height());
    };
    auto radius = [&](const QPointF &p) { return std::hypot(unit(p).x(), unit(p).y()); };

    qreal swept = 0;
    QPointF p0 = path.elementAt(0);
    for (int i = 0; i < segments; ++i) {
        const QPointF p1 = path.elementAt(1 + 3 * i), p2 = path.elementAt(2 + 3 * i);
        const QPointF p3 = path.elementAt(3 + 3 * i);
        QVERIFY2(std::abs(radius(p3) - 1) < 1e-9, qPrintable(QString::number(radius(p3))));
        for (qreal t : {0.25, 0.5, 0.75}) {
            const qreal s = 1 - t;
            const QPointF b
                = s * s * s * p0 + 3 * s * s * t * p1 + 3 * s * t * t * p2 + t * t * t * p3;
            QVERIFY(std::abs(radius(b) - 1) < 3e-4);
        }
        const QPointF u0 = unit(p0), u3 = unit(p3);
        swept += std::atan2(u0.x() * u3.y() - u0.y() * u3.x(), u0.x() * u3.x() + u0.y() * u3.y());
        p0 = p3;
    }
    QVERIFY2(std::abs(swept - sweep) < 1e-9, qPrintable(QString::number(swept)));
}

void tst_SvgValues::pointsAndUrls()
{
    using P = QVector<QPointF>;
    QCOMPARE(parsePoints(QStringLiteral("0,0 10,0 10")), QPolygonF(P{{0, 0}, {10, 0}}));
    QCOMPARE(parsePoints(QStringLiteral(" 1,2, 3,4 x 5 6")), QPolygonF(P{{1, 2}, {3, 4}}));
    QCOMPARE(idFromUrl(QStringLiteral(" ( #grad) tail")), QStringLiteral("grad"));
    QCOMPARE(idFromUrl(QStringLiteral("(grad")), QStringLiteral("grad"));
    QCOMPARE(idFromUrl(QStringLiteral("#g")), QStringLiteral("g"));
    QCOMPARE(idFromUrl(QStringLiteral("()")), QString());
}

void tst_SvgValues::hostileInputStaysFinite()
{
    const int megabyte = 1 << 20;
    const QString mixed = QStringLiteral("M1 2 L3 4 h5 C5 6 7 8 9 10 s1 2 3 4 Q1 2 3 4 t5 5 "
                                         "A5 5 30 1 0 20 20 a1e-300 2 0 1 1 -7 3 z ")
                              .repeated(megabyte / 80);
    QVERIFY(pathOf(mixed).elementCount() > megabyte / 10);

    const QString runs[] = {
        QStringLiteral("M0 0") + QStringLiteral("l1e127 1e127").repeated(megabyte / 12),
        QStringLiteral("M") + QString(megabyte, QLatin1Char('9')),
        QStringLiteral("M0 0 ") + QString(megabyte, QLatin1Char('L')),
        QStringLiteral("M0 0 L") + QStringLiteral("-.").repeated(megabyte / 2),
        QStringLiteral("M0 0 L1e") + QString(megabyte, QLatin1Char('9')) + QStringLiteral(" 1"),
        QStringLiteral("M0 0 ")
            + QStringLiteral("A1e-300 1e300 1e308 1e300 -1e300 1e-300 1e128")
                  .repeated(megabyte / 48),
        QStringLiteral("rgb(") + QString(megabyte, QLatin1Char('1')) + QLatin1Char(')'),
    };
    for (const QString &data : runs) {
        QVERIFY(allFinite(pathOf(data)));
        const QPolygonF polygon = parsePoints(QStringView(data).mid(1));
        QVERIFY(std::isfinite(polygon.boundingRect().width()));
        QColor color;
        QVERIFY(!parseColor(data, Qt::black, color));
        LengthType type;
        QVERIFY(std::isfinite(parseLength(data, type)));
    }
    const QPointF moved
        = parseTransform(QStringLiteral("translate(1)").repeated(megabyte / 12)).map(QPointF());
    QCOMPARE(moved, QPointF(megabyte / 12, 0));
}

void tst_SvgValues::randomInputStaysFinite()
{
    // Path and transform alphabets, so that most strings get some way in.
    const QString alphabet
        = QStringLiteral("MmLlHhVvCcSsQqTtAaZz0123456789.-+eE ,()%#scaleroat1e308 1e-320 ");
    QRandomGenerator random(20240611);
    auto magnitude
        = [&] { return std::ldexp(random.generateDouble() - 0.5, random.bounded(-1074, 1025)); };
    for (int round = 0; round < 3000; ++round) {
        QString text(int(random.bounded(200)), Qt::Uninitialized);
        for (QChar &c : text)
            c = alphabet[int(random.bounded(alphabet.size()))];
        QVERIFY2(allFinite(pathOf(text)), qPrintable(text));
        const QTransform t = parseTransform(text);
        QVERIFY2(std::isfinite(t.m11() + t.m12() + t.m21() + t.m22() + t.dx() + t.dy()),
                 qPrintable(text));

        QString arc = QStringLiteral("M%1 %2 A%3 %4 %5 %6 %7 %8 %9");
        for (int i = 0; i < 9; ++i)
            arc = arc.arg(i == 5 || i == 6 ? qreal(random.bounded(2)) : magnitude(), 0, 'g', 17);
        QVERIFY2(allFinite(pathOf(arc)), qPrintable(arc));
    }
}

QTEST_APPLESS_MAIN(tst_SvgValues)
#include "tst_svgvalues.moc"
