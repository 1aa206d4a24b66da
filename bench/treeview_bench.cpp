// ORBTreeView against the Qt Quick Controls 1 TreeView over equal
// QStandardItemModels, in windows of the same size and with the same look (a
// row rectangle holding an indented text), both open side by side and
// measured in turns, so that the load of a shared machine falls on both:
//   - expand all (every row with children, top-down) and collapse all
//     (deepest first), each through the views' public functions and up to
//     the next frame on screen; the median of five rounds;
//   - frame time while scrolling 3 rows per frame and of random jumps, read
//     as the interval between swapped frames with the basic render loop and
//     no swap interval;
//   - heap (malloc) in use added by each view after expand all, per node.
// Trees: wide, deep, and three models in one ORBTreeView against three
// TreeViews stacked in the window. Prints ratios ours/TreeView, smaller is
// better, each last on its line.

#include "BenchStatistics.h"
#include "orbHostEnvironment.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QMetaMethod>
#include <QtCore/QRandomGenerator>
#include <QtCore/QStringList>
#include <QtGui/QGuiApplication>
#include <QtGui/QStandardItemModel>
#include <QtGui/QSurfaceFormat>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int WindowWidth = 400;
constexpr int WindowHeight = 600;
constexpr int RowHeight = 20;
constexpr int ScrollFrames = 600;
constexpr int ScrollRows = 3;
constexpr int Jumps = 200;

// ---- Trees ------------------------------------------------------------------

QStandardItem *node(int &counter)
{
    return new QStandardItem(QStringLiteral("node %1").arg(counter++));
}

void addLeaves(QStandardItem *parent, int count, int &counter)
{
    QList<QStandardItem *> leaves;
    leaves.reserve(count);
    for (int i = 0; i < count; ++i)
        leaves.append(node(counter));
    parent->appendRows(leaves);
}

// tops × mids × leaves: every top and mid row has children.
std::unique_ptr<QStandardItemModel> wideTree(int tops, int mids, int leaves)
{
    auto model = std::make_unique<QStandardItemModel>();
    int counter = 0;
    for (int t = 0; t < tops; ++t) {
        QStandardItem *top = node(counter);
        for (int m = 0; m < mids; ++m) {
            QStandardItem *mid = node(counter);
            addLeaves(mid, leaves, counter);
            top->appendRow(mid);
        }
        model->appendRow(top);
    }
    return model;
}

// chains of the given depth; every chain node holds `leaves` leaves, then the
// next chain node.
std::unique_ptr<QStandardItemModel> deepTree(int chains, int depth, int leaves)
{
    auto model = std::make_unique<QStandardItemModel>();
    int counter = 0;
    for (int c = 0; c < chains; ++c) {
        QStandardItem *head = node(counter);
        model->appendRow(head);
        QStandardItem *at = head;
        for (int d = 1; d < depth; ++d) {
            addLeaves(at, leaves, counter);
            QStandardItem *next = node(counter);
            at->appendRow(next);
            at = next;
        }
        addLeaves(at, leaves, counter);
    }
    return model;
}

int countNodes(const QAbstractItemModel &model, const QModelIndex &parent = {})
{
    const int rows = model.rowCount(parent);
    int total = rows;
    for (int r = 0; r < rows; ++r)
        total += countNodes(model, model.index(r, 0, parent));
    return total;
}

// Indexes with children, parents before children.
void withChildren(const QAbstractItemModel &model, const QModelIndex &parent,
                  std::vector<QModelIndex> &out)
{
    for (int r = 0, rows = model.rowCount(parent); r < rows; ++r) {
        const QModelIndex child = model.index(r, 0, parent);
        if (model.hasChildren(child)) {
            out.push_back(child);
            withChildren(model, child, out);
        }
    }
}

// ---- Views --------------------------------------------------------------------

const char *const OurDelegate
    = "Rectangle { color: ItemIndex % 2 ? '#f0f0f0' : 'white'\n"
      "  Text { x: 16 * (ItemLevel + 1); anchors.verticalCenter: parent.verticalCenter;"
      " text: display } }";

QByteArray ourScene(int models)
{
    QByteArray items;
    for (int m = 0; m < models; ++m)
        items += (m ? ", " : "") + QByteArray("ORBTreeViewModelItem { model: m")
            + QByteArray::number(m) + " }";
    return "ORBTreeView { objectName: 'view0'; anchors.fill: parent; itemHeight: "
        + QByteArray::number(RowHeight) + "; rootItemHeight: " + QByteArray::number(RowHeight)
        + "\n delegate: " + OurDelegate + "\n models: [" + items + "] }";
}

QByteArray controlsView(int m, int height)
{
    return "TreeView { objectName: 'view" + QByteArray::number(m) + "'; model: m"
        + QByteArray::number(m) + "; width: parent.width; height: " + QByteArray::number(height)
        + "\n headerVisible: false; frameVisible: false; alternatingRowColors: false\n"
          " horizontalScrollBarPolicy: Qt.ScrollBarAlwaysOff;"
          " verticalScrollBarPolicy: Qt.ScrollBarAlwaysOff\n"
          " style: TreeViewStyle { indentation: 16; branchDelegate: Item { width: 16 } }\n"
          " rowDelegate: Rectangle { height: "
        + QByteArray::number(RowHeight)
        + "; color: styleData.row % 2 ? '#f0f0f0' : 'white' }\n"
          " itemDelegate: Text { anchors.verticalCenter: parent.verticalCenter;"
          " text: styleData.value }\n"
          " TableViewColumn { role: 'display'; width: "
        + QByteArray::number(WindowWidth) + " } }";
}

QByteArray controlsScene(int models)
{
    QByteArray views;
    for (int m = 0; m < models; ++m)
        views += controlsView(m, WindowHeight / models) + "\n";
    return "Column { anchors.fill: parent\n" + views + "}";
}

size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// One window holding the views under test, with the models as m0, m1, ...
class Scene
{
public:
    // The views start without models, so that what the window alone costs can be read first.
    Scene(QQmlEngine &engine, size_t models, const QByteArray &items, int x = 0)
    {
        m_context = std::make_unique<QQmlContext>(engine.rootContext());
        for (size_t m = 0; m < models; ++m)
            m_context->setContextProperty(QStringLiteral("m%1").arg(m),
                                          QVariant::fromValue<QObject *>(nullptr));
        QQmlComponent component(&engine);
        component.setData("import QtQuick 2.15\nimport QtQuick.Window 2.15\n"
                          "import QtQuick.Controls 1.4\nimport QtQuick.Controls.Styles 1.4\n"
                          "import orbQuick 1.0\nWindow { color: 'white'; visible: true; x: "
                              + QByteArray::number(x)
                              + "; width: " + QByteArray::number(WindowWidth) + "; height: "
                              + QByteArray::number(WindowHeight) + "\n" + items + "\n}\n",
                          QUrl());
        m_object.reset(component.create(m_context.get()));
        m_window = qobject_cast<QQuickWindow *>(m_object.get());
        if (!m_window) {
            std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
            return;
        }
        QObject::connect(m_window, &QQuickWindow::frameSwapped, m_window,
                         [this] { m_swaps.push_back(m_clock.nsecsElapsed() * 1e-6); });
        m_clock.start();
        (void)QTest::qWaitForWindowExposed(m_window, 10000);
        nextFrame();
    }
    ~Scene()
    {
        m_object.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    bool isValid() const { return m_window != nullptr; }
    void setModels(const std::vector<QStandardItemModel *> &models)
    {
        for (size_t m = 0; m < models.size(); ++m)
            m_context->setContextProperty(QStringLiteral("m%1").arg(m), models[m]);
        nextFrame();
    }
    QQuickItem *view(int m) const
    {
        return m_window->findChild<QQuickItem *>(QStringLiteral("view%1").arg(m));
    }

    // Renders one frame and returns the time it swapped, in ms.
    double nextFrame()
    {
        const size_t before = m_swaps.size();
        m_window->update();
        while (m_swaps.size() == before)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return m_swaps.back();
    }
    double now() const { return m_clock.nsecsElapsed() * 1e-6; }

    // Frame intervals in ms, `step(frame)` run ahead of every frame.
    std::vector<double> frameIntervals(int frames, const std::function<void(int)> &step)
    {
        std::vector<double> intervals;
        double last = nextFrame();
        for (int f = 0; f < frames; ++f) {
            step(f);
            const double swapped = nextFrame();
            intervals.push_back(swapped - last);
            last = swapped;
        }
        return intervals;
    }

private:
    std::unique_ptr<QQmlContext> m_context;
    std::unique_ptr<QObject> m_object;
    QQuickWindow *m_window = nullptr;
    QElapsedTimer m_clock;
    std::vector<double> m_swaps;
};

// What a benchmark does with the views of one side.
class Side
{
public:
    virtual ~Side() = default;
    virtual void expandAll() = 0;
    virtual void collapseAll() = 0;
    // The flickables that scroll, each with how many rows it scrolls per frame.
    virtual std::vector<QQuickItem *> flickables() const = 0;
    virtual int rowsPerFrame() const = 0;
};

// A method of a view's class looked up once, so that the loops below time
// the views and not the lookup of a name per call.
QMetaMethod methodOf(const QObject *object, const char *signature)
{
    const QMetaObject *meta = object->metaObject();
    const int index = meta->indexOfMethod(QMetaObject::normalizedSignature(signature));
    if (index < 0)
        std::fprintf(stderr, "%s has no method %s\n", meta->className(), signature);
    return meta->method(index);
}

class Ours : public Side
{
public:
    explicit Ours(QQuickItem *view)
        : m_view(view)
        , m_rowCount(view->metaObject()->property(view->metaObject()->indexOfProperty("rowCount")))
        , m_numChildren(methodOf(view, "numChildren(int)"))
        , m_open(methodOf(view, "openItemAt(int)"))
        , m_close(methodOf(view, "closeItemAt(int)"))
    {
    }

    void expandAll() override
    {
        // Opening a row puts its children right after it, so a forward walk is top-down.
        for (int row = 0; row < rowCount(); ++row) {
            if (numChildren(row) > 0)
                call(m_open, row);
        }
    }

    void collapseAll() override
    {
        // Backwards, every row closes after the rows below it.
        for (int row = rowCount() - 1; row >= 0; --row) {
            if (numChildren(row) > 0)
                call(m_close, row);
        }
    }

    std::vector<QQuickItem *> flickables() const override { return {m_view}; }
    int rowsPerFrame() const override { return ScrollRows; }

private:
    int rowCount() const { return m_rowCount.read(m_view).toInt(); }
    int numChildren(int row) const
    {
        int count = 0;
        m_numChildren.invoke(m_view, Q_RETURN_ARG(int, count), Q_ARG(int, row));
        return count;
    }
    void call(const QMetaMethod &method, int row) const
    {
        bool done = false;
        method.invoke(m_view, Q_RETURN_ARG(bool, done), Q_ARG(int, row));
    }

    QQuickItem *m_view;
    QMetaProperty m_rowCount;
    QMetaMethod m_numChildren;
    QMetaMethod m_open;
    QMetaMethod m_close;
};

class Controls : public Side
{
public:
    Controls(const std::vector<QQuickItem *> &views,
             const std::vector<QStandardItemModel *> &models)
        : m_views(views)
        , m_models(models)
    {
    }

    void expandAll() override
    {
        for (size_t v = 0; v < m_views.size(); ++v) {
            const QMetaMethod expand = methodOf(m_views[v], "expand(QVariant)");
            for (const QModelIndex &index : parents(v))
                call(m_views[v], expand, index);
        }
    }

    void collapseAll() override
    {
        for (size_t v = 0; v < m_views.size(); ++v) {
            const QMetaMethod collapse = methodOf(m_views[v], "collapse(QVariant)");
            const std::vector<QModelIndex> all = parents(v);
            for (auto it = all.rbegin(); it != all.rend(); ++it)
                call(m_views[v], collapse, *it);
        }
    }

    std::vector<QQuickItem *> flickables() const override
    {
        std::vector<QQuickItem *> items;
        for (QQuickItem *view : m_views)
            items.push_back(view->property("flickableItem").value<QQuickItem *>());
        return items;
    }
    // Stacked views share the rows ours scrolls per frame.
    int rowsPerFrame() const override { return std::max(1, ScrollRows / int(m_views.size())); }

private:
    std::vector<QModelIndex> parents(size_t v) const
    {
        std::vector<QModelIndex> all;
        withChildren(*m_models[v], {}, all);
        return all;
    }
    static void call(QQuickItem *view, const QMetaMethod &method, const QModelIndex &index)
    {
        method.invoke(view, Q_ARG(QVariant, QVariant::fromValue(index)));
    }

    std::vector<QQuickItem *> m_views;
    std::vector<QStandardItemModel *> m_models;
};

double topOf(QQuickItem *flickable)
{
    return flickable->property("originY").toDouble();
}
double lastTop(QQuickItem *flickable)
{
    return topOf(flickable)
        + std::max(0.0, flickable->property("contentHeight").toDouble() - flickable->height());
}

constexpr int ExpandRounds = 5;

struct Timings
{
    double expandMs = 0;
    double collapseMs = 0;
    double scrollP50 = 0;
    double scrollP95 = 0;
    double jumpP95 = 0;
};

// Runs fn, then waits for the frame showing its result; ms taken.
double timed(Scene &scene, const std::function<void()> &fn)
{
    const double start = scene.now();
    fn();
    return scene.nextFrame() - start;
}

// One side of a comparison: its window, what it does, what it measured.
struct Contender
{
    Scene *scene = nullptr;
    std::unique_ptr<Side> side;
    std::vector<double> expands;
    std::vector<double> collapses;
    std::vector<double> scroll;
    std::vector<double> jumps;
    QRandomGenerator random{20240610};

    void toTop() const
    {
        for (QQuickItem *f : side->flickables())
            f->setProperty("contentY", topOf(f));
    }
    void scrollFrames(int frames)
    {
        const double step = side->rowsPerFrame() * RowHeight;
        const auto intervals = scene->frameIntervals(frames, [&](int) {
            for (QQuickItem *f : side->flickables()) {
                const double y = f->property("contentY").toDouble() + step;
                f->setProperty("contentY", y > lastTop(f) ? topOf(f) : y);
            }
        });
        scroll.insert(scroll.end(), intervals.begin(), intervals.end());
    }
    void jumpFrames(int frames)
    {
        const auto intervals = scene->frameIntervals(frames, [&](int) {
            for (QQuickItem *f : side->flickables()) {
                const int rows = int((lastTop(f) - topOf(f)) / RowHeight);
                f->setProperty("contentY", topOf(f) + random.bounded(rows + 1) * RowHeight);
            }
        });
        jumps.insert(jumps.end(), intervals.begin(), intervals.end());
    }
    Timings timings() const
    {
        return {percentile(expands, 0.5), percentile(collapses, 0.5), percentile(scroll, 0.5),
                percentile(scroll, 0.95), percentile(jumps, 0.95)};
    }
};

// Frames each side renders in one turn: short turns, so that both sides meet
// the same spells of load.
constexpr int FramesPerTurn = 20;

// The machine is shared and its load drifts: both sides take turns at every
// measure, the one going first alternating, so that a busy spell falls on both.
void inTurns(Contender (&sides)[2], int turns, const std::function<void(Contender &)> &step)
{
    for (int turn = 0; turn < turns; ++turn) {
        step(sides[turn % 2]);
        step(sides[1 - turn % 2]);
    }
}

void measure(Contender (&sides)[2])
{
    inTurns(sides, 1, [](Contender &c) {
        c.expands.push_back(timed(*c.scene, [&] { c.side->expandAll(); }));
        c.toTop();
    });
    inTurns(sides, ScrollFrames / FramesPerTurn,
            [](Contender &c) { c.scrollFrames(FramesPerTurn); });
    inTurns(sides, Jumps / FramesPerTurn, [](Contender &c) { c.jumpFrames(FramesPerTurn); });
    inTurns(sides, 1, [](Contender &c) {
        c.toTop();
        c.collapses.push_back(timed(*c.scene, [&] { c.side->collapseAll(); }));
    });
    // One pass of each is tens of milliseconds: take the median of a few.
    inTurns(sides, ExpandRounds - 1, [](Contender &c) {
        c.expands.push_back(timed(*c.scene, [&] { c.side->expandAll(); }));
        c.collapses.push_back(timed(*c.scene, [&] { c.side->collapseAll(); }));
    });
}

std::unique_ptr<Side> sideFor(bool ours, const Scene &scene,
                              const std::vector<QStandardItemModel *> &models)
{
    if (ours)
        return std::make_unique<Ours>(scene.view(0));
    std::vector<QQuickItem *> views;
    for (size_t m = 0; m < models.size(); ++m)
        views.push_back(scene.view(int(m)));
    return std::make_unique<Controls>(views, models);
}

QByteArray sceneFor(bool ours, size_t models)
{
    return ours ? ourScene(int(models)) : controlsScene(int(models));
}

using Models = std::vector<std::unique_ptr<QStandardItemModel>>;

std::vector<QStandardItemModel *> pointers(const Models &models)
{
    std::vector<QStandardItemModel *> raw;
    for (const auto &model : models)
        raw.push_back(model.get());
    return raw;
}

// Each side gets its own copy of the trees, so that neither works on a model
// carrying the other's persistent indexes.
void compare(QQmlEngine &engine, const char *variant, const std::function<Models()> &trees)
{
    const Models ourModels = trees();
    const Models theirModels = trees();
    const std::vector<QStandardItemModel *> models = pointers(ourModels);
    // Both windows open side by side.
    Scene ourScene(engine, models.size(), sceneFor(true, models.size()));
    Scene theirScene(engine, models.size(), sceneFor(false, models.size()), WindowWidth + 20);
    if (!ourScene.isValid() || !theirScene.isValid())
        return;
    ourScene.setModels(models);
    theirScene.setModels(pointers(theirModels));
    Contender sides[2];
    sides[0].scene = &ourScene;
    sides[0].side = sideFor(true, ourScene, models);
    sides[1].scene = &theirScene;
    sides[1].side = sideFor(false, theirScene, pointers(theirModels));
    measure(sides);
    const Timings results[2] = {sides[0].timings(), sides[1].timings()};
    int nodes = 0;
    for (const QStandardItemModel *model : models)
        nodes += countNodes(*model);
    for (int s = 0; s < 2; ++s) {
        const Timings &t = results[s];
        std::printf("tree %s %s (%d nodes): expand-all %.1f ms, collapse-all %.1f ms, scroll p50 "
                    "%.2f ms, scroll p95 %.2f ms, jump p95 %.2f ms\n",
                    variant, s ? "TreeView" : "ORBTreeView", nodes, t.expandMs, t.collapseMs,
                    t.scrollP50, t.scrollP95, t.jumpP95);
    }
    const Timings &a = results[0];
    const Timings &b = results[1];
    const std::pair<const char *, double> ratios[] = {
        {"expand-all", a.expandMs / b.expandMs},   {"collapse-all", a.collapseMs / b.collapseMs},
        {"scroll-p50", a.scrollP50 / b.scrollP50}, {"scroll-p95", a.scrollP95 / b.scrollP95},
        {"jump-p95", a.jumpP95 / b.jumpP95},
    };
    for (const auto &[measure, ratio] : ratios)
        std::printf("tree %s %s ours/TreeView ratio: %.3f\n", measure, variant, ratio);
    std::fflush(stdout);
}

void collect(QQmlEngine &engine)
{
    engine.collectGarbage();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Heap bytes per node a view adds, from being given its model to every row
// open; the window and the empty view are not counted.
double bytesPerNode(QQmlEngine &engine, bool ours, QStandardItemModel &model)
{
    Scene scene(engine, 1, sceneFor(ours, 1));
    if (!scene.isValid())
        return 0;
    collect(engine);
    const size_t before = heapInUse();
    scene.setModels({&model});
    sideFor(ours, scene, {&model})->expandAll();
    scene.nextFrame();
    collect(engine);
    const double added = double(heapInUse()) - double(before);
    return added / countNodes(model);
}

void memory(QQmlEngine &engine, const char *shape,
            const std::function<std::unique_ptr<QStandardItemModel>(int)> &tree)
{
    double at100k[2] = {0, 0};
    for (const int thousands : {25, 50, 100, 200}) {
        const auto model = tree(thousands);
        double perNode[2];
        for (const bool ours : {true, false})
            perNode[ours ? 0 : 1] = bytesPerNode(engine, ours, *model);
        std::printf("tree memory %s %d nodes: ORBTreeView %.0f B/node, TreeView %.0f B/node\n",
                    shape, countNodes(*model), perNode[0], perNode[1]);
        if (thousands == 100)
            std::copy(perNode, perNode + 2, at100k);
    }
    std::printf("tree memory %s ours/TreeView ratio: %.3f\n", shape, at100k[0] / at100k[1]);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QSG_RENDER_LOOP", "basic");
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setSwapInterval(0);
    QSurfaceFormat::setDefaultFormat(format);
    QGuiApplication app(argc, argv);
    orbHostEnvironment host(app);
    QQmlEngine engine;
    host.prepare(engine);
    QElapsedTimer total;
    total.start();

    // Arguments pick parts of the run (wide, deep, multi, memory); none runs all.
    const QStringList picked = app.arguments().mid(1);
    const auto runs = [&](const char *part) {
        return picked.isEmpty() || picked.contains(QLatin1String(part));
    };

    {
        // Types compiled and caches filled once, outside every measure.
        const auto small = wideTree(2, 3, 3);
        for (const bool ours : {true, false})
            bytesPerNode(engine, ours, *small);
    }

    if (runs("wide")) {
        compare(engine, "wide", [] {
            Models models;
            models.push_back(wideTree(10, 100, 100));
            return models;
        });
    }
    if (runs("deep")) {
        compare(engine, "deep", [] {
            Models models;
            models.push_back(deepTree(5, 200, 100));
            return models;
        });
    }
    if (runs("multi")) {
        compare(engine, "multi", [] {
            Models models;
            for (int m = 0; m < 3; ++m)
                models.push_back(wideTree(10, 50, 59));
            return models;
        });
    }
    if (runs("memory")) {
        // 10 × 100 × k and 5 chains of 200 with k leaves per chain node.
        memory(engine, "wide", [](int thousands) { return wideTree(10, 100, thousands); });
        memory(engine, "deep", [](int thousands) { return deepTree(5, 200, thousands); });
    }
    std::printf("tree benchmark took %.0f s\n", total.elapsed() / 1000.0);
    return 0;
}
