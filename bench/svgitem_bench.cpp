// ORBSvgItem on screen: how long from setting a source to its first frame
// with an empty cache, a warm cache (fields read from disk) and the fields in
// memory; and the frame time of 100 items whose ORBSvgNodes animate, against
// the same scene at rest. Prints its ratios on lines of their own.

#include "orbHostEnvironment.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QLoggingCategory>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int ShapeCount = 300;

// A document of ShapeCount distinct shapes: rectangles, circles, ellipses,
// polygons and paths; solid and gradient fills; some strokes.
QByteArray artwork()
{
    QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 400 400'>"
                     "<linearGradient id='lg'><stop offset='0' stop-color='#102030'/>"
                     "<stop offset='1' stop-color='#f0e0d0'/></linearGradient>"
                     "<radialGradient id='rg'><stop offset='0' stop-color='white'/>"
                     "<stop offset='1' stop-color='#3060c0'/></radialGradient>";
    for (int i = 0; i < ShapeCount; ++i) {
        const QByteArray x = QByteArray::number((i % 20) * 20 + 2);
        const QByteArray y = QByteArray::number((i / 20) * 26 + 2);
        const QByteArray size = QByteArray::number(8 + i % 9);
        const QByteArray fill = i % 7 == 0 ? "url(#lg)"
            : i % 11 == 0
            ? "url(#rg)"
            : "#" + QByteArray::number(0x203040 + i * 4001 % 0xdfdfdf, 16).rightJustified(6, '0');
        const QByteArray stroke = i % 3 == 0 ? " stroke='black' stroke-width='1.5'" : "";
        const QByteArray id = " id='s" + QByteArray::number(i) + "'";
        switch (i % 5) {
        case 0:
            svg += "<rect" + id + " x='" + x + "' y='" + y + "' width='" + size + "' height='"
                + QByteArray::number(6 + i % 13) + "' fill='" + fill + "'" + stroke + "/>";
            break;
        case 1:
            svg += "<circle" + id + " cx='" + x + "' cy='" + y + "' r='"
                + QByteArray::number(3 + i % 7) + "' fill='" + fill + "'" + stroke + "/>";
            break;
        case 2:
            svg += "<ellipse" + id + " cx='" + x + "' cy='" + y + "' rx='" + size + "' ry='"
                + QByteArray::number(2 + i % 5) + "' fill='" + fill + "'" + stroke + "/>";
            break;
        case 3:
            svg += "<polygon" + id + " points='" + x + "," + y + " "
                + QByteArray::number(x.toInt() + 9) + "," + y + " "
                + QByteArray::number(x.toInt() + 4 + i % 4) + ","
                + QByteArray::number(y.toInt() + 12) + "' fill='" + fill + "'" + stroke + "/>";
            break;
        default:
            svg += "<path" + id + " d='M" + x + " " + y + " c 4 -" + QByteArray::number(3 + i % 6)
                + " 10 0 12 " + QByteArray::number(4 + i % 8) + " s -6 6 -12 2 z' fill='" + fill
                + "'" + stroke + "/>";
            break;
        }
    }
    return svg + "</svg>";
}

class Scene
{
public:
    Scene(orbHostEnvironment &host, const QByteArray &qml)
    {
        host.prepare(m_engine);
        QQmlComponent component(&m_engine);
        component.setData(
            "import QtQuick 2.15\nimport QtQuick.Window 2.15\nimport orbQuick 1.0\n" + qml, QUrl());
        m_object.reset(component.create());
        m_window = qobject_cast<QQuickWindow *>(m_object.get());
        if (!m_window)
            std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        else
            QObject::connect(
                m_window, &QQuickWindow::frameSwapped, m_window,
                [this] { m_frameTimes.push_back(m_clock.nsecsElapsed() / 1e6); },
                Qt::QueuedConnection);
        m_clock.start();
    }
    ~Scene() { m_object.reset(); }

    QQuickWindow *window() const { return m_window; }
    QQuickItem *item(const char *name) const { return m_window->findChild<QQuickItem *>(name); }
    const std::vector<double> &frameTimes() const { return m_frameTimes; }
    double now() const { return m_clock.nsecsElapsed() / 1e6; }

    // Milliseconds from now to the end of the first frame that shows a tree built for item.
    double timeToFirstFrame(QQuickItem *svg, const QUrl &source)
    {
        const double start = now();
        const size_t before = m_frameTimes.size();
        svg->setProperty("source", source);
        (void)QTest::qWaitFor([&] { return !svg->property("sourceSize").toSizeF().isEmpty(); },
                              120000);
        // The frame that built the tree swaps after the size is known.
        (void)QTest::qWaitFor([&] { return m_frameTimes.size() > before; }, 10000);
        return m_frameTimes.back() - start;
    }

private:
    QQmlEngine m_engine;
    std::unique_ptr<QObject> m_object;
    QQuickWindow *m_window = nullptr;
    QElapsedTimer m_clock;
    std::vector<double> m_frameTimes;
};

double medianInterval(const std::vector<double> &times, size_t from)
{
    std::vector<double> intervals;
    for (size_t i = from + 1; i < times.size(); ++i)
        intervals.push_back(times[i] - times[i - 1]);
    if (intervals.empty())
        return 0;
    std::nth_element(intervals.begin(), intervals.begin() + intervals.size() / 2, intervals.end());
    return intervals[intervals.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toLocal8Bit()); // an empty cache to start from
    QGuiApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("orb.svg.warning=false"));
    orbHostEnvironment host(app);

    QTemporaryDir files;
    QFile file(files.filePath(QStringLiteral("artwork.svg")));
    file.open(QIODevice::WriteOnly);
    file.write(artwork());
    file.close();
    const QUrl source = QUrl::fromLocalFile(file.fileName());
    const QByteArray single = "Window { width: 400; height: 400; visible: true; color: 'white'\n"
                              "  ORBSvgItem { objectName: 'a'; width: 400; height: 400 }\n"
                              "  ORBSvgItem { objectName: 'b'; width: 400; height: 400 } }";

    double empty = 0;
    double inMemory = 0;
    {
        Scene scene(host, single);
        (void)QTest::qWaitFor([&] { return !scene.frameTimes().empty(); }, 10000);
        empty = scene.timeToFirstFrame(scene.item("a"), source);
        inMemory = scene.timeToFirstFrame(scene.item("b"), source); // same engine, same cache
    } // the engine's end saves the cache
    double warm = 0;
    {
        Scene scene(host, single);
        (void)QTest::qWaitFor([&] { return !scene.frameTimes().empty(); }, 10000);
        warm = scene.timeToFirstFrame(scene.item("a"), source);
    }
    std::printf("svgitem %d shapes, first frame: empty cache %.1f ms, warm cache %.1f ms, in "
                "memory %.1f ms\n",
                ShapeCount, empty, warm, inMemory);
    std::printf("svgitem first frame empty-cache/in-memory ratio: %.1f\n", empty / inMemory);
    std::printf("svgitem first frame warm-cache/in-memory ratio: %.1f\n", warm / inMemory);

    // 100 items; each rotates one element and recolours another, or rests.
    const auto grid = [&](bool animate) {
        return "Window { width: 1000; height: 1000; visible: true; color: 'white'\n"
               " property bool animate: "
            + QByteArray(animate ? "true" : "false")
            + "\n"
              " Grid { columns: 10; Repeater { model: 100\n"
              "  ORBSvgItem { width: 100; height: 100; source: '"
            + source.toString().toUtf8()
            + "'\n"
              "   ORBSvgNode { nodeId: 's5'; width: 40; height: 40\n"
              "    RotationAnimation on rotation { running: animate; from: 0; to: 360; duration: "
              "2000; loops: Animation.Infinite } }\n"
              "   ORBSvgNode { nodeId: 's8'\n"
              "    ColorAnimation on fillColor { running: animate; from: 'red'; to: 'blue'; "
              "duration: 2000; loops: Animation.Infinite } }\n"
              "  } } } }";
    };
    const auto frameTime = [&](bool animate) {
        Scene scene(host, grid(animate));
        (void)QTest::qWaitFor([&] { return scene.frameTimes().size() >= 5; }, 60000);
        const size_t from = scene.frameTimes().size();
        // At rest the scene only draws when asked: ask for every frame.
        QObject ticker;
        QObject::connect(
            scene.window(), &QQuickWindow::frameSwapped, &ticker, [&] { scene.window()->update(); },
            Qt::QueuedConnection);
        scene.window()->update();
        (void)QTest::qWaitFor([&] { return scene.frameTimes().size() >= from + 15; }, 120000);
        return medianInterval(scene.frameTimes(), from);
    };
    const double resting = frameTime(false);
    const double animating = frameTime(true);
    std::printf("svgitem 100 items: frame %.1f ms at rest, %.1f ms animating\n", resting,
                animating);
    std::printf("svgitem animated/resting frame time ratio: %.2f\n", animating / resting);
    return 0;
}
