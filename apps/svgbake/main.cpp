// Bakes the distance fields of SVG artwork into a cache folder that an
// application ships as "SvgCache" beside its executable:
//   orbsvg-bake OUT_DIR FILE_OR_DIR...
// Every document is walked by the scene builder itself, so the folder holds
// exactly the fields that showing the documents asks for. The output depends
// only on the documents: the same inputs give the same bytes.
// Exit status: 0 when everything was baked; 1 when a file did not load or a
// folder held no SVG (the rest is still written); 2 when nothing could be
// written (bad arguments, an output folder that is not a baked cache).

#include "orbHostEnvironment.h"
#include "orbSvgCache.h"
#include "orbSvgCacheStore.h"

#include <QtCore/QDirIterator>
#include <QtCore/QFileInfo>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QUrl>
#include <QtGui/QGuiApplication>
#include <QtQuick/QSGNode>

#include <cstdio>
#include <memory>

namespace {

constexpr int InputFailed = 1;
constexpr int NothingWritten = 2;

void say(const QString &message)
{
    std::fprintf(stderr, "orbsvg-bake: %s\n", qPrintable(message));
}

// The cache reports each field it makes; the tool sums them up instead.
QtMessageHandler s_defaultHandler = nullptr;
void quietFieldMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (qstrcmp(context.category, "orb.svg") == 0
        && (message.startsWith(QLatin1String("Creating texture for"))
            || message.startsWith(QLatin1String("Generation took:"))))
        return;
    s_defaultHandler(type, context, message);
}

// The SVG files the arguments name, sorted and without repeats; each file
// that is missing and each folder without an SVG is reported.
QStringList collectDocuments(const QStringList &arguments, bool *complete)
{
    QStringList documents;
    for (const QString &argument : arguments) {
        const QFileInfo info(argument);
        if (info.isDir()) {
            QStringList found;
            QDirIterator it(info.absoluteFilePath(), {QStringLiteral("*.svg")}, QDir::Files,
                            QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
            while (it.hasNext())
                found.append(QFileInfo(it.next()).absoluteFilePath());
            if (found.isEmpty()) {
                say(QStringLiteral("no SVG file in folder %1").arg(argument));
                *complete = false;
            }
            documents += found;
        } else if (info.isFile()) {
            documents.append(info.absoluteFilePath());
        } else {
            say(QStringLiteral("no such file or folder: %1").arg(argument));
            *complete = false;
        }
    }
    documents.sort();
    documents.removeDuplicates();
    return documents;
}

// A descriptor that a bake wrote: it parses and carries no save dates.
bool isBakedDescriptor(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    return document.isObject() && document.object().value(QLatin1String("Textures")).isArray()
        && !document.object().contains(QLatin1String("CacheDate"));
}

// Why the tool may not write into folder, or an empty text when it may: the
// folder must be missing, empty, or hold only what an earlier bake left.
QString reasonToRefuse(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return QString();
    if (!info.isDir())
        return QStringLiteral("it is not a folder");
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink() || !entry.isFile()
            || !orbSvgCacheStore::isCacheFile(entry.fileName()))
            return QStringLiteral("it holds \"%1\", which no bake wrote").arg(entry.fileName());
    }
    const QString descriptor = QDir(folder).filePath(QStringLiteral("cache.dscr"));
    if (QFileInfo::exists(descriptor) && !isBakedDescriptor(descriptor))
        return QStringLiteral("it holds a cache that a running application saved, not a bake");
    return QString();
}

// Lets the scene builder walk each document; its path nodes request every
// field they draw with. False for a document that does not load.
bool bake(orbSvgCache &cache, const QString &document)
{
    QHash<QString, QSGNode *> nodesById;
    QSizeF size;
    const std::unique_ptr<QSGNode> root(
        cache.createNodes(QUrl::fromLocalFile(document), nodesById, size));
    return root != nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    // Nothing is shown and no GL is needed: the fields go to image-only atlases.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const orbHostEnvironment host(app); // the collector that disposes of the cache
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() < 2 || arguments.first().isEmpty()) {
        say(QStringLiteral("usage: orbsvg-bake OUT_DIR FILE_OR_DIR..."));
        return NothingWritten;
    }
    const QString outDir = QFileInfo(arguments.first()).absoluteFilePath();
    if (const QString reason = reasonToRefuse(outDir); !reason.isEmpty()) {
        say(QStringLiteral("refusing to write into %1: %2").arg(outDir, reason));
        return NothingWritten;
    }

    s_defaultHandler = qInstallMessageHandler(quietFieldMessages);
    bool complete = true;
    const QStringList documents = collectDocuments(arguments.mid(1), &complete);
    orb::ref_ptr<orbSvgCache> cache(new orbSvgCache);
    cache->setImageOnly(true);
    int baked = 0;
    for (const QString &document : documents) {
        if (bake(*cache, document)) {
            ++baked;
        } else {
            say(QStringLiteral("cannot load %1").arg(document));
            complete = false;
        }
    }

    // Also when it fails, the write leaves the cache with nothing to save on
    // its own (which would go to the working folder).
    if (!cache->writeReproducible(QDir(outDir))) {
        say(QStringLiteral("could not write the cache into %1").arg(outDir));
        return NothingWritten;
    }
    say(QStringLiteral("%1 fields from %2 of %3 documents written to %4")
            .arg(cache->textureCount())
            .arg(baked)
            .arg(documents.size())
            .arg(outDir));
    return complete ? 0 : InputFailed;
}
