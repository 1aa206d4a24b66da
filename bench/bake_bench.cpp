// The seed folder that orbsvg-bake writes, in use: what a 300-shape document
// adds to an application's start up to its first frame with that folder
// beside the executable, against an empty cache (the shader caches of Qt and
// the GL driver warm in both, as at any start after the first); and how many
// fields per second the tool bakes from the SVG corpus. Prints its results on
// lines of their own.

#include "BenchStatistics.h"
#include "BenchWait.h"
#include "SvgBenchApplication.h"
#include "SvgBenchScene.h"
#include "SvgCorpus.h"
#include "orbHostEnvironment.h"

#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryDir>
#include <QtQuick/QQuickItem>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

constexpr int ShapeCount = 300;
constexpr int Rounds = 5;

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

// An application's start, from the engine reading its QML to the first
// frame: a window with two SVG items, the first showing source (none when
// empty) as its QML says. The cache reads its folders in the background from
// the moment it is made (when the first SVG item joins a window). Setting the
// source on a window already shown, after waiting for its first frame, would
// let that reading finish off the clock, which no application gets; here the
// clock starts before the cache exists, so the reading is on it except where
// it overlaps what every start does anyway (QML, window, GL context).
struct StartUp
{
    double firstFrame = 0;
    // To the frame of a second item showing the same document, all fields in memory.
    double inMemory = 0;
};

StartUp startUp(orbHostEnvironment &host, const QUrl &source)
{
    emptySvgCache();
    const QByteArray sourceLine
        = source.isEmpty() ? QByteArray() : "; source: '" + source.toString().toUtf8() + "'";
    SvgBenchScene scene(host,
                        "Window { width: 400; height: 400; visible: true; color: 'white'\n"
                        "  ORBSvgItem { objectName: 'a'; width: 400; height: 400"
                            + sourceLine
                            + " }\n"
                              "  ORBSvgItem { objectName: 'b'; width: 400; height: 400 } }");
    if (source.isEmpty())
        return StartUp{scene.timeToFirstFrame(), 0};
    QQuickItem *shown = scene.item("a");
    (void)benchWaitFor([&] { return !shown->property("sourceSize").toSizeF().isEmpty(); }, 120000);
    const double first = scene.timeToFirstFrame();
    return StartUp{first, scene.timeToFirstFrame(scene.item("b"), source)};
}

} // namespace

int main(int argc, char *argv[])
{
    SvgBenchApplication app(argc, argv);
    orbHostEnvironment &host = app.host();
    const QString seed = QCoreApplication::applicationDirPath() + QStringLiteral("/SvgCache");
    QDir(seed).removeRecursively();

    const QUrl source = app.writeArtwork(ShapeCount);
    const QString document = source.toLocalFile();

    (void)startUp(host, source); // fills the shader caches
    // The share of the start that the document takes: the same start with
    // no document is taken off both sides. It is measured while there is no
    // seed folder, so that nothing is read in it and no reading hides in it.
    std::vector<double> windowAlone;
    std::vector<double> cold;
    std::vector<double> inMemory;
    for (int round = 0; round < Rounds; ++round) {
        windowAlone.push_back(startUp(host, QUrl()).firstFrame);
        const StartUp start = startUp(host, source);
        cold.push_back(start.firstFrame);
        inMemory.push_back(start.inMemory);
    }
    if (runBake({seed, document}).exitCode != 0) {
        std::fprintf(stderr, "bake: orbsvg-bake failed\n");
        return 1;
    }
    std::vector<double> seeded;
    for (int round = 0; round < Rounds; ++round)
        seeded.push_back(startUp(host, source).firstFrame);
    const int seededFields = fieldCount(seed);
    QDir(seed).removeRecursively();
    const double alone = median(windowAlone);
    std::printf("bake %d shapes (%d fields), start to first frame (median of %d): window alone "
                "%.1f ms, with the document from an empty cache %.1f ms, from the baked seed "
                "folder %.1f ms; document shown again with its fields in memory %.1f ms\n",
                ShapeCount, seededFields, Rounds, alone, median(cold), median(seeded),
                median(inMemory));
    std::printf("bake seeded/cold first-frame ratio: %.3f\n",
                (median(seeded) - alone) / (median(cold) - alone));

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
