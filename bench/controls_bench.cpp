// The control library against stock Qt Quick: how long 500 bound knobs take
// to create and show (simple layer; SVG layer with one knob artwork; and,
// to see what those are made of, no layer and the bare basic layer) next to
// 500 Qt Quick Controls 2 dials, and the frame time of 200 meters with their
// volume animated every frame next to 200 clipped rectangles. Prints its
// ratios on lines of their own.

#include "BenchStatistics.h"
#include "SvgBenchApplication.h"
#include "orbHostEnvironment.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QMutex>
#include <QtCore/QSet>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Rounds = 7;
constexpr int MeasuredFrames = 300;

const QByteArray Imports = "import QtQuick 2.15\n"
                           "import QtQuick.Window 2.15\n"
                           "import QtQuick.Controls 2.15\n"
                           "import orbQuick 1.0\n"
                           "import RorazIde 1.0\n"
                           "import \"qrc:/Libs/orbQuick/Windows/MainWindow\"\n"
                           "import \"qrc:/Libs/orbQuick/Controls/Knobs\"\n"
                           "import \"qrc:/Libs/orbQuick/Controls/Knobs/Basic\"\n"
                           "import \"qrc:/Libs/orbQuick/Controls/Meter\"\n";

// The host document: its translator is what every control binds to, and its
// volume runs from 0 to 1 and back for as long as `animate` is set.
const QByteArray Host = "Window {\n"
                        " width: 1000; height: 900; visible: true; color: 'black'\n"
                        " property bool animate: false\n"
                        " ORBMainWindow {\n"
                        "  id: root; anchors.fill: parent\n"
                        "  QObjTranslator { id: translator; editable: true; value: 0.4 }\n"
                        "  QObjProperty { id: hostProp; translator: translator }\n"
                        "  NumberAnimation { target: translator; property: 'value'; from: 0; to: "
                        "1; duration: 700; loops: Animation.Infinite; running: animate }\n"
                        " }\n"
                        "}\n";

QByteArray grid(const QByteArray &delegate, int count)
{
    return Imports + "Grid { columns: 25; Repeater { model: " + QByteArray::number(count) + "\n"
        + delegate + "\n} }\n";
}

const QByteArray SimpleKnob = "ORBKnob { width: 40; height: 40; prop: hostProp\n"
                              " ORBSimpleKnobLayer {} }";
// The knob without a layer, and with the layer every other one is built on:
// what the simple layer's ratio is made of.
const QByteArray BareKnob = "ORBKnob { width: 40; height: 40; prop: hostProp }";
const QByteArray BasicLayerKnob = "ORBKnob { width: 40; height: 40; prop: hostProp\n"
                                  " ORBBasicKnobLayer {} }";
const QByteArray SvgKnobDelegate = "ORBKnob { width: 40; height: 40; prop: hostProp\n"
                                   " ORBSvgKnobLayer { width: 40; height: 40\n"
                                   "  content: Component { SvgKnob { width: 40; height: 40 } } } }";
const QByteArray Dial = "Dial { width: 40; height: 40; value: translator.value }";
const QByteArray Meter = "ORBMeter { width: 20; height: 100; pVolume: hostProp\n"
                         " ORBMeterLayer { content: Component { Rectangle { color: 'lime' } } }\n"
                         " ORBPeakMeterLayer { color: 'white' } }";
const QByteArray ClippedRectangle
    = "Item { width: 20; height: 100; clip: true\n"
      " Rectangle { width: 20; height: 100; color: 'lime'; y: (1 - translator.value) * 100 } }";

// CPU time of the calling thread: creation runs on the GUI thread alone, and
// this clock does not count the time other processes hold the CPU.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

class Bench
{
public:
    explicit Bench(orbHostEnvironment &host)
    {
        host.prepare(m_engine);
        QQmlComponent component(&m_engine);
        component.setData(Imports + Host, QUrl(QStringLiteral("file:///bench/Host.qml")));
        m_host.reset(component.create());
        m_window = qobject_cast<QQuickWindow *>(m_host.get());
        if (!m_window) {
            std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
            return;
        }
        // Straight from the render thread: the GUI thread may be busy creating
        // when a frame ends, and a queued note would be stamped too late.
        QObject::connect(
            m_window, &QQuickWindow::afterSynchronizing, m_window, [this] { ++m_syncs; },
            Qt::DirectConnection);
        QObject::connect(
            m_window, &QQuickWindow::frameSwapped, m_window,
            [this] {
                QMutexLocker lock(&m_mutex);
                m_frames.push_back({m_clock.nsecsElapsed() / 1e6, m_syncs.load()});
            },
            Qt::DirectConnection);
        m_clock.start();
        (void)QTest::qWaitFor([&] { return frameCount() >= 3; }, 10000);
    }

    bool isValid() const { return m_window != nullptr; }

    struct Creation
    {
        double create;     // ms to build and complete the objects
        double createCpu;  // of which the GUI thread's CPU time
        double firstFrame; // ms to the end of the first frame that shows them
    };

    Creation create(const QByteArray &qml)
    {
        QQmlComponent component(&m_engine);
        component.setData(qml, QUrl(QStringLiteral("file:///bench/Content.qml")));
        const double start = now();
        const double startCpu = threadCpuMs();
        std::unique_ptr<QObject> content(component.beginCreate(qmlContext(m_host.get())));
        if (!content) {
            std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
            return {0, 0, 0};
        }
        qobject_cast<QQuickItem *>(content.get())->setParentItem(m_window->contentItem());
        component.completeCreate();
        const double created = now();
        const double createdCpu = threadCpuMs();
        // The first synchronisation after this point takes the new items over.
        const int firstSync = m_syncs.load() + 1;
        (void)QTest::qWaitFor([&] { return lastFrame().sync >= firstSync; }, 60000);
        const Creation result{created - start, createdCpu - startCpu, lastFrame().time - start};
        m_content = std::move(content);
        return result;
    }

    void clear()
    {
        m_content.reset();
        m_window->setProperty("animate", false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(50);
        // Each candidate starts on a clean script heap: otherwise the one
        // measured next pays for collecting the garbage of the one before
        // (the dials took 20 ms alone and 35 ms after a round of knobs).
        m_engine.collectGarbage();
    }

    // Median frame interval over MeasuredFrames frames with the volume moving.
    double animatedFrameTime()
    {
        m_window->setProperty("animate", true);
        QTest::qWait(200);
        const size_t from = frameCount();
        (void)QTest::qWaitFor([&] { return frameCount() >= from + MeasuredFrames + 1; }, 300000);
        QMutexLocker lock(&m_mutex);
        std::vector<double> intervals;
        for (size_t i = from + 1; i < from + MeasuredFrames + 1 && i < m_frames.size(); ++i)
            intervals.push_back(m_frames[i].time - m_frames[i - 1].time);
        return median(intervals);
    }

    // Textures rendered offscreen each time their source changes: effect
    // sources on screen or sampled by a shader effect on screen, and layers.
    int offscreenTextures() const
    {
        QSet<const QObject *> sources;
        int layers = 0;
        collectOffscreen(m_window->contentItem(), sources, layers);
        return sources.size() + layers;
    }

private:
    struct Frame
    {
        double time; // ms since the start, when the frame was swapped
        int sync;    // the synchronisations before it
    };

    double now() const { return m_clock.nsecsElapsed() / 1e6; }
    size_t frameCount() const
    {
        QMutexLocker lock(&m_mutex);
        return m_frames.size();
    }
    Frame lastFrame() const
    {
        QMutexLocker lock(&m_mutex);
        return m_frames.empty() ? Frame{0, 0} : m_frames.back();
    }

    static void collectOffscreen(QQuickItem *item, QSet<const QObject *> &sources, int &layers)
    {
        if (!item->isVisible())
            return;
        if (item->inherits("QQuickShaderEffectSource"))
            sources.insert(item);
        if (item->inherits("QQuickShaderEffect")) {
            const QMetaObject *meta = item->metaObject();
            for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
                const QObject *input = meta->property(i).read(item).value<QObject *>();
                if (input && input->inherits("QQuickShaderEffectSource"))
                    sources.insert(input);
            }
        }
        const QObject *layer = item->property("layer").value<QObject *>();
        if (layer && layer->property("enabled").toBool())
            ++layers;
        for (QQuickItem *child : item->childItems())
            collectOffscreen(child, sources, layers);
    }

    QQmlEngine m_engine;
    std::unique_ptr<QObject> m_host;
    std::unique_ptr<QObject> m_content;
    QQuickWindow *m_window = nullptr;
    QElapsedTimer m_clock;
    std::atomic<int> m_syncs{0};
    mutable QMutex m_mutex;
    std::vector<Frame> m_frames; // guarded by m_mutex
};

} // namespace

int main(int argc, char *argv[])
{
    SvgBenchApplication app(argc, argv);
    Bench bench(app.host());
    if (!bench.isValid())
        return 1;

    struct Candidate
    {
        const char *name;
        QByteArray qml;
        std::vector<double> create;
        std::vector<double> createCpu;
        std::vector<double> shown;
    };
    std::vector<Candidate> candidates{{"dial", grid(Dial, 500), {}, {}, {}},
                                      {"knob simple", grid(SimpleKnob, 500), {}, {}, {}},
                                      {"knob svg", grid(SvgKnobDelegate, 500), {}, {}, {}},
                                      {"knob bare", grid(BareKnob, 500), {}, {}, {}},
                                      {"knob basic layer", grid(BasicLayerKnob, 500), {}, {}, {}}};
    for (int round = 0; round < Rounds; ++round) {
        for (Candidate &candidate : candidates) {
            const Bench::Creation c = bench.create(candidate.qml);
            bench.clear();
            candidate.create.push_back(c.create);
            candidate.createCpu.push_back(c.createCpu);
            candidate.shown.push_back(c.firstFrame);
        }
    }
    for (const Candidate &candidate : candidates)
        std::printf("controls 500 %s: create %.1f ms (%.1f ms CPU), to first frame %.1f ms (median "
                    "of %d)\n",
                    candidate.name, median(candidate.create), median(candidate.createCpu),
                    median(candidate.shown), Rounds);
    const double dialCreate = median(candidates[0].create);
    const double dialShown = median(candidates[0].shown);
    std::printf("controls knob-simple/dial creation ratio: %.2f\n",
                median(candidates[1].create) / dialCreate);
    const double dialCreateCpu = median(candidates[0].createCpu);
    std::printf("controls knob-simple/dial creation CPU-time ratio: %.2f\n",
                median(candidates[1].createCpu) / dialCreateCpu);
    std::printf("controls knob-simple/dial to-first-frame ratio: %.2f\n",
                median(candidates[1].shown) / dialShown);
    std::printf("controls knob-svg/dial creation ratio: %.2f\n",
                median(candidates[2].create) / dialCreate);
    std::printf("controls knob-svg/dial creation CPU-time ratio: %.2f\n",
                median(candidates[2].createCpu) / dialCreateCpu);
    std::printf("controls knob-svg/dial to-first-frame ratio: %.2f\n",
                median(candidates[2].shown) / dialShown);
    std::printf("controls knob-bare/dial creation CPU-time ratio: %.2f\n",
                median(candidates[3].createCpu) / dialCreateCpu);
    std::printf("controls knob-basic-layer/dial creation CPU-time ratio: %.2f\n",
                median(candidates[4].createCpu) / dialCreateCpu);

    bench.create(grid(ClippedRectangle, 200));
    const double rectangles = bench.animatedFrameTime();
    bench.clear();
    bench.create(grid(Meter, 200));
    const int textures = bench.offscreenTextures();
    const double meters = bench.animatedFrameTime();
    bench.clear();
    std::printf("controls 200 meters: median frame %.2f ms over %d frames, clipped rectangles "
                "%.2f ms; offscreen textures of the meters: %d\n",
                meters, MeasuredFrames, rectangles, textures);
    std::printf("controls meters/clipped-rectangles frame time ratio: %.2f\n", meters / rectangles);
    return 0;
}
