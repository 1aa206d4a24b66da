// ORBSvgItem and ORBSvgNode in a real window: the plugin from its import
// path, the OpenGL scene graph under Xvfb, frames read back with grabWindow().

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <algorithm>
#include <memory>

class tst_SvgItem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void drawsTheDocumentScaledToTheItem();
    void sameSourceAgainDoesNotRebuild();
    void failingSourceLeavesTheItemEmptyButSignals();
    void nodeRecoloursHidesAndFades();
    void nodeFollowsABoundColourFromTheFirstFrame();
    void nodeStartsWithTheDocumentsColourAndReportsItsBox();
    void nodeMovesElementsAndGroups();
    void strokeOverridesKeepTheRestOfThePen();
    void gradientAndSolidSwap();
    void documentsShareTextures();
    void secondWindowWithoutSharedContextDrawsNothing();
    void edgesStayCrispAtEightTimes();
    void hostileDocuments();
    void sourceChangingEveryFrame();

private:
    QString writeSvg(const QString &name, const QByteArray &contents);
    QQuickWindow *show(const QByteArray &itemQml, int width = 200, int height = 200);
    QQuickItem *item(const char *name = "svg") const;
    QImage frame();

    std::unique_ptr<orbHostEnvironment> m_host;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QObject> m_window;
    QTemporaryDir m_files;
    int m_frames = 0;
};

// Kept below the test class: the meta-object compiler stops at raw strings.
namespace {

const char *const TwoShapes = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
  <rect id="red" x="10" y="10" width="30" height="30" fill="#ff0000"/>
  <g id="group" transform="translate(50,0)">
    <circle id="blue" cx="25" cy="25" r="15" fill="#0000ff"/>
    <rect id="green" x="10" y="60" width="30" height="30" fill="#00ff00" stroke="#000000" stroke-width="2"/>
  </g>
  <line id="line" x1="10" y1="70" x2="40" y2="70" stroke="#000000" stroke-width="2"/>
  <path id="dashed" d="M 5 95 H 95" stroke="#000000" stroke-width="2" stroke-dasharray="10 10" fill="none"/>
  <rect id="ramp" x="10" y="45" width="30" height="10">
    <linearGradient id="lg"><stop offset="0" stop-color="#000000"/><stop offset="1" stop-color="#ffffff"/></linearGradient>
  </rect>
</svg>)svg";

bool near(const QColor &a, const QColor &b, int tolerance = 24)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

QString describe(const QColor &c)
{
    return QStringLiteral("(%1, %2, %3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

void tst_SvgItem::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
    QVERIFY(m_files.isValid());
    writeSvg("shapes.svg", TwoShapes);
}

void tst_SvgItem::cleanup()
{
    m_window.reset();
    m_engine.reset();
}

void tst_SvgItem::cleanupTestCase()
{
    m_host.reset();
}

QString tst_SvgItem::writeSvg(const QString &name, const QByteArray &contents)
{
    QFile file(m_files.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(contents);
    return QUrl::fromLocalFile(file.fileName()).toString();
}

QQuickWindow *tst_SvgItem::show(const QByteArray &itemQml, int width, int height)
{
    m_engine = std::make_unique<QQmlEngine>();
    m_host->prepare(*m_engine);
    m_engine->rootContext()->setContextProperty(QStringLiteral("files"),
                                                QUrl::fromLocalFile(m_files.path() + "/"));
    m_window.reset(orbtest::createWindow(*m_engine, width, height, itemQml));
    auto *window = qobject_cast<QQuickWindow *>(m_window.get());
    if (window) {
        m_frames = 0;
        connect(
            window, &QQuickWindow::frameSwapped, this, [this] { ++m_frames; },
            Qt::QueuedConnection);
    }
    return window;
}

QQuickItem *tst_SvgItem::item(const char *name) const
{
    return m_window ? m_window->findChild<QQuickItem *>(QLatin1String(name)) : nullptr;
}

// A frame rendered after everything asked for so far has been synchronised.
QImage tst_SvgItem::frame()
{
    auto *window = qobject_cast<QQuickWindow *>(m_window.get());
    // Two forced frames: the first may have begun before the change was made.
    for (int pass = 0; pass < 2; ++pass) {
        const int seen = m_frames;
        window->update();
        if (!QTest::qWaitFor([&] { return m_frames > seen; }, 10000))
            qWarning("frame(): no frame within 10 s");
    }
    const QImage grabbed = window->grabWindow();
    if (qEnvironmentVariableIsSet("ORB_TEST_FRAMES"))
        grabbed.save(QStringLiteral("%1/%2-%3.png")
                         .arg(qEnvironmentVariable("ORB_TEST_FRAMES"),
                              QString::fromLatin1(QTest::currentTestFunction()))
                         .arg(m_frames));
    return grabbed;
}

void tst_SvgItem::drawsTheDocumentScaledToTheItem()
{
    const bool shown = show("ORBSvgItem { objectName: 'svg'; width: 200; height: 200; source: "
                            "files + 'shapes.svg' }")
        != nullptr;
    QVERIFY(shown);
    QTRY_COMPARE(item()->property("sourceSize").toSizeF(), QSizeF(100, 100));
    const QImage image = frame();
    QVERIFY2(near(image.pixelColor(50, 50), Qt::red),
             qPrintable(describe(image.pixelColor(50, 50))));
    QVERIFY(near(image.pixelColor(150, 50), Qt::blue)); // the circle, moved by its group
    QVERIFY(near(image.pixelColor(5, 5), Qt::white));
    QVERIFY(near(image.pixelColor(150, 150), Qt::green));
    // The outer half of the green rect's stroke (the fill covers the inner half).
    QVERIFY2(near(image.pixelColor(119, 150), Qt::black, 60),
             qPrintable(describe(image.pixelColor(119, 150))));
    // The line has no fill outline: it is not drawn.
    QVERIFY(near(image.pixelColor(50, 140), Qt::white));
}

void tst_SvgItem::sameSourceAgainDoesNotRebuild()
{
    const bool shown = show("ORBSvgItem { objectName: 'svg'; width: 100; height: 100; source: "
                            "files + 'shapes.svg' }")
        != nullptr;
    QVERIFY(shown);
    QSignalSpy built(item(), SIGNAL(nodesChanged()));
    QSignalSpy changed(item(), SIGNAL(sourceChanged()));
    QTRY_COMPARE(built.count(), 1);
    item()->setProperty("source", item()->property("source"));
    QCOMPARE(changed.count(), 1);
    frame();
    frame();
    QCOMPARE(built.count(), 1);
}

void tst_SvgItem::failingSourceLeavesTheItemEmptyButSignals()
{
    const bool shown = show("ORBSvgItem { objectName: 'svg'; width: 200; height: 200; source: "
                            "files + 'missing.svg' }")
        != nullptr;
    QVERIFY(shown);
    QSignalSpy built(item(), SIGNAL(nodesChanged()));
    QSignalSpy size(item(), SIGNAL(sourceSizeChanged()));
    QTRY_VERIFY(built.count() >= 1);
    QTRY_VERIFY(size.count() >= 1);
    const QImage image = frame();
    QVERIFY(near(image.pixelColor(50, 50), Qt::white));
}

void tst_SvgItem::nodeRecoloursHidesAndFades()
{
    const bool shown
        = show(
              R"qml(ORBSvgItem { objectName: 'svg'; width: 200; height: 200; source: files + 'shapes.svg'
                      ORBSvgNode { objectName: 'red'; nodeId: 'red' }
                      ORBSvgNode { objectName: 'blue'; nodeId: 'blue' }
                      ORBSvgNode { objectName: 'nothing'; nodeId: 'no-such-id'; fillColor: 'yellow' } })qml")
        != nullptr;
    QVERIFY(shown);
    QTRY_VERIFY(!item()->property("sourceSize").toSizeF().isEmpty());
    frame();
    item("red")->setProperty("fillColor", QColor(Qt::magenta));
    item("blue")->setProperty("visible", false);
    QImage image = frame();
    QVERIFY2(near(image.pixelColor(50, 50), Qt::magenta),
             qPrintable(describe(image.pixelColor(50, 50))));
    QVERIFY(near(image.pixelColor(150, 50), Qt::white));

    item("blue")->setProperty("visible", true);
    item("blue")->setProperty("opacity", 0.5);
    image = frame();
    QVERIFY2(near(image.pixelColor(150, 50), QColor(127, 127, 255), 30),
             qPrintable(describe(image.pixelColor(150, 50))));
    item("blue")->setProperty("opacity", 0.0);
    image = frame();
    QVERIFY(near(image.pixelColor(150, 50), Qt::white));
    QVERIFY(!item("nothing")->property("boundingBox").toRectF().isValid());
}

void tst_SvgItem::nodeFollowsABoundColourFromTheFirstFrame()
{
    const bool shown
        = show(
              R"qml(ORBSvgItem { objectName: 'svg'; width: 200; height: 200; source: files + 'shapes.svg'
                      property color wanted: '#00ffff'
                      ORBSvgNode { nodeId: 'red'; fillColor: parent.wanted } })qml")
        != nullptr;
    QVERIFY(shown);
    QSignalSpy built(item(), SIGNAL(nodesChanged()));
    QTRY_COMPARE(built.count(), 1);
    // The frame of the build already shows the bound colour.
    const QImage image = qobject_cast<QQuickWindow *>(m_window.get())->grabWindow();
    QVERIFY2(near(image.pixelColor(50, 50), Qt::cyan),
             qPrintable(describe(image.pixelColor(50, 50))));
    item()->setProperty("wanted", QColor(Qt::darkRed));
    QVERIFY(near(frame().pixelColor(50, 50), Qt::darkRed));
}

void tst_SvgItem::nodeStartsWithTheDocumentsColourAndReportsItsBox()
{
    const bool shown
        = show(
              R"qml(ORBSvgItem { objectName: 'svg'; width: 200; height: 200; source: files + 'shapes.svg'
                      ORBSvgNode { objectName: 'green'; nodeId: 'green' } })qml")
        != nullptr;
    QVERIFY(shown);
    QSignalSpy colour(item("green"), SIGNAL(fillColorChanged()));
    QSignalSpy box(item("green"), SIGNAL(boundingBoxChanged()));
    QTRY_COMPARE(box.count(), 1);
    QCOMPARE(item("green")->property("fillColor").value<QColor>(), QColor(Qt::green));
    QCOMPARE(item("green")->property("strokeColor").value<QColor>(), QColor(Qt::black));
    QCOMPARE(item("green")->property("boundingBox").toRectF(), QRectF(10, 60, 30, 30));
    QCOMPARE(colour.count(), 0);
}

void tst_SvgItem::nodeMovesElementsAndGroups()
{
    const bool shown
        = show(
              R"qml(ORBSvgItem { objectName: 'svg'; width: 200; height: 200; source: files + 'shapes.svg'
                      ORBSvgNode { objectName: 'red'; nodeId: 'red' }
                      ORBSvgNode { objectName: 'group'; nodeId: 'group' } })qml")
        != nullptr;
    QVERIFY(shown);
    QTRY_VERIFY(!item()->property("sourceSize").toSizeF().isEmpty());
    frame();
    // 10 element units are 20 pixels at this size.
    item("red")->setProperty("x", 10);
    item("group")->setProperty("y", 5);
    QTRY_VERIFY(near(frame().pixelColor(85, 50), Qt::red));
    const QImage image = frame();
    QVERIFY(near(image.pixelColor(25, 50), Qt::white));
    QVERIFY(near(image.pixelColor(150, 24), Qt::white)); // the circle moved down by 10 px
    QVERIFY(near(image.pixelColor(150, 85), Qt::blue));
    QVERIFY(near(image.pixelColor(150, 165), Qt::green)); // and the rect with it
}

void tst_SvgItem::strokeOverridesKeepTheRestOfThePen()
{
    const bool shown
        = show(
              R"qml(ORBSvgItem { objectName: 'svg'; width: 400; height: 400; source: files + 'shapes.svg'
                      ORBSvgNode { objectName: 'dashed'; nodeId: 'dashed' } })qml",
              400, 400)
        != nullptr;
    QVERIFY(shown);
    QTRY_VERIFY(!item()->property("sourceSize").toSizeF().isEmpty());
    auto darkRows = [](const QImage &image, int x) {
        int rows = 0;
        for (int y = 360; y < 400; ++y)
            rows += image.pixelColor(x, y).lightness() < 128;
        return rows;
    };
    QImage image = frame();
    const int thin = darkRows(image, 30); // inside the first dash
    QVERIFY2(thin >= 6 && thin <= 10, qPrintable(QString::number(thin)));
    QCOMPARE(darkRows(image, 50), 0); // inside the first gap
    item("dashed")->property("stroke").value<QObject *>()->setProperty("width", 4.0);
    image = frame();
    const int thick = darkRows(image, 30);
    QVERIFY2(thick >= 14 && thick <= 18, qPrintable(QString::number(thick)));
    QCOMPARE(darkRows(image, 50), 0); // the dashes are still there
}

void tst_SvgItem::gradientAndSolidSwap()
{
    const QString url = writeSvg(
        "gradient.svg", R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
        <linearGradient id="lg"><stop offset="0" stop-color="#000000"/><stop offset="1" stop-color="#ffffff"/></linearGradient>
        <rect id="ramp" x="0" y="0" width="100" height="100" fill="url(#lg)"/></svg>)svg");
    const bool shown
        = show("ORBSvgItem { objectName: 'svg'; width: 200; height: 200; source: '" + url.toUtf8()
               + "'\n ORBSvgNode { objectName: 'ramp'; nodeId: 'ramp' } }")
        != nullptr;
    QVERIFY(shown);
    QTRY_VERIFY(!item()->property("sourceSize").toSizeF().isEmpty());
    // The ramp runs along one axis of the shape (which one the shader decides).
    auto spread = [](const QImage &image) {
        const int lightness[]
            = {image.pixelColor(30, 100).lightness(), image.pixelColor(170, 100).lightness(),
               image.pixelColor(100, 30).lightness(), image.pixelColor(100, 170).lightness()};
        return *std::max_element(std::begin(lightness), std::end(lightness))
            - *std::min_element(std::begin(lightness), std::end(lightness));
    };
    QImage image = frame();
    QVERIFY2(spread(image) > 60, qPrintable(QString::number(spread(image))));
    item("ramp")->setProperty("fillColor", QColor(Qt::red));
    image = frame();
    QVERIFY(near(image.pixelColor(30, 100), Qt::red) && near(image.pixelColor(170, 100), Qt::red));
    QVERIFY(near(image.pixelColor(100, 30), Qt::red) && near(image.pixelColor(100, 170), Qt::red));
    // A gradient override brings the element's gradient back.
    item("ramp")->property("fillGradient").value<QObject *>()->setProperty("end", QPointF(1, 0));
    image = frame();
    QVERIFY2(spread(image) > 60, qPrintable(QString::number(spread(image))));
}

void tst_SvgItem::documentsShareTextures()
{
    const QByteArray star
        = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
          "<path d='M5 0 L6 4 L10 4 L7 6 L8 10 L5 7 L2 10 L3 6 L0 4 L4 4 Z' fill='%1'/></svg>";
    const QString a = writeSvg("star-a.svg", QByteArray(star).replace("%1", "red"));
    const QString b = writeSvg("star-b.svg", QByteArray(star).replace("%1", "blue"));
    orbtest::MessageCapture messages;
    const bool shown
        = show("Row { ORBSvgItem { objectName: 'a'; width: 50; height: 50; source: '" + a.toUtf8()
               + "' }\n ORBSvgItem { objectName: 'b'; width: 50; height: 50; source: '" + b.toUtf8()
               + "' } }")
        != nullptr;
    QVERIFY(shown);
    QTRY_VERIFY(!item("a")->property("sourceSize").toSizeF().isEmpty());
    QTRY_VERIFY(!item("b")->property("sourceSize").toSizeF().isEmpty());
    frame();
    int created = 0;
    for (const QString &message : messages.messages())
        created += message.contains(QLatin1String("Creating texture for"));
    // One field for the star's fill, one for its (invisible) default stroke at most.
    QVERIFY2(created >= 1 && created <= 2, qPrintable(QString::number(created)));
}

// Windows share GL objects only with Qt::AA_ShareOpenGLContexts, which this
// test leaves unset: the fields one engine made for its first window cannot be
// bound in its second, which then draws nothing (never stray quads) and says
// why once.
void tst_SvgItem::secondWindowWithoutSharedContextDrawsNothing()
{
    const QByteArray itemQml = "ORBSvgItem { objectName: 'svg'; width: 200; height: 200; source: "
                               "files + 'shapes.svg' }";
    QVERIFY(show(itemQml));
    QTRY_COMPARE(item()->property("sourceSize").toSizeF(), QSizeF(100, 100));
    QVERIFY(near(frame().pixelColor(50, 50), Qt::red));

    orbtest::MessageCapture messages;
    std::unique_ptr<QObject> secondObject(orbtest::createWindow(*m_engine, 200, 200, itemQml));
    auto *second = qobject_cast<QQuickWindow *>(secondObject.get());
    QVERIFY(second);
    int frames = 0;
    connect(second, &QQuickWindow::frameSwapped, this, [&frames] { ++frames; });
    for (int pass = 0; pass < 3; ++pass) {
        const int seen = frames;
        second->update();
        QTRY_VERIFY(frames > seen);
    }
    const QImage image = second->grabWindow();
    for (const QPoint &p : {QPoint(50, 50), QPoint(150, 50), QPoint(5, 5), QPoint(150, 150)})
        QVERIFY2(near(image.pixelColor(p), Qt::white), qPrintable(describe(image.pixelColor(p))));
    int warnings = 0;
    for (const QString &message : messages.messages())
        warnings += message.contains(QLatin1String("Qt::AA_ShareOpenGLContexts"));
    QCOMPARE(warnings, 1);
}

void tst_SvgItem::edgesStayCrispAtEightTimes()
{
    // Edges off the pixel grid at both sizes, so that neither is sharp by luck.
    const QString url
        = writeSvg("square.svg",
                   "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 20 20'>"
                   "<rect x='5.3' y='5.3' width='10' height='10' fill='black'/></svg>");
    // How many pixels across the left edge are neither white nor black.
    auto edgeWidth = [](const QImage &image, int y, int from, int to) {
        int soft = 0;
        for (int x = from; x < to; ++x) {
            const int l = image.pixelColor(x, y).lightness();
            soft += l > 30 && l < 225;
        }
        return soft;
    };
    const bool shown = show("ORBSvgItem { objectName: 'svg'; width: 40; height: 40; source: '"
                                + url.toUtf8() + "' }",
                            40, 40)
        != nullptr;
    QVERIFY(shown);
    QTRY_VERIFY(!item()->property("sourceSize").toSizeF().isEmpty());
    const int small = edgeWidth(frame(), 20, 2, 18);
    const bool shownLarge
        = show("ORBSvgItem { objectName: 'svg'; width: 320; height: 320; source: '" + url.toUtf8()
                   + "' }",
               320, 320)
        != nullptr;
    QVERIFY(shownLarge);
    QTRY_VERIFY(!item()->property("sourceSize").toSizeF().isEmpty());
    const int large = edgeWidth(frame(), 160, 40, 120);
    QVERIFY2(small >= 1 && large <= small + 1,
             qPrintable(QStringLiteral("1x: %1 px, 8x: %2 px").arg(small).arg(large)));
}

void tst_SvgItem::hostileDocuments()
{
    QByteArray many = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 100 100'>";
    // Ten thousand elements over one outline: the node count is hostile, the
    // field generation (one field) is not what this is about.
    for (int i = 0; i < 10000; ++i)
        many += "<rect transform='translate(" + QByteArray::number(i % 100) + ","
            + QByteArray::number(i / 100) + ")' width='1' height='1' fill='red'/>";
    many += "</svg>";
    const QString manyUrl = writeSvg("many.svg", many);
    const QString degenerate
        = writeSvg("degenerate.svg",
                   "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
                   "<rect width='0' height='0'/><circle r='0'/><path d='M1 1 L1 1'/>"
                   "<polygon points='2,2 2,2 2,2'/><rect x='2' y='2' width='6' height='6' "
                   "fill='blue'/></svg>");
    const bool shown
        = show("Row { ORBSvgItem { objectName: 'a'; width: 100; height: 100; source: '"
                   + degenerate.toUtf8()
                   + "' }\n ORBSvgItem { objectName: 'b'; width: 400; height: 400; source: '"
                   + manyUrl.toUtf8() + "' } }",
               500, 400)
        != nullptr;
    QVERIFY(shown);
    QTRY_VERIFY(!item("a")->property("sourceSize").toSizeF().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!item("b")->property("sourceSize").toSizeF().isEmpty(), 60000);
    const QImage image = frame();
    QVERIFY(near(image.pixelColor(50, 50), Qt::blue));
    // Abutting squares leave faint seams: judge the area, not one pixel.
    int red = 0;
    for (int y = 100; y < 300; ++y)
        for (int x = 200; x < 400; ++x)
            red += near(image.pixelColor(x, y), Qt::red, 60);
    QVERIFY2(red > 200 * 200 * 3 / 4, qPrintable(QString::number(red)));
}

void tst_SvgItem::sourceChangingEveryFrame()
{
    const bool shown = show(R"qml(ORBSvgItem { objectName: 'svg'; width: 100; height: 100
                      property int flips: 0
                      source: files + (flips % 2 ? 'shapes.svg' : 'missing.svg') })qml")
        != nullptr;
    QVERIFY(shown);
    auto *window = qobject_cast<QQuickWindow *>(m_window.get());
    connect(
        window, &QQuickWindow::frameSwapped, item(),
        [this, window] {
            item()->setProperty("flips", item()->property("flips").toInt() + 1);
            // Two flips can land between frames and cancel out; a frame must follow anyway.
            window->update();
        },
        Qt::QueuedConnection);
    // The GUI thread stays responsive while the tree is rebuilt every frame.
    QElapsedTimer timer;
    timer.start();
    QTRY_VERIFY_WITH_TIMEOUT(item()->property("flips").toInt() > 30, 30000);
    QVERIFY(timer.elapsed() < 30000);
}

int main(int argc, char *argv[])
{
    // A cache folder of this run's own: no fields from earlier runs, none left behind.
    QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    tst_SvgItem test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_svgitem.moc"
