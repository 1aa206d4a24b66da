// Hostile input: every load gives a document or null, with a message where
// the input had to be cut short, and drawing what loaded finishes.

#include "QSvgStructureNode.h"
#include "SvgTestSupport.h"

#include <QtCore/QDir>
#include <QtTest/QtTest>

using namespace orbtest;

namespace {

// Loads and draws into a small image; returns whether a document came out.
bool loadAndDraw(const QByteArray &xml)
{
    auto doc = parseDocument(xml);
    if (!doc)
        return false;
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    doc->draw(&p, QRectF(0, 0, 32, 32));
    doc->documentBounds();
    return true;
}

QByteArray nestedGroups(int depth)
{
    return "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
        + QByteArray("<g>").repeated(depth) + "<rect width='5' height='5'/>"
        + QByteArray("</g>").repeated(depth) + "</svg>";
}

} // namespace

class tst_SvgRobustness : public QObject
{
    Q_OBJECT

private slots:
    void deepNestingIsCut();
    void useChainsAreBounded();
    void hugeAndNonFiniteNumbers();
    void megabytePathData();
    void entityExpansionIsRefused();
    void truncatedAndGarbageInput_data();
    void truncatedAndGarbageInput();
    void fuzzRegressions_data();
    void fuzzRegressions();
};

void tst_SvgRobustness::deepNestingIsCut()
{
    // Within the limit everything is kept.
    auto fine = parseDocument(nestedGroups(200));
    QVERIFY(fine);
    int depth = 0;
    for (const orbsvg::QSvgNode *n = fine.get();
         n->type() == orbsvg::QSvgNode::G || n->type() == orbsvg::QSvgNode::Document; ++depth) {
        const auto &children = static_cast<const orbsvg::QSvgStructureNode *>(n)->children();
        if (children.isEmpty())
            break;
        n = children.first();
    }
    QCOMPARE(depth, 201);

    QTest::ignoreMessage(QtWarningMsg,
                         "QSvgHandler: elements nested deeper than 512 levels are ignored");
    QVERIFY(loadAndDraw(nestedGroups(100000)));
}

void tst_SvgRobustness::useChainsAreBounded()
{
    // Each level uses the previous one twice: 2^40 shapes if nothing stopped it.
    QByteArray xml
        = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink'"
          " viewBox='0 0 10 10'><defs><rect id='l0' width='1' height='1'/>";
    for (int level = 1; level <= 40; ++level) {
        const QByteArray previous = "l" + QByteArray::number(level - 1);
        xml += "<g id='l" + QByteArray::number(level) + "'><use xlink:href='#" + previous
            + "'/><use xlink:href='#" + previous + "' x='1'/></g>";
    }
    xml += "</defs><use xlink:href='#l40'/></svg>";
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("QSvgHandler: 'use' of l\\d+ is ignored: the document "
                                            "would expand to more than 1000000 nodes"));
    QVERIFY(loadAndDraw(xml));
}

void tst_SvgRobustness::hugeAndNonFiniteNumbers()
{
    const QByteArray hostile
        = R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="1e999" height="-1e308" viewBox="0 0 1e308 nan">
        <rect x="1e308" y="-1e308" width="1e999" height="inf" rx="1e300"/>
        <circle r="1e30000000000"/><path d="M1e308 1e308 L-1e308 5 A1e308 1e-308 0 1 1 nan 0z"/>
        <line stroke="black" stroke-width="1e308" stroke-dasharray="1e-308 1e-308" x2="1e308"/>
        <g transform="scale(1e308) rotate(1e308) skewX(90)"><rect width="10" height="10"/></g>
        <linearGradient id="g" x1="nan" gradientTransform="matrix(0 0 0 0 0 0)"><stop offset="1e999"/></linearGradient>
        <rect fill="url(#g)" width="5" height="5" opacity="1e999" stroke-opacity="nan"/>
        <text font-size="1e308" x="1e308">huge</text></svg>)svg";
    QVERIFY(loadAndDraw(hostile));
}

void tst_SvgRobustness::megabytePathData()
{
    QByteArray d = "M0 0";
    while (d.size() < 1024 * 1024)
        d += " l1 1 q2 3 4 5 c1 2 3 4 5 6 a3 4 5 1 0 6 7";
    auto doc = parseDocument(
        "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'><path id='p' d='" + d
        + "'/></svg>");
    QVERIFY(doc);
    QVERIFY(node(doc, "p")->outlinePath()->elementCount() > 100000);
}

void tst_SvgRobustness::entityExpansionIsRefused()
{
    QByteArray xml
        = "<?xml version='1.0'?><!DOCTYPE svg [<!ENTITY a0 '<rect width=\"1\" height=\"1\"/>'>";
    for (int i = 1; i < 12; ++i) {
        const QByteArray previous = "&a" + QByteArray::number(i - 1) + ";";
        xml += "<!ENTITY a" + QByteArray::number(i) + " '" + previous.repeated(10) + "'>";
    }
    xml += "]><svg xmlns='http://www.w3.org/2000/svg'>&a11;</svg>";
    // 10^11 rectangles if expanded: the reader refuses and the load fails.
    QVERIFY(!loadAndDraw(xml));
}

void tst_SvgRobustness::truncatedAndGarbageInput_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("loads");
    const QByteArray good = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
                            "<rect width='5' height='5' fill='red'/></svg>";
    QTest::newRow("complete") << good << true;
    QTest::newRow("truncated") << good.left(good.size() / 2) << false;
    QTest::newRow("empty") << QByteArray() << false;
    QByteArray garbage(4096, '\0');
    quint32 seed = 12345;
    for (char &c : garbage) {
        seed = seed * 1103515245 + 12345;
        c = char(seed >> 24);
    }
    QTest::newRow("binary") << garbage << false;
    QTest::newRow("garbage after a root") << "<svg>" + garbage << false;
    QTest::newRow("second root") << good + good << false;
}

void tst_SvgRobustness::truncatedAndGarbageInput()
{
    QFETCH(QByteArray, input);
    QFETCH(bool, loads);
    QCOMPARE(loadAndDraw(input), loads);
}

void tst_SvgRobustness::fuzzRegressions_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(QStringLiteral(ORB_FUZZ_REGRESSIONS_DIR));
    const QStringList files = dir.entryList(QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << dir.filePath(file);
}

// Inputs that once crashed or hung the loader or a draw (the sanitizer builds
// catch what a plain build would not).
void tst_SvgRobustness::fuzzRegressions()
{
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    loadAndDraw(file.readAll());
}

QTEST_MAIN(tst_SvgRobustness)
#include "tst_svgrobustness.moc"
