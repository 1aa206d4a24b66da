// Distance fields: the offset table and the brute-force search it drives, the
// transform that must give the same bytes, and where generation puts a path.

#include "DistanceCoverage.h"
#include "DistanceField.h"
#include "SvgCorpus.h"

#include <QtCore/QRandomGenerator>
#include <QtGui/QPainter>
#include <QtTest/QtTest>

#include <omp.h>

#include <cmath>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

using namespace orbsdf;

namespace {

const QSizeF FullSize(2048, 2048);
constexpr int FullN = 128;

QByteArray fieldOf(const QImage &coverage, int n, int searchLevel, int step = 1)
{
    QByteArray bytes(n * n * step, '\x05');
    computeDistanceField(coverage, n, {reinterpret_cast<std::uint8_t *>(bytes.data()), step},
                         searchLevel);
    return bytes;
}

QByteArray bytesOf(const QImage &field)
{
    return QByteArray(reinterpret_cast<const char *>(field.constBits()), int(field.sizeInBytes()));
}

// The transform with vectors of at most lanes 16-bit lanes, whatever the
// processor offers.
QByteArray narrowFieldOf(const QImage &coverage, int n, int lanes)
{
    const int limit = limitVectorLanes(lanes);
    QByteArray field = fieldOf(coverage, n, FastSearchLevel);
    limitVectorLanes(limit);
    return field;
}

// The transform on every vector width against the search.
bool sameAsSearch(const QImage &coverage, int n)
{
    const QByteArray reference = fieldOf(coverage, n, ReferenceSearchLevel);
    return fieldOf(coverage, n, FastSearchLevel) == reference
        && narrowFieldOf(coverage, n, 16) == reference
        && narrowFieldOf(coverage, n, 8) == reference;
}

QImage coverageOf(int width, int height, const std::function<bool(int, int)> &inside)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, inside(x, y) ? 0xff000000 : 0);
    }
    return image;
}

// Scattered alphas on both sides of the threshold in random colours, and
// blobs that reach the edges.
QImage noisyCoverage(QRandomGenerator &rng, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    const int density = rng.bounded(60);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int alpha
                = rng.bounded(1000) < density ? 128 + rng.bounded(128) : rng.bounded(128);
            image.setPixel(x, y, qRgba(rng.bounded(256), rng.bounded(256), 0, alpha));
        }
    }
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int k = rng.bounded(5); k > 0; --k) {
        p.setBrush(k % 2 ? QColor(200, 10, 10) : QColor(Qt::transparent));
        p.drawEllipse(QPointF(rng.bounded(width), rng.bounded(height)), rng.bounded(200) + 1,
                      rng.bounded(200) + 1);
    }
    return image;
}

// The coverage raster in plain ARGB32, built step by step (the longer side
// scaled in single precision into [128, size - 128], the shorter centred):
// what the faster raster must match.
QImage argbRaster(const QPainterPath &path, const QSizeF &size)
{
    QImage raster(size.toSize(), QImage::Format_ARGB32);
    raster.fill(Qt::transparent);
    const QRectF r = path.boundingRect();
    const float longer = std::max(float(r.width()), float(r.height()));
    QTransform m;
    m.translate(128, 128);
    const float s = (float(size.width()) - 256.f) / longer;
    m.scale(double(s), double(s));
    m.translate(-r.x(), -r.y());
    if (r.width() >= r.height())
        m.translate(0, (r.width() - r.height()) * 0.5);
    else
        m.translate((r.height() - r.width()) * 0.5, 0);
    QPainter painter(&raster);
    painter.setTransform(m, false);
    painter.fillPath(path, QBrush(Qt::black, Qt::SolidPattern));
    return raster;
}

// Every fillable outline of the SVG corpus, in file order.
const std::vector<QPainterPath> &corpusOutlines()
{
    static const std::vector<QPainterPath> outlines = orbtest::svgCorpusOutlines();
    return outlines;
}

QPainterPath rectPath(const QRectF &rect)
{
    QPainterPath path;
    path.addRect(rect);
    return path;
}

QPainterPath thinRing()
{
    QPainterPath path;
    path.addEllipse(QPointF(0, 0), 100, 100);
    path.addEllipse(QPointF(0, 0), 99.2, 99.2); // about 7 raster pixels thick
    return path;
}

// Squares inside squares by the even-odd rule: every other one is a hole.
QPainterPath evenOddHoles()
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (int k = 0; k < 6; ++k)
        path.addRect(QRectF(k * 9, k * 7, 120 - k * 17, 100 - k * 15));
    path.addEllipse(QPointF(90, 20), 14, 10);
    return path;
}

// Outlines whose fill has edges the path does not spell out, or that reach
// far past the raster: subpaths left open (the fill closes them), a
// self-crossing star, curves with far control points, hairline slivers.
std::vector<QPainterPath> awkwardOutlines()
{
    std::vector<QPainterPath> paths;
    QPainterPath open;
    open.moveTo(0, 0);
    open.lineTo(100, 10);
    open.lineTo(60, 90);
    open.moveTo(120, 20);
    open.cubicTo(200, -80, 260, 160, 130, 100);
    open.moveTo(10, 150);
    open.lineTo(200, 140);
    open.lineTo(190, 151); // the closing side runs nearly along the first
    paths.push_back(open);

    QPainterPath star;
    star.setFillRule(Qt::WindingFill);
    for (int k = 0; k < 7; ++k) {
        const double angle = k * 4 * M_PI / 7;
        const QPointF p(100 * std::cos(angle), 100 * std::sin(angle));
        k == 0 ? star.moveTo(p) : star.lineTo(p);
    }
    paths.push_back(star);

    QPainterPath far;
    far.moveTo(0, 0);
    far.cubicTo(-5000, 300, 5000, 300, 100, 0);
    far.quadTo(50, -9000, 0, 0);
    paths.push_back(far);

    QPainterPath slivers;
    slivers.addRect(QRectF(0, 0, 100, 100));
    for (int k = 0; k < 12; ++k)
        slivers.addRect(QRectF(3 + k * 8, 5, 0.03 * (k + 1), 90));
    slivers.addEllipse(QPointF(50, 50), 0.4, 30);
    paths.push_back(slivers);

    QPainterPath beyond; // reaches so far that no block is ruled out
    beyond.moveTo(0, 0);
    beyond.lineTo(100, 100);
    beyond.cubicTo(1e9, 0, -1e9, 0, 0, 100);
    paths.push_back(beyond);
    return paths;
}

uchar sampleOf(const QImage &field, int i, int j)
{
    return field.constScanLine(i)[j];
}

} // namespace

class tst_DistanceField : public QObject
{
    Q_OBJECT

private slots:
    void offsetTable();
    void shorterSearchesStopShortOfTheirReach();
    void transformMatchesSearch_data();
    void transformMatchesSearch();
    void transformMatchesSearchOnNoiseAndFormats();
    void transformMatchesSearchOnCorpus();
    void generationMatchesTheArgb32Raster();
    void generationReadsOnlyWhatTheOutlineCanChange();
    void threadCountDoesNotChangeTheField();
    void valuesNearAndFarFromTheOutline();
    void widePathIsCentredAndLaidOutByRows();
    void degenerateInput();
};

void tst_DistanceField::offsetTable()
{
    const std::vector<DistanceOffset> &table = distanceOffsets();
    QCOMPARE(int(table.size()), 51429);
    const auto entry = [&](int k) { return std::make_tuple(table[k].dx, table[k].dy, table[k].d); };
    using E = std::tuple<std::int16_t, std::int16_t, std::int16_t>;
    const std::vector<E> first = {{0, 0, 0},   {0, -1, 1}, {-1, 0, 1}, {1, 0, 1}, {0, 1, 1},
                                  {-1, -1, 1}, {1, -1, 1}, {-1, 1, 1}, {1, 1, 1}};
    for (int k = 0; k < 9; ++k)
        QCOMPARE(entry(k), first[k]);
    QCOMPARE(entry(51428), E(90, 91, 127));

    // Strictly ordered by squared length, then dy, then dx; d the whole length.
    for (std::size_t k = 1; k < table.size(); ++k) {
        const auto key = [](const DistanceOffset &e) {
            return std::make_tuple(e.dx * e.dx + e.dy * e.dy, e.dy, e.dx);
        };
        const int squared = std::get<0>(key(table[k]));
        QVERIFY(key(table[k - 1]) < key(table[k]));
        QVERIFY(table[k].d * table[k].d <= squared
                && squared < (table[k].d + 1) * (table[k].d + 1));
    }

    QCOMPARE(offsetCount(-1), 51429);
    QCOMPARE(offsetCount(0), 888);
    QCOMPARE(offsetCount(1), 3404);
    QCOMPARE(offsetCount(2), 13236);
    QCOMPARE(offsetCount(3), 51429);
    QCOMPARE(offsetCount(-7), 51429);
    for (int level = 0; level <= 2; ++level) { // one short of the last offset of 16, 32, 64
        QCOMPARE(int(table[offsetCount(level)].d), 16 << level);
        QCOMPARE(int(table[offsetCount(level) + 1].d), (16 << level) + 1);
    }
}

void tst_DistanceField::shorterSearchesStopShortOfTheirReach()
{
    // The sample at (8, 8) of a 160 x 160 raster and one pixel of the other kind.
    const auto value = [](int dx, int dy, bool sampleInside, int level) {
        const QImage coverage = coverageOf(
            160, 160, [&](int x, int y) { return (x == 8 + dx && y == 8 + dy) != sampleInside; });
        return uchar(fieldOf(coverage, 10, level)[0]);
    };
    QCOMPARE(value(16, 0, false, 0), uchar(111));
    QCOMPARE(value(12, 12, false, 0), uchar(0)); // the last offset of distance 16
    QCOMPARE(value(12, 12, false, 1), uchar(111));
    QCOMPARE(value(17, 0, true, 0), uchar(255));
    QCOMPARE(value(17, 0, true, 1), uchar(127 + 17));
    QCOMPARE(value(45, 45, false, 1), uchar(0)); // distance 63
    QCOMPARE(value(45, 45, false, 2), uchar(127 - 63));
    for (int level : {FastSearchLevel, ReferenceSearchLevel}) {
        QCOMPARE(value(90, 91, true, level), uchar(254)); // 127.99: the farthest offset
        QCOMPARE(value(91, 91, true, level), uchar(255)); // 128.69: out of reach
    }
}

void tst_DistanceField::transformMatchesSearch_data()
{
    QTest::addColumn<QImage>("coverage");
    QTest::addColumn<int>("n");
    QTest::newRow("square") << rasterizePath(rectPath({0, 0, 10, 10}), FullSize) << FullN;
    QTest::newRow("thin ring") << rasterizePath(thinRing(), FullSize) << FullN;
    QTest::newRow("wide path") << rasterizePath(rectPath({-3, 2, 40, 20}), FullSize) << FullN;
    QTest::newRow("even-odd holes") << rasterizePath(evenOddHoles(), FullSize) << FullN;

    // Inside pixels on and near every edge, where the search skips offsets.
    const auto touching = [](int x, int y) {
        return x < 40 || y < 3 || (x > 200 && y > 150) || x == 255 || (y == 199 && x % 7 == 0)
            || (x - 120) * (x - 120) + (y - 90) * (y - 90) < 900;
    };
    QTest::newRow("touching the border") << coverageOf(256, 200, touching) << 16;
    QTest::newRow("touching the border, Alpha8")
        << coverageOf(256, 200, touching).convertToFormat(QImage::Format_Alpha8) << 16;
    QTest::newRow("sizes not divisible by n") << coverageOf(500, 300, touching) << 37;
    QTest::newRow("more samples than pixels") << coverageOf(20, 9, touching) << 24;
    QTest::newRow("checkerboard") << coverageOf(300, 260, [](int x, int y) {
        return (x + y) % 2 == 0;
    }) << 19;
    // Several kind changes per column in every 16-row band, slanted runs, a
    // sample row every 5 pixel rows (so several fall inside one band) and a
    // width that ends inside a 64-pixel word; the 8-bit copy reads whole
    // words at a time.
    const auto stripes = [](int x, int y) {
        const int band = y % 16;
        return band == 3 || band == 4 || band == 11 || (x + 2 * y) % 37 < 3
            || (x > 250 && y % 29 < 9);
    };
    QTest::newRow("stripes") << coverageOf(330, 240, stripes) << 48;
    QTest::newRow("stripes, Alpha8")
        << coverageOf(330, 240, stripes).convertToFormat(QImage::Format_Alpha8) << 48;
}

void tst_DistanceField::transformMatchesSearch()
{
    QFETCH(QImage, coverage);
    QFETCH(int, n);
    const QByteArray reference = fieldOf(coverage, n, ReferenceSearchLevel);
    QCOMPARE(fieldOf(coverage, n, FastSearchLevel), reference);
    QCOMPARE(narrowFieldOf(coverage, n, 16), reference);
    QCOMPARE(narrowFieldOf(coverage, n, 8), reference);
}

void tst_DistanceField::transformMatchesSearchOnNoiseAndFormats()
{
    QRandomGenerator rng(20240611);
    for (int round = 0; round < 30; ++round) {
        const QImage noise = noisyCoverage(rng, 1 + rng.bounded(300), 1 + rng.bounded(300));
        const int n = 1 + rng.bounded(40);
        QVERIFY2(sameAsSearch(noise, n), qPrintable(QString::number(round)));
        // Only alpha decides, in whichever format it comes.
        const QByteArray field = fieldOf(noise, n, FastSearchLevel);
        for (auto format :
             {QImage::Format_Alpha8, QImage::Format_ARGB32_Premultiplied, QImage::Format_RGBA8888})
            QCOMPARE(fieldOf(noise.convertToFormat(format), n, FastSearchLevel), field);
    }
    const QImage opaque = coverageOf(50, 50, [](int, int) { return false; });
    QCOMPARE(fieldOf(opaque.convertToFormat(QImage::Format_RGB32), 5, FastSearchLevel),
             QByteArray(25, '\xff'));
}

// The search is slow far from any outline, so most of the corpus is compared
// on small rasters (the same margin, a sample every 32 pixels), some with a
// sample every 16 pixels, and one outline at full size.
void tst_DistanceField::transformMatchesSearchOnCorpus()
{
    if (!orbtest::hasSvgCorpus())
        QSKIP("the SVG corpus is not beside the project");
    const std::vector<QPainterPath> &outlines = corpusOutlines();
    QVERIFY2(outlines.size() >= 2000, qPrintable(QString::number(outlines.size())));
    for (std::size_t k = 0; k < outlines.size(); k += 10) {
        const QImage coverage = rasterizePath(outlines[k], QSizeF(384, 384));
        QVERIFY2(sameAsSearch(coverage, k % 200 == 0 ? 24 : 12), qPrintable(QString::number(k)));
    }
    QVERIFY(sameAsSearch(rasterizePath(outlines[3], FullSize), FullN));
}

// The raster is made in a cheaper format than ARGB32, and generation reads
// only where the path's bounds allow ink: neither may change a sample.
void tst_DistanceField::generationMatchesTheArgb32Raster()
{
    if (!orbtest::hasSvgCorpus())
        QSKIP("the SVG corpus is not beside the project");
    const std::vector<QPainterPath> &outlines = corpusOutlines();
    QVERIFY(!outlines.empty());
    for (std::size_t k = 0; k < outlines.size(); ++k) {
        QVERIFY2(bytesOf(generateDistanceField(outlines[k], QSizeF(384, 384), 24))
                     == fieldOf(argbRaster(outlines[k], QSizeF(384, 384)), 24, FastSearchLevel),
                 qPrintable(QString::number(k)));
    }
    for (const QPainterPath &path : {thinRing(), evenOddHoles(), outlines[3], outlines.back()}) {
        QCOMPARE(bytesOf(generateDistanceField(path, FullSize, FullN)),
                 fieldOf(argbRaster(path, FullSize), FullN, FastSearchLevel));
    }
}

// Generation reads whole only the blocks of the raster the outline passes
// near, and one pixel of each other block: the field must be the one read
// from every pixel, at the cache's own size.
void tst_DistanceField::generationReadsOnlyWhatTheOutlineCanChange()
{
    std::vector<QPainterPath> paths = awkwardOutlines();
    paths.push_back(thinRing());
    paths.push_back(evenOddHoles());
    if (orbtest::hasSvgCorpus()) {
        const std::vector<QPainterPath> &outlines = corpusOutlines();
        for (std::size_t k = 0; k < outlines.size(); k += 7)
            paths.push_back(outlines[k]);
    }
    for (std::size_t k = 0; k < paths.size(); ++k) {
        const QImage raster = rasterizePath(paths[k], FullSize);
        QVERIFY2(bytesOf(generateDistanceField(paths[k], FullSize, FullN))
                     == fieldOf(raster, FullN, FastSearchLevel),
                 qPrintable(QString::number(k)));
    }
    // The hand-made ones against the search itself, on both vector paths.
    for (int k = 0; k < 4; ++k) {
        const QImage raster = rasterizePath(paths[k], QSizeF(512, 512));
        QVERIFY2(sameAsSearch(raster, 32), qPrintable(QString::number(k)));
    }
}

void tst_DistanceField::threadCountDoesNotChangeTheField()
{
    const QImage full = rasterizePath(evenOddHoles(), FullSize);
    const QImage small = rasterizePath(thinRing(), QSizeF(512, 512));
    const int threads = omp_get_max_threads();
    QByteArray fast[3];
    QByteArray reference[3];
    for (int t = 1; t <= 3; ++t) {
        omp_set_num_threads(t);
        fast[t - 1] = fieldOf(full, FullN, FastSearchLevel);
        reference[t - 1] = fieldOf(small, 32, ReferenceSearchLevel);
    }
    omp_set_num_threads(threads);
    for (int t = 2; t <= 3; ++t) {
        QCOMPARE(fast[t - 1], fast[0]);
        QCOMPARE(reference[t - 1], reference[0]);
    }
}

void tst_DistanceField::valuesNearAndFarFromTheOutline()
{
    // Stripes inside for x <= 8 and x >= 41, samples at x = 8, 24, 40, 56; and
    // one outside pixel diagonally next to the sample at (24, 24).
    const QImage stripes = coverageOf(64, 64, [](int x, int) { return x <= 8 || x >= 41; });
    const QImage diagonal = coverageOf(64, 64, [](int x, int y) { return x != 25 || y != 25; });
    for (int level : {FastSearchLevel, ReferenceSearchLevel}) {
        const QByteArray field = fieldOf(stripes, 4, level);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(field.mid(i * 4, 4), QByteArray("\x80\x6f\x7e\x8f")); // 128, 111, 126, 143
        QCOMPARE(uchar(fieldOf(diagonal, 4, level)[5]), uchar(128));
    }

    // The square covers raster pixels 128 .. 1919 both ways; sample (i, j) is
    // at (16j + 8, 16i + 8).
    const QImage field = generateDistanceField(rectPath({5, 5, 50, 50}), FullSize, FullN);
    QCOMPARE(sampleOf(field, 64, 64), uchar(255));
    QCOMPARE(sampleOf(field, 15, 64), uchar(127 + 121)); // row 127 is outside
    QCOMPARE(sampleOf(field, 16, 64), uchar(255));       // 137 from it: out of reach
    QCOMPARE(sampleOf(field, 8, 64), uchar(127 + 9));
    QCOMPARE(sampleOf(field, 7, 64), uchar(127 - 8));
    QCOMPARE(sampleOf(field, 0, 64), uchar(127 - 120));
    QCOMPARE(sampleOf(field, 7, 7), uchar(127 - 11)); // 8 and 8 from the corner pixel
    QCOMPARE(sampleOf(field, 0, 0), uchar(0));
    QVERIFY(!bytesOf(field).contains(char(127)));
}

void tst_DistanceField::widePathIsCentredAndLaidOutByRows()
{
    // 1792 x 16 units at scale 1: columns 128 .. 1919 and, centred, rows
    // 1016 .. 1031, so sample row 63 lies on its first row.
    const QPainterPath wide = rectPath({0, 0, 1792, 16});
    const QImage raster = rasterizePath(wide, FullSize);
    const auto inside = [&](int x, int y) { return raster.pixelColor(x, y).alpha() > 127; };
    QVERIFY(inside(128, 1016) && inside(1919, 1031));
    QVERIFY(!inside(127, 1016) && !inside(1920, 1016) && !inside(500, 1015) && !inside(500, 1032));

    const QImage field = generateDistanceField(wide, FullSize, FullN);
    QCOMPARE(field.size(), QSize(32, 128));
    QCOMPARE(field.format(), QImage::Format_ARGB32);
    QCOMPARE(field.bytesPerLine(), 128);
    for (int j = 8; j < 120; ++j) {
        QCOMPARE(sampleOf(field, 62, j), uchar(127 - 16));
        QCOMPARE(sampleOf(field, 63, j), uchar(128));
        QCOMPARE(sampleOf(field, 64, j), uchar(126));
    }
    QCOMPARE(sampleOf(field, 63, 7), uchar(127 - 8));   // 8 left of the path
    QCOMPARE(sampleOf(field, 63, 120), uchar(127 - 9)); // 9 right of it
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(field.constScanLine(0)), FullN),
             QByteArray(FullN, '\0'));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(field.constScanLine(FullN - 1)), FullN),
             QByteArray(FullN, '\0'));

    // On its side the field is the transpose: rows are rows, not columns.
    const QImage tall = generateDistanceField(rectPath({0, 0, 16, 1792}), FullSize, FullN);
    for (int i = 0; i < FullN; ++i) {
        for (int j = 0; j < FullN; ++j)
            QCOMPARE(sampleOf(tall, i, j), sampleOf(field, j, i));
    }

    // Samples spaced by a step land on every step-th byte and touch nothing between.
    const QImage small = rasterizePath(thinRing(), QSizeF(512, 512));
    const QByteArray spaced = fieldOf(small, 32, FastSearchLevel, 3);
    const QByteArray packed = fieldOf(small, 32, ReferenceSearchLevel);
    for (int k = 0; k < 32 * 32; ++k)
        QCOMPARE(spaced.mid(3 * k, 3), packed.mid(k, 1) + "\x05\x05");
}

void tst_DistanceField::degenerateInput()
{
    // A point has no size to scale: every sample is outside with nothing in reach.
    QPainterPath point;
    point.moveTo(3, 4);
    point.lineTo(3, 4);
    const QImage field = generateDistanceField(point, FullSize, FullN);
    QCOMPARE(field.size(), QSize(32, 128));
    QCOMPARE(bytesOf(field), QByteArray(FullN * FullN, '\0'));

    QCOMPARE(fieldOf(QImage(), 4, FastSearchLevel), QByteArray(16, '\0'));
    QCOMPARE(fieldOf(QImage(), 4, ReferenceSearchLevel), QByteArray(16, '\0'));
    QCOMPARE(fieldOf(coverageOf(8, 8, [](int, int) { return true; }), 0, FastSearchLevel),
             QByteArray());
    // A field size the image cannot hold as whole scan lines of samples.
    QVERIFY(generateDistanceField(rectPath({0, 0, 1, 1}), FullSize, 126).isNull());
}

QTEST_GUILESS_MAIN(tst_DistanceField)
#include "tst_distancefield.moc"
