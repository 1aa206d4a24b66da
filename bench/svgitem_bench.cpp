// ORBSvgItem on screen: how long from setting a source to its first frame
// with an empty cache, a warm cache (fields read from disk) and the fields in
// memory; and the frame time of 100 items whose ORBSvgNodes animate, against
// the same scene at rest. Prints its ratios on lines of their own.

#include "BenchWait.h"
#include "SvgBenchApplication.h"
#include "SvgBenchScene.h"
#include "orbHostEnvironment.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QStandardPaths>
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
    SvgBenchApplication app(argc, argv); // an empty cache to start from
    orbHostEnvironment &host = app.host();
    const QUrl source = app.writeArtwork(ShapeCount);
    const QByteArray single = "Window { width: 400; height: 400; visible: true; color: 'white'\n"
                              "  ORBSvgItem { objectName: 'a'; width: 400; height: 400 }\n"
                              "  ORBSvgItem { objectName: 'b'; width: 400; height: 400 } }";

    double empty = 0;
    double inMemory = 0;
    {
        SvgBenchScene scene(host, single);
        (void)benchWaitFor([&] { return !scene.frameTimes().empty(); }, 10000);
        empty = scene.timeToFirstFrame(scene.item("a"), source);
        inMemory = scene.timeToFirstFrame(scene.item("b"), source); // same engine, same cache
    } // the engine's end saves the cache
    double warm = 0;
    {
        SvgBenchScene scene(host, single);
        (void)benchWaitFor([&] { return !scene.frameTimes().empty(); }, 10000);
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
        SvgBenchScene scene(host, grid(animate));
        (void)benchWaitFor([&] { return scene.frameTimes().size() >= 5; }, 60000);
        const size_t from = scene.frameTimes().size();
        // At rest the scene only draws when asked: ask for every frame.
        QObject ticker;
        QObject::connect(
            scene.window(), &QQuickWindow::frameSwapped, &ticker, [&] { scene.window()->update(); },
            Qt::QueuedConnection);
        scene.window()->update();
        (void)benchWaitFor([&] { return scene.frameTimes().size() >= from + 15; }, 120000);
        return medianInterval(scene.frameTimes(), from);
    };
    const double resting = frameTime(false);
    const double animating = frameTime(true);
    std::printf("svgitem 100 items: frame %.1f ms at rest, %.1f ms animating\n", resting,
                animating);
    std::printf("svgitem animated/resting frame time ratio: %.2f\n", animating / resting);
    return 0;
}
