// Starting the SVG texture cache warm (its fields read back from disk)
// against generating the same fields, on a real OpenGL context.

#include "BaselineReporter.h"
#include "orbSvgCache.h"

#include <QtCore/QLoggingCategory>
#include <QtCore/QTemporaryDir>
#include <QtGui/QOffscreenSurface>
#include <QtGui/QOpenGLContext>

#include <cstdio>

namespace {

constexpr int FieldCount = 300;

QPainterPath shape(int i)
{
    QPainterPath path;
    path.addEllipse(QRectF(0, 0, 10 + i % 17, 20 + i % 23));
    path.addRect(QRectF(3, 2, 5 + i / 17, 4 + i % 5));
    return path;
}

// The render thread's situation: a current context on this thread.
class GLContext
{
public:
    GLContext()
    {
        m_surface.create();
        m_context.create();
        m_valid = m_context.makeCurrent(&m_surface);
    }
    bool isValid() const { return m_valid; }

private:
    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    bool m_valid = false;
};

// Kept to the end of the process: it must not outlive the application object
// in static destruction.
GLContext *glContext()
{
    static GLContext *context = [] {
        // The cache reports every field it makes; that is not what is measured.
        QLoggingCategory::setFilterRules(QStringLiteral("orb.svg.warning=false"));
        return new GLContext;
    }();
    return context;
}

orb::ref_ptr<orbSvgCache> cacheIn(const QString &folder)
{
    orb::ref_ptr<orbSvgCache> cache(new orbSvgCache);
    cache->setCacheFolder(QDir(folder));
    return cache;
}

void SvgCacheGenerate(benchmark::State &state)
{
    if (!glContext()->isValid()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    for (auto _ : state) {
        QTemporaryDir empty;
        auto cache = cacheIn(empty.path());
        for (int i = 0; i < FieldCount; ++i)
            benchmark::DoNotOptimize(cache->textureForPath(shape(i)));
        state.PauseTiming(); // the save at destruction is not part of it
        cache.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(SvgCacheGenerate)->Unit(benchmark::kMillisecond)->UseRealTime();

void SvgCacheWarmLoad(benchmark::State &state)
{
    if (!glContext()->isValid()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    QTemporaryDir folder;
    {
        auto cache = cacheIn(folder.path());
        for (int i = 0; i < FieldCount; ++i)
            cache->textureForPath(shape(i));
        cache->save();
    }
    for (auto _ : state) {
        auto cache = cacheIn(folder.path());
        for (int i = 0; i < FieldCount; ++i)
            benchmark::DoNotOptimize(cache->textureForPath(shape(i)));
        state.PauseTiming();
        if (cache->textureCount() != FieldCount)
            state.SkipWithError("the warm cache missed fields");
        cache.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(SvgCacheWarmLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

const bool registered = [] {
    orbbench::afterRun([](const std::map<std::string, orbbench::RunTimes> &times) {
        const auto generate = times.find("SvgCacheGenerate/real_time");
        const auto warm = times.find("SvgCacheWarmLoad/real_time");
        if (generate == times.end() || warm == times.end() || warm->second.real <= 0)
            return;
        std::printf("svgcache fields: %d, generate %.1f ms, warm load %.1f ms\n", FieldCount,
                    generate->second.real * 1e3, warm->second.real * 1e3);
        std::printf("svgcache generate/warm-load ratio: %.1f\n",
                    generate->second.real / warm->second.real);
    });
    return true;
}();

} // namespace
