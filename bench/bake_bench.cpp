// The seed folder that orbsvg-bake writes, in use: time from setting a
// source to the first frame of a 300-shape document with that folder beside
// the executable, against an empty cache (the shader caches of Qt and the GL
// driver warm in both, as at any start after the first); and how many fields
// per second the tool bakes from the SVG corpus. Prints its results on lines
// of their own.

#include "SvgBenchArtwork.h"
#include "SvgBenchScene.h"
#include "SvgCorpus.h"
#include "orbHostEnvironment.h"

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QLoggingCategory>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr int ShapeCount = 300;
constexpr int Rounds = 3;

struct BakeRun
{
    int exitCode = -1;
    double seconds = 0;
};

// Runs the tool, its messages passed on to this one's error output.
BakeRun runBake(const QStringList &arguments)
{
    QElapsedTimer timer;
    timer.start();
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tool.start(QStringLiteral(ORB_BAKE_TOOL), arguments);
    const bool finished = tool.waitForFinished(-1) && tool.exitStatus() == QProcess::NormalExit;
    return BakeRun{finished ? tool.exitCode() : -1, timer.nsecsElapsed() / 1e9};
}

int fieldCount(const QString &folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral("cache.dscr")));
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll())
        .object()
        .value(QLatin1String("Textures"))
        .toArray()
        .size();
}

// Removes the fields that engines saved: the files directly in the writable
// cache folder (the shader caches of Qt and the GL driver stay, in folders).
void emptySvgCache()
{
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::CacheLocation));
    for (const QString &name : folder.entryList(QDir::Files))
        folder.remove(name);
}

// Milliseconds to the first frame of source in a fresh engine whose
// writable SVG cache is empty, and then to the first frame of a second
// item showing it (all fields in memory).
std::pair<double, double> firstFrames(orbHostEnvironment &host, const QUrl &source)
{
    emptySvgCache();
    SvgBenchScene scene(host,
                        "Window { width: 400; height: 400; visible: true; color: 'white'\n"
                        "  ORBSvgItem { objectName: 'a'; width: 400; height: 400 }\n"
                        "  ORBSvgItem { objectName: 'b'; width: 400; height: 400 } }");
    (void)QTest::qWaitFor([&] { return !scene.frameTimes().empty(); }, 10000);
    const double first = scene.timeToFirstFrame(scene.item("a"), source);
    return {first, scene.timeToFirstFrame(scene.item("b"), source)};
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    // One cache home for the run: the shader caches are as warm for every
    // round as at an application's tenth start; only the SVG cache differs.
    QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("orb.svg.warning=false"));
    orbHostEnvironment host(app);
    const QString seed = QCoreApplication::applicationDirPath() + QStringLiteral("/SvgCache");
    QDir(seed).removeRecursively();

    QTemporaryDir files;
    const QString document = files.filePath(QStringLiteral("artwork.svg"));
    QFile file(document);
    file.open(QIODevice::WriteOnly);
    file.write(svgBenchArtwork(ShapeCount));
    file.close();
    const QUrl source = QUrl::fromLocalFile(document);

    (void)firstFrames(host, source); // fills the shader caches
    std::vector<double> cold;
    std::vector<double> inMemory;
    for (int round = 0; round < Rounds; ++round) {
        const auto [first, second] = firstFrames(host, source);
        cold.push_back(first);
        inMemory.push_back(second);
    }
    if (runBake({seed, document}).exitCode != 0) {
        std::fprintf(stderr, "bake: orbsvg-bake failed\n");
        return 1;
    }
    std::vector<double> seeded;
    for (int round = 0; round < Rounds; ++round)
        seeded.push_back(firstFrames(host, source).first);
    const int seededFields = fieldCount(seed);
    QDir(seed).removeRecursively();
    std::printf("bake %d shapes (%d fields), first frame (median of %d): empty cache %.1f ms, "
                "baked seed folder %.1f ms, fields in memory %.1f ms\n",
                ShapeCount, seededFields, Rounds, median(cold), median(seeded), median(inMemory));
    std::printf("bake seeded/cold first-frame ratio: %.3f\n", median(seeded) / median(cold));

    if (!orbtest::hasSvgCorpus()) {
        std::printf("bake throughput: no SVG corpus at %s\n", qPrintable(orbtest::svgCorpusDir()));
        return 0;
    }
    QTemporaryDir out;
    const QString corpusOut = out.filePath(QStringLiteral("corpus"));
    // A corpus file that does not load makes the tool exit with 1; the rest is baked.
    const BakeRun corpus = runBake({corpusOut, orbtest::svgCorpusDir()});
    const int fields = fieldCount(corpusOut);
    std::printf("bake corpus: %d fields in %.1f s (exit code %d)\n", fields, corpus.seconds,
                corpus.exitCode);
    std::printf("bake throughput fields/s: %.0f\n", fields / corpus.seconds);
    return 0;
}
