// Renders the pictures of the documentation with the module itself:
//   orbquick-docshots --examples DIR --differences DIR --corpus DIR --out DIR
// Each QML example in a real window; the SVG files of the differences folder
// by rsvg-convert, by the document model's painter renderer and by
// ORBSvgItem, side by side; a few corpus files by the document model and by
// ORBSvgItem at three sizes; the collector at work; and the distance-field
// atlas the run leaves in its (private, initially empty) cache.

#include "CollectorTrace.h"
#include "DocModels.h"
#include "DocShots.h"
#include "orbHostEnvironment.h"

#include <QtCore/QCommandLineParser>
#include <QtCore/QDirIterator>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtGui/QPainter>

#include <cstdio>

namespace {

constexpr int DifferenceWidth = 240;

bool failed(const QString &what, const QString &why)
{
    std::fprintf(stderr, "orbquick-docshots: %s: %s\n", qPrintable(what), qPrintable(why));
    return false;
}

bool save(const QImage &image, const QDir &out, const QString &name, const QString &why)
{
    if (image.isNull())
        return failed(name, why);
    if (!image.save(out.filePath(name)))
        return failed(name, QStringLiteral("cannot write"));
    std::printf("%s\n", qPrintable(out.filePath(name)));
    return true;
}

QStringList filesIn(const QString &folder, const QString &pattern)
{
    const QDir dir(folder);
    QStringList files;
    for (const QString &name : dir.entryList({pattern}, QDir::Files, QDir::Name))
        files.append(dir.absoluteFilePath(name));
    return files;
}

// A stored atlas packs four field samples into each ARGB32 pixel, in the
// pixel's byte order: unpacked here into four grey pixels, cropped to the
// rows in use (at most MaxAtlasRows).
QImage unpackedAtlas(const QString &file)
{
    constexpr int MaxAtlasRows = 512;
    const QImage atlas = QImage(file).convertToFormat(QImage::Format_ARGB32);
    QImage grey(atlas.width() * 4, atlas.height(), QImage::Format_Grayscale8);
    int lastUsedRow = -1;
    for (int y = 0; y < atlas.height(); ++y) {
        const uchar *in = atlas.constScanLine(y);
        uchar *out = grey.scanLine(y);
        for (int x = 0; x < atlas.width() * 4; ++x) {
            out[x] = in[x];
            if (in[x])
                lastUsedRow = y;
        }
    }
    if (lastUsedRow < 0)
        return {};
    return grey.copy(0, 0, grey.width(), std::min(lastUsedRow + 1, MaxAtlasRows));
}

// The fullest of the atlases the cache saved (their file names are random,
// their order is not).
QImage atlasPicture(const QString &cacheFolder)
{
    QDirIterator it(cacheFolder, {QStringLiteral("*.png")}, QDir::Files,
                    QDirIterator::Subdirectories);
    QImage fullest;
    while (it.hasNext()) {
        const QImage atlas = unpackedAtlas(it.next());
        if (atlas.height() > fullest.height())
            fullest = atlas;
    }
    return fullest;
}

} // namespace

int main(int argc, char *argv[])
{
    // A private cache: every field is made in this run and the user's cache
    // stays untouched.
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    // One engine, one texture cache, many windows one after the other: the
    // fields live in GL textures, which every window must be able to use.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("orbquick-docshots"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the documentation's pictures."));
    parser.addHelpOption();
    const QCommandLineOption examples(QStringLiteral("examples"), QStringLiteral("QML examples."),
                                      QStringLiteral("dir"));
    const QCommandLineOption differences(QStringLiteral("differences"),
                                         QStringLiteral("SVG files to compare."),
                                         QStringLiteral("dir"));
    const QCommandLineOption corpus(QStringLiteral("corpus"), QStringLiteral("The SVG corpus."),
                                    QStringLiteral("dir"));
    const QCommandLineOption outOption(QStringLiteral("out"), QStringLiteral("Where to write."),
                                       QStringLiteral("dir"));
    parser.addOptions({examples, differences, corpus, outOption});
    parser.process(app);
    if (!parser.isSet(examples) || !parser.isSet(differences) || !parser.isSet(outOption)) {
        std::fprintf(stderr, "orbquick-docshots: --examples, --differences and --out are needed\n");
        return 2;
    }
    QDir out(parser.value(outOption));
    if (!out.mkpath(QStringLiteral(".")))
        return failed(out.path(), QStringLiteral("cannot create")) ? 0 : 1;

    orbHostEnvironment host(app);
    DocModels models;
    DocShots shots(host, models);
    bool ok = true;

    for (const QString &file : filesIn(parser.value(examples), QStringLiteral("*.qml"))) {
        const QString name
            = QStringLiteral("example-%1.png").arg(QFileInfo(file).baseName().toLower());
        ok &= save(shots.renderExample(file), out, name, shots.lastError());
    }

    for (const QString &file : filesIn(parser.value(differences), QStringLiteral("*.svg"))) {
        const QImage item = shots.renderWithItem(file, DifferenceWidth);
        const QImage reference = DocShots::renderWithReference(file, item.size());
        const QImage model = DocShots::renderWithModel(file, DifferenceWidth);
        const QString name = QStringLiteral("difference-%1.png").arg(QFileInfo(file).baseName());
        if (item.isNull() || reference.isNull() || model.isNull()) {
            ok = failed(name,
                        item.isNull() ? shots.lastError()
                                      : QStringLiteral("rsvg-convert or the model failed"));
            continue;
        }
        ok &= save(
            DocShots::sideBySide({reference, model, item},
                                 {QStringLiteral("rsvg-convert"), QStringLiteral("document model"),
                                  QStringLiteral("ORBSvgItem")}),
            out, name, {});
    }

    if (parser.isSet(corpus)) {
        const QDir dir(parser.value(corpus));
        const QStringList files = {dir.filePath(QStringLiteral("w3c-tiny/paths-data-01-t.svg")),
                                   dir.filePath(QStringLiteral("w3c-tiny/shapes-polygon-01-t.svg")),
                                   dir.filePath(QStringLiteral("w3c-tiny/paint-grad-04-t.svg"))};
        QList<QImage> drawn;
        QStringList captions;
        for (const QString &file : files) {
            drawn.append(DocShots::renderWithModel(file, 240));
            captions.append(QFileInfo(file).fileName());
        }
        if (std::any_of(drawn.cbegin(), drawn.cend(), [](const QImage &i) { return i.isNull(); }))
            ok = failed(QStringLiteral("svg-model.png"),
                        QStringLiteral("a corpus file is missing"));
        else
            ok &= save(DocShots::sideBySide(drawn, captions), out, QStringLiteral("svg-model.png"),
                       {});

        QList<QImage> sizes;
        for (int width : {80, 160, 320})
            sizes.append(shots.renderWithItem(files.at(1), width));
        ok &= save(sizes.contains(QImage())
                       ? QImage()
                       : DocShots::sideBySide(sizes, {"80 px", "160 px", "320 px"}),
                   out, QStringLiteral("svg-item-sizes.png"), shots.lastError());
    }

    ok &= save(CollectorTrace(host.collector()).record(), out, QStringLiteral("collector.png"), {});

    // The root saves the cache when its engine goes.
    shots.finish();
    ok &= save(atlasPicture(cache.path()), out, QStringLiteral("distance-field-atlas.png"),
               QStringLiteral("no atlas was saved"));
    return ok ? 0 : 1;
}
