// ORBColumnView against Qt Quick's ListView (reuseItems, a Row of cells) and
// TableView (one cell per column) over one computed 8-column table model, in
// windows of 1280 × 800 with rows of 20 px and the same cell (a rectangle
// holding a text). Every view runs in a process of its own, so that neither
// the heap nor the caches of one leak into the figures of another; the frame
// drive is split into rounds in which the views take turns, so that other
// work on the machine slows them alike:
//   - frame time: 600 frames scrolled 60 px each, and 30 wheel events of one
//     notch with the frames they cause; each frame timed from the start of
//     its GUI work to frameSwapped, median and p95;
//   - frames that showed an on-screen row not yet placed or filled;
//   - time to the first frame showing every visible row filled, from more
//     processes than the others for the two views it compares;
//   - peak resident memory after 200 jumps over the whole list, for 100 000
//     and 1 000 000 rows, and what the view adds above an empty window;
//   - asynchronous reads: the slow model (2 ms a row) against the fast one,
//     and how many model reads the GUI thread made while it scrolled.
// Prints ratios (smaller is better), each value last on its line.

#include "BenchStatistics.h"
#include "orbHostEnvironment.h"

#include <QtCore/QAbstractTableModel>
#include <QtCore/QAtomicInteger>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRandomGenerator>
#include <QtCore/QThread>
#include <QtGui/QGuiApplication>
#include <QtGui/QSurfaceFormat>
#include <QtGui/QWheelEvent>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <numeric>
#include <vector>

namespace {

constexpr int WindowWidth = 1280;
constexpr int WindowHeight = 800;
constexpr int RowHeight = 20;
constexpr int Columns = 8;
constexpr int CellWidth = WindowWidth / Columns;
constexpr int FlickFrames = 600;
// The views take turns in rounds of processes, each round a third of the
// drive, so that a machine busy with other work slows every view alike.
constexpr int Rounds = 3;
constexpr double FlickStep = 60.0;
// Processes per round that time only the first frame, for each of the
// column view and ListView on the fast model.
constexpr int ExtraFirstFrames = 2;
constexpr int WheelEvents = 30;
constexpr int WheelSettleFrames = 300;
constexpr int Jumps = 200;
constexpr int ManyRows = 1000000;
constexpr int FewerRows = 100000;
constexpr unsigned long SlowRowMicroseconds = 2000;

// ---- Model --------------------------------------------------------------------

// Nothing stored per row: every value is computed from its row and column.
// Roles c0..c7 live on column 0 (what ORBColumnView and ListView read); the
// display role per column serves TableView. Slow, a row costs 2 ms whichever
// way it is read. Counts the reads made on the GUI thread. Safe to read from
// any thread: it holds no state but atomics.
class ComputedTableModel : public QAbstractTableModel
{
public:
    ComputedTableModel(int rows, bool slow)
        : m_rows(rows)
        , m_slow(slow)
    {
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rows;
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : Columns;
    }
    QHash<int, QByteArray> roleNames() const override
    {
        QHash<int, QByteArray> names{{Qt::DisplayRole, "display"}};
        for (int c = 0; c < Columns; ++c)
            names.insert(Qt::UserRole + 1 + c, "c" + QByteArray::number(c));
        return names;
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        countRead();
        if (m_slow)
            QThread::usleep(SlowRowMicroseconds / Columns);
        if (role == Qt::DisplayRole)
            return text(index.row(), index.column());
        const int column = role - Qt::UserRole - 1;
        if (index.column() != 0 || column < 0 || column >= Columns)
            return {};
        return text(index.row(), column);
    }
    QMap<int, QVariant> itemData(const QModelIndex &index) const override
    {
        countRead();
        if (m_slow)
            QThread::usleep(SlowRowMicroseconds);
        QMap<int, QVariant> values;
        for (int c = 0; c < Columns; ++c)
            values.insert(Qt::UserRole + 1 + c, text(index.row(), c));
        return values;
    }

    void resetGuiThreadReads() { m_guiThreadReads.storeRelaxed(0); }
    int guiThreadReads() const { return m_guiThreadReads.loadRelaxed(); }

private:
    static QString text(int row, int column)
    {
        return QStringLiteral("%1:%2").arg(row).arg(column);
    }
    void countRead() const
    {
        if (QThread::currentThread() == qApp->thread())
            m_guiThreadReads.fetchAndAddRelaxed(1);
    }

    int m_rows;
    bool m_slow;
    mutable QAtomicInteger<int> m_guiThreadReads{0};
};

// ---- Views --------------------------------------------------------------------

enum class ViewKind { Column, List, Table };

struct Scenario
{
    ViewKind view = ViewKind::Column;
    bool slow = false;
    bool async = false;
    int rows = ManyRows;
    // Also 30 wheel notches (the ratios read them from two views only).
    bool wheel = false;
    int round = 0;
};

const char *const CellBody = "color: 'white'; Text { anchors.verticalCenter: parent.verticalCenter;"
                             " x: 4; text: ";

QByteArray columnViewQml(bool async)
{
    QByteArray columns;
    for (int c = 0; c < Columns; ++c) {
        columns += (c ? ",\n" : "") + QByteArray("ORBColumnViewColumn { role: 'c")
            + QByteArray::number(c) + "'; width: " + QByteArray::number(CellWidth)
            + "; delegate: cell }";
    }
    // The cells fill the row; like ListView's Row, the row draws nothing itself.
    return "ORBColumnView { objectName: 'view'; width: " + QByteArray::number(WindowWidth)
        + "; height: " + QByteArray::number(WindowHeight) + "; model: m; asynchronous: "
        + (async ? "true" : "false") + "\n Component { id: cell; ORBColumnViewCell { " + CellBody
        + "cellData === undefined ? '' : cellData } } }\n"
          " rowDelegate: ORBColumnViewRow { color: 'transparent'; defaultHeight: "
        + QByteArray::number(RowHeight) + "; selectedHeight: " + QByteArray::number(RowHeight)
        + " }\n columns: [" + columns + "] }";
}

QByteArray listViewQml()
{
    QByteArray cells;
    for (int c = 0; c < Columns; ++c) {
        cells += "Rectangle { width: " + QByteArray::number(CellWidth)
            + "; height: " + QByteArray::number(RowHeight) + "; " + CellBody + "model.c"
            + QByteArray::number(c) + " } }\n";
    }
    return "ListView { objectName: 'view'; width: " + QByteArray::number(WindowWidth)
        + "; height: " + QByteArray::number(WindowHeight)
        + "; model: m; reuseItems: true\n delegate: Row {\n" + cells + "} }";
}

QByteArray tableViewQml()
{
    return "TableView { objectName: 'view'; width: " + QByteArray::number(WindowWidth)
        + "; height: " + QByteArray::number(WindowHeight)
        + "; model: m\n delegate: Rectangle { implicitWidth: " + QByteArray::number(CellWidth)
        + "; implicitHeight: " + QByteArray::number(RowHeight) + "; " + CellBody + "display } } }";
}

QByteArray viewQml(const Scenario &s)
{
    switch (s.view) {
    case ViewKind::Column:
        return columnViewQml(s.async);
    case ViewKind::List:
        return listViewQml();
    case ViewKind::Table:
        return tableViewQml();
    }
    return {};
}

// ---- Measuring ----------------------------------------------------------------

// kB from /proc/self/status ("VmRSS", "VmHWM").
double statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field)) + 1).trimmed().split(' ').first().toDouble();
    }
    return 0;
}

// CPU time of every thread of this process (the GUI thread, the pool and the
// software rasteriser's), in ms: what the machine's other work cannot inflate.
double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec * 1e-6;
}

void collectTexts(QQuickItem *item, std::vector<QQuickItem *> &texts)
{
    if (!item->isVisible())
        return;
    if (item->inherits("QQuickText"))
        texts.push_back(item);
    for (QQuickItem *child : item->childItems())
        collectTexts(child, texts);
}

// An empty window of the benchmark's size; the view goes in later, so that
// what the window alone costs can be read first.
class Scene
{
public:
    Scene(QQmlEngine &engine, ComputedTableModel &model)
        : m_engine(engine)
    {
        engine.rootContext()->setContextProperty(QStringLiteral("m"), &model);
        QQmlComponent component(&engine);
        component.setData("import QtQuick 2.15\nimport QtQuick.Window 2.15\n"
                          "Window { color: 'white'; visible: true; width: "
                              + QByteArray::number(WindowWidth)
                              + "; height: " + QByteArray::number(WindowHeight) + " }",
                          QUrl());
        m_window.reset(qobject_cast<QQuickWindow *>(component.create()));
        if (!m_window) {
            std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
            return;
        }
        QObject::connect(m_window.get(), &QQuickWindow::frameSwapped, m_window.get(),
                         [this] { m_swaps.push_back(now()); });
        m_clock.start();
        (void)QTest::qWaitForWindowExposed(m_window.get(), 10000);
        nextFrame();
    }

    bool isValid() const { return m_window != nullptr; }

    // The view's QML compiled first, so that creating it is what is timed.
    bool prepareView(const QByteArray &qml)
    {
        m_component = std::make_unique<QQmlComponent>(&m_engine);
        m_component->setData("import QtQuick 2.15\nimport orbQuick 1.0\n" + qml, QUrl());
        if (m_component->isError())
            std::fprintf(stderr, "%s\n", qPrintable(m_component->errorString()));
        return m_component->isReady();
    }
    bool createView()
    {
        QObject *object = m_component->beginCreate(m_engine.rootContext());
        m_view.reset(qobject_cast<QQuickItem *>(object));
        if (!m_view) {
            delete object;
            return false;
        }
        m_view->setParentItem(m_window->contentItem());
        m_component->completeCreate();
        return true;
    }
    QQuickItem *view() const { return m_view.get(); }
    QQuickWindow *window() const { return m_window.get(); }

    double now() const { return m_clock.nsecsElapsed() * 1e-6; }
    // Renders one frame; returns the time it swapped, in ms.
    double nextFrame()
    {
        const size_t before = m_swaps.size();
        m_window->update();
        while (m_swaps.size() == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return m_swaps.back();
    }
    // One frame per step: from the start of the step to the swap, in ms.
    std::vector<double> frameTimes(int frames, const std::function<void(int)> &step,
                                   const std::function<void()> &afterFrame = {})
    {
        std::vector<double> times;
        times.reserve(size_t(frames));
        for (int f = 0; f < frames; ++f) {
            const double start = now();
            step(f);
            times.push_back(nextFrame() - start);
            if (afterFrame)
                afterFrame();
        }
        return times;
    }

    // Every row with its top inside the window is placed at its place and
    // shows all its cells' texts ("row:column").
    bool allRowsOnScreenFilled(int rowCount) const
    {
        const double contentY = m_view->property("contentY").toDouble();
        const int first = int(contentY / RowHeight);
        const int last = std::min(rowCount - 1, int((contentY + WindowHeight - 1) / RowHeight));
        std::vector<QQuickItem *> texts;
        collectTexts(m_view.get(), texts);
        std::map<int, int> filled;
        for (QQuickItem *text : texts) {
            const QStringList parts = text->property("text").toString().split(QLatin1Char(':'));
            if (parts.size() != 2)
                continue;
            const int row = parts[0].toInt();
            const double y = text->mapToItem(m_view.get(), QPointF(0, text->height() / 2)).y();
            const double expected = row * RowHeight - contentY + RowHeight / 2.0;
            if (row >= first && row <= last && std::abs(y - expected) < 1.0)
                ++filled[row];
        }
        for (int row = first; row <= last; ++row) {
            if (filled[row] < Columns)
                return false;
        }
        return true;
    }

private:
    QQmlEngine &m_engine;
    std::unique_ptr<QQuickWindow> m_window;
    std::unique_ptr<QQmlComponent> m_component;
    std::unique_ptr<QQuickItem> m_view;
    QElapsedTimer m_clock;
    std::vector<double> m_swaps;
};

void report(const char *key, double value)
{
    std::printf("%s %.4f\n", key, value);
}

void reportEach(const char *key, const std::vector<double> &values)
{
    for (double value : values)
        report(key, value);
}

void positionAt(QQuickItem *view, ViewKind kind, int row)
{
    if (kind == ViewKind::List) {
        QMetaObject::invokeMethod(view, "positionViewAtIndex", Q_ARG(int, row), Q_ARG(int, 1));
    } else if (kind == ViewKind::Table) {
        view->setProperty("contentY", double(row) * RowHeight);
    } else {
        QMetaObject::invokeMethod(view, "positionViewAtIndex", Q_ARG(int, row));
    }
}

double lastContentY(QQuickItem *view)
{
    return std::max(0.0, view->property("contentHeight").toDouble() - view->height());
}

// Creates the view and reports the time from the start of its creation to
// the first frame that shows every on-screen row filled.
bool createAndReportFirstFrame(Scene &scene, const Scenario &s)
{
    const double start = scene.now();
    if (!scene.createView())
        return false;
    double firstFilled = 0;
    for (int frame = 0; frame < 1000 && firstFilled == 0; ++frame) {
        const double swapped = scene.nextFrame();
        if (scene.allRowsOnScreenFilled(s.rows))
            firstFilled = swapped - start;
    }
    report("first-frame-ms", firstFilled);
    return true;
}

// The first frame only, in a fresh process: more samples of a figure that
// each process yields once.
int runFirstFrame(const Scenario &s, QQmlEngine &engine)
{
    ComputedTableModel model(s.rows, s.slow);
    Scene scene(engine, model);
    if (!scene.isValid() || !scene.prepareView(viewQml(s)))
        return 1;
    return createAndReportFirstFrame(scene, s) ? 0 : 1;
}

// Frames, first frame and reads: one view, one model, in this process.
int runFrames(const Scenario &s, QQmlEngine &engine)
{
    ComputedTableModel model(s.rows, s.slow);
    Scene scene(engine, model);
    if (!scene.isValid() || !scene.prepareView(viewQml(s)) || !createAndReportFirstFrame(scene, s))
        return 1;
    QQuickItem *view = scene.view();

    int unfilled = 0;
    const auto countUnfilled = [&] {
        if (!scene.allRowsOnScreenFilled(s.rows))
            ++unfilled;
    };
    // This round's third of the drive, from where the one before it ended.
    const int frames = FlickFrames / Rounds;
    double startY = 0;
    for (int f = 0; f < s.round * frames; ++f) {
        startY += FlickStep;
        if (startY > lastContentY(view))
            startY = 0;
    }
    view->setProperty("contentY", startY);
    scene.nextFrame();
    model.resetGuiThreadReads();
    const double cpuBefore = processCpuMs();
    const auto flick = scene.frameTimes(
        frames,
        [&](int) {
            const double y = view->property("contentY").toDouble() + FlickStep;
            view->setProperty("contentY", y > lastContentY(view) ? 0.0 : y);
        },
        countUnfilled);
    report("gui-thread-reads", model.guiThreadReads());
    reportEach("flick-ms", flick);
    report("flick-cpu-ms-per-frame", (processCpuMs() - cpuBefore) / frames);
    report("flick-unfilled-frames", unfilled);

    if (!s.wheel || s.round != 0)
        return 0;
    // Wheel notches down as the window system delivers them, one a frame,
    // then the frames of the motion they started.
    view->setProperty("contentY", 0.0);
    scene.nextFrame();
    const QPointF centre(WindowWidth / 2.0, WindowHeight / 2.0);
    std::vector<bool> stillAfter;
    const auto wheel = scene.frameTimes(
        WheelEvents + WheelSettleFrames,
        [&](int frame) {
            if (frame >= WheelEvents)
                return;
            QWheelEvent event(centre, QPointF(scene.window()->mapToGlobal(centre.toPoint())),
                              QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            event.setTimestamp(ulong(scene.now()));
            QCoreApplication::sendEvent(scene.window(), &event);
        },
        [&] { stillAfter.push_back(!view->property("moving").toBool()); });
    // The frames of the notches and of the motion after them, up to the first still one.
    std::vector<double> moving;
    for (size_t f = 0; f < wheel.size(); ++f) {
        if (int(f) >= WheelEvents && stillAfter[f - 1])
            break;
        moving.push_back(wheel[f]);
    }
    reportEach("wheel-ms", moving);
    return 0;
}

// Peak memory after jumps over the whole list, and above the empty window.
int runMemory(const Scenario &s, QQmlEngine &engine)
{
    ComputedTableModel model(s.rows, s.slow);
    Scene scene(engine, model);
    if (!scene.isValid() || !scene.prepareView(viewQml(s)))
        return 1;
    scene.nextFrame();
    const double emptyWindowKb = statusKb("VmRSS:");
    if (!scene.createView())
        return 1;
    scene.nextFrame();
    QRandomGenerator random(20261206);
    for (int jump = 0; jump < Jumps; ++jump) {
        positionAt(scene.view(), s.view, int(random.bounded(s.rows)));
        scene.nextFrame();
    }
    const double peakKb = statusKb("VmHWM:");
    report("peak-rss-kb", peakKb);
    report("above-window-kb", peakKb - emptyWindowKb);
    return 0;
}

// ---- Driver -------------------------------------------------------------------

// Every value a child printed for a key, in order.
using Results = std::map<QString, std::vector<double>>;

const char *const ViewNames[] = {"column", "list", "table"};

// Runs this program again on one scenario and adds its "key value" lines to results.
void runChild(const QString &what, const Scenario &s, Results &results)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), what, QString::fromLatin1(ViewNames[int(s.view)]),
                 QString::number(s.rows), s.slow ? QStringLiteral("slow") : QStringLiteral("fast"),
                 s.async ? QStringLiteral("async") : QStringLiteral("sync"),
                 s.wheel ? QStringLiteral("wheel") : QStringLiteral("flick"),
                 QString::number(s.round)});
    if (!child.waitForFinished(240000) || child.exitCode() != 0) {
        std::fprintf(stderr, "columnview benchmark: %s %s failed\n", qPrintable(what),
                     ViewNames[int(s.view)]);
        child.kill();
        child.waitForFinished();
        return;
    }
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2)
            results[QString::fromLatin1(parts[0])].push_back(parts[1].toDouble());
    }
}

double median(Results &r, const char *key)
{
    return percentile(r[QString::fromLatin1(key)], 0.5);
}
double p95(Results &r, const char *key)
{
    return percentile(r[QString::fromLatin1(key)], 0.95);
}
double sum(Results &r, const char *key)
{
    const std::vector<double> &values = r[QString::fromLatin1(key)];
    return std::accumulate(values.begin(), values.end(), 0.0);
}

double ratio(double a, double b)
{
    return b > 0 ? a / b : 0;
}

void printFrames(const char *name, Results &r)
{
    std::printf("columnview %s: first frame %.1f ms (median of %zu), flick median %.2f ms, flick "
                "p95 %.2f ms "
                "over %zu frames",
                name, median(r, "first-frame-ms"), r[QStringLiteral("first-frame-ms")].size(),
                median(r, "flick-ms"), p95(r, "flick-ms"), r[QStringLiteral("flick-ms")].size());
    if (!r[QStringLiteral("wheel-ms")].empty())
        std::printf(", wheel median %.2f ms, wheel p95 %.2f ms over %zu frames",
                    median(r, "wheel-ms"), p95(r, "wheel-ms"),
                    r[QStringLiteral("wheel-ms")].size());
    std::printf(", CPU per flick frame %.2f ms\n", median(r, "flick-cpu-ms-per-frame"));
}

int runAll()
{
    QElapsedTimer total;
    total.start();
    struct Run
    {
        const char *name;
        Scenario scenario;
        Results results;
    };
    Run runs[] = {
        {"ORBColumnView sync, fast model", {ViewKind::Column, false, false, ManyRows, true}, {}},
        {"ListView, fast model", {ViewKind::List, false, false, ManyRows, true}, {}},
        {"TableView, fast model", {ViewKind::Table, false, false}, {}},
        {"ORBColumnView async, fast model", {ViewKind::Column, false, true}, {}},
        {"ORBColumnView async, slow model", {ViewKind::Column, true, true}, {}},
        {"ORBColumnView sync, slow model", {ViewKind::Column, true, false}, {}},
        {"ListView, slow model", {ViewKind::List, true, false}, {}},
    };
    // Each round starts at another view, so that none always comes first.
    const int runCount = int(std::size(runs));
    for (int round = 0; round < Rounds; ++round) {
        for (int k = 0; k < runCount; ++k) {
            Run &run = runs[(k + round * 2) % runCount];
            run.scenario.round = round;
            runChild(QStringLiteral("frames"), run.scenario, run.results);
        }
        // The first-frame ratio compares the first two views; a process
        // yields one sample, which a busy machine easily inflates.
        for (int k = 0; k < 2 * ExtraFirstFrames; ++k) {
            Run &run = runs[(k + round) % 2];
            runChild(QStringLiteral("first"), run.scenario, run.results);
        }
    }
    Results memFew;
    Results memMany;
    Results listMem;
    runChild(QStringLiteral("memory"), {ViewKind::Column, false, false, FewerRows}, memFew);
    runChild(QStringLiteral("memory"), {ViewKind::Column, false, false}, memMany);
    runChild(QStringLiteral("memory"), {ViewKind::List, false, false}, listMem);

    for (Run &run : runs)
        printFrames(run.name, run.results);
    Results &column = runs[0].results;
    Results &list = runs[1].results;
    Results &table = runs[2].results;
    Results &asyncFast = runs[3].results;
    Results &asyncSlow = runs[4].results;
    std::printf("columnview sync frames with an on-screen row not placed or filled: %.0f\n",
                sum(column, "flick-unfilled-frames")
                    + sum(runs[5].results, "flick-unfilled-frames"));
    std::printf("columnview peak RSS: %.0f kB at %d rows, %.0f kB at %d rows, ListView %.0f kB "
                "at %d rows\n",
                median(memFew, "peak-rss-kb"), FewerRows, median(memMany, "peak-rss-kb"), ManyRows,
                median(listMem, "peak-rss-kb"), ManyRows);
    std::printf("columnview above an empty window: %.0f kB, ListView %.0f kB\n",
                median(memMany, "above-window-kb"), median(listMem, "above-window-kb"));

    std::printf("columnview flick p95 frame ratio vs ListView: %.3f\n",
                ratio(p95(column, "flick-ms"), p95(list, "flick-ms")));
    std::printf("columnview flick p95 frame ratio vs TableView: %.3f\n",
                ratio(p95(column, "flick-ms"), p95(table, "flick-ms")));
    std::printf("columnview wheel p95 frame ratio vs ListView: %.3f\n",
                ratio(p95(column, "wheel-ms"), p95(list, "wheel-ms")));
    std::printf("columnview first frame ratio vs ListView: %.3f\n",
                ratio(median(column, "first-frame-ms"), median(list, "first-frame-ms")));
    std::printf("columnview memory ratio 1M/100k rows: %.3f\n",
                ratio(median(memMany, "peak-rss-kb"), median(memFew, "peak-rss-kb")));
    std::printf("columnview memory ratio vs ListView: %.3f\n",
                ratio(median(memMany, "above-window-kb"), median(listMem, "above-window-kb")));
    std::printf("columnview async slow-model p95 frame ratio vs fast model: %.3f\n",
                ratio(p95(asyncSlow, "flick-ms"), p95(asyncFast, "flick-ms")));
    std::printf("columnview async slow-model GUI-thread model reads: %.0f\n",
                sum(asyncSlow, "gui-thread-reads"));
    std::printf("columnview benchmark took %.0f s\n", total.elapsed() / 1000.0);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool child = argc > 1 && qstrcmp(argv[1], "--child") == 0;
    if (!child) {
        QCoreApplication app(argc, argv);
        return runAll();
    }
    qputenv("QSG_RENDER_LOOP", "basic");
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setSwapInterval(0);
    QSurfaceFormat::setDefaultFormat(format);
    QGuiApplication app(argc, argv);
    orbHostEnvironment host(app);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 8)
        return 2;
    QQmlEngine engine;
    host.prepare(engine);
    Scenario s;
    s.view = args[2] == QLatin1String("list")
        ? ViewKind::List
        : (args[2] == QLatin1String("table") ? ViewKind::Table : ViewKind::Column);
    s.rows = args[3].toInt();
    s.slow = args[4] == QLatin1String("slow");
    s.async = args[5] == QLatin1String("async");
    s.wheel = args[6] == QLatin1String("wheel");
    s.round = args[7].toInt();
    int result = 0;
    if (args[1] == QLatin1String("memory"))
        result = runMemory(s, engine);
    else if (args[1] == QLatin1String("first"))
        result = runFirstFrame(s, engine);
    else
        result = runFrames(s, engine);
    std::fflush(stdout);
    return result;
}
