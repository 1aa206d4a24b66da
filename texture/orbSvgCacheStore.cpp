#include "orbSvgCacheStore.h"

#include "AtlasPng.h"
#include "Crc32c.h"
#include "SvgLog.h"
#include "orbSubTexture.h"

#include <QtCore/QDataStream>
#include <QtCore/QDateTime>
#include <QtCore/QFile>
#include <QtCore/QHash>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QRegularExpression>
#include <QtCore/QSaveFile>
#include <QtCore/QSet>
#include <QtCore/QUuid>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

namespace {

const QString DescriptorName = QStringLiteral("cache.dscr");
// Under each atlas id in "Atlases": the checksum of its pixels.
const QString ChecksumKey = QStringLiteral("crc32c");
// Far beyond any real cache; a larger file is not read at all.
constexpr qint64 MaxDescriptorBytes = 256 * 1024 * 1024;
constexpr int MaxPathElements = 1000000;
// Distance-field atlases: 1024 x 1024 one-byte texels, four to an ARGB32 pixel.
const QSize AtlasImageSize(256, 1024);

// The namespace of the name-based UUIDs that name a reproducible cache's atlases.
const QUuid ReproducibleAtlasNamespace(QStringLiteral("{5d0e3b7a-2c41-4f7e-9a63-0b8f1c2d4e60}"));

orbSvgCacheStore::StepHook s_stepHook = nullptr;

// A checksum of an atlas's pixels rather than of its file: a PNG that another
// writer re-encoded still matches, one with other pixels does not. A CRC
// catches any replaced or damaged atlas at a fraction of the cost of a
// cryptographic hash, which loading every atlas at start-up would feel.
QString atlasChecksum(const QImage &image)
{
    quint32 crc = 0;
    for (int y = 0; y < image.height(); ++y)
        crc = orbsvgcache::crc32c(image.constScanLine(y), size_t(image.width()) * 4, crc);
    return QStringLiteral("%1").arg(crc, 8, 16, QLatin1Char('0'));
}

void stepDone(int &step)
{
    ++step;
    if (s_stepHook)
        s_stepHook(step);
}

// An atlas id is the text of a UUID with braces; nothing else names a file.
bool isAtlasId(const QString &id)
{
    const QUuid uuid = QUuid::fromString(id);
    return !uuid.isNull() && uuid.toString() == id;
}

QByteArray serialized(const QPainterPath &path)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << path;
    return bytes.toBase64();
}

bool isFinite(qreal value)
{
    return std::isfinite(value);
}

// The path a "hash" holds, or an empty path when it is not a usable one.
QPainterPath deserializedPath(const QString &text)
{
    const QByteArray bytes = QByteArray::fromBase64(text.toLatin1());
    QDataStream stream(bytes);
    QPainterPath path;
    stream >> path;
    if (stream.status() != QDataStream::Ok || !stream.atEnd())
        return QPainterPath();
    if (path.isEmpty() || path.elementCount() > MaxPathElements)
        return QPainterPath();
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (!isFinite(e.x) || !isFinite(e.y))
            return QPainterPath();
    }
    const QRectF bounds = path.boundingRect();
    if (bounds.width() <= 0 && bounds.height() <= 0)
        return QPainterPath();
    return path;
}

QRect subRect(const QJsonObject &object)
{
    QRect rect;
    rect.setX(int(object.value(QLatin1String("x")).toDouble(0.0)));
    rect.setY(int(object.value(QLatin1String("y")).toDouble(0.0)));
    rect.setWidth(int(object.value(QLatin1String("width")).toDouble(0.0)));
    rect.setHeight(int(object.value(QLatin1String("height")).toDouble(0.0)));
    return rect;
}

// The image of an atlas PNG, or null when the file is missing or no atlas image.
QImage readAtlasImage(const QString &fileName)
{
    QFile file(fileName);
    QSize headerSize;
    QImage image;
    if (file.open(QIODevice::ReadOnly)) {
        // Mapped rather than read: the pixels are copied once, from the page cache.
        size_t size = size_t(file.size());
        const uchar *data = size > 0 ? file.map(0, file.size()) : nullptr;
        QByteArray bytes;
        if (!data) {
            bytes = file.readAll();
            data = reinterpret_cast<const uchar *>(bytes.constData());
            size = size_t(bytes.size());
        }
        image = orbsvgcache::readAtlasPng(data, size, AtlasImageSize, &headerSize);
    }
    if (headerSize != AtlasImageSize) {
        qCWarning(lcSvg) << "Skipping cache atlas" << fileName << "of size" << headerSize;
        return QImage();
    }
    if (image.isNull())
        qCWarning(lcSvg) << "Skipping unreadable cache atlas" << fileName;
    return image;
}

// The image of an atlas PNG whose pixels match the checksum, or null.
QImage readCheckedAtlasImage(const QString &fileName, const QString &checksum)
{
    if (checksum.isEmpty()) {
        qCWarning(lcSvg) << "Skipping cache atlas" << fileName
                         << "that the descriptor gives no checksum for";
        return QImage();
    }
    const QImage image = readAtlasImage(fileName);
    if (image.isNull() || atlasChecksum(image) == checksum)
        return image;
    qCWarning(lcSvg) << "Skipping cache atlas" << fileName
                     << "whose pixels do not match the descriptor's checksum";
    return QImage();
}

// Decodes the atlases of the ids and hands each one that can be read and
// matches its checksum to decoded; per atlas, whether it did (one byte each,
// so that two threads never write the same word). Decoding is most of a warm
// start: a second thread shares it where there is a second core.
std::vector<char> decodeAtlases(const QDir &folder, const QStringList &ids,
                                const QJsonObject &checksums,
                                const orbSvgCacheStore::AtlasSink &decoded)
{
    // Worked out here: a QDir caches its absolute path on first use.
    QStringList files;
    QStringList sums;
    for (const QString &id : ids) {
        files.append(folder.absoluteFilePath(id + ".png"));
        sums.append(checksums.value(id).toObject().value(ChecksumKey).toString());
    }
    std::vector<char> passed(size_t(ids.size()), 0);
    std::atomic<int> next{0};
    const auto decode = [&] {
        for (int i = next++; i < ids.size(); i = next++) {
            const QImage image = readCheckedAtlasImage(files.at(i), sums.at(i));
            passed[size_t(i)] = !image.isNull();
            if (!image.isNull())
                decoded(i, image);
        }
    };
    std::thread helper;
    if (ids.size() > 1 && std::thread::hardware_concurrency() > 1)
        helper = std::thread(decode);
    decode();
    if (helper.joinable())
        helper.join();
    return passed;
}

QJsonDocument readDescriptor(const QString &fileName, bool *opened)
{
    QFile file(fileName);
    *opened = file.open(QIODevice::ReadOnly);
    if (!*opened)
        return QJsonDocument();
    if (file.size() > MaxDescriptorBytes) {
        qCWarning(lcSvg) << "Skipping cache descriptor" << fileName << "of" << file.size()
                         << "bytes";
        return QJsonDocument();
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        qCWarning(lcSvg) << "Skipping cache descriptor" << fileName << ":" << error.errorString();
    return document;
}

} // namespace

orbSvgCacheStore::Contents orbSvgCacheStore::read(const QDir &folder, int fieldSize,
                                                  const AtlasSink &decoded,
                                                  const QSet<QPainterPath> &known)
{
    Contents contents;
    const QString descriptorPath = folder.absoluteFilePath(DescriptorName);
    bool opened = false;
    const QJsonDocument descriptor = readDescriptor(descriptorPath, &opened);
    if (!opened) {
        qCInfo(lcSvg) << "Couldn't open cache descriptor for reading, probably this is the "
                         "first run (path:"
                      << descriptorPath << ")";
        return contents;
    }

    const QJsonObject top = descriptor.object();
    const int version = top.value(QLatin1String("Version")).toInt(1);
    if (version != FormatVersion) {
        if (descriptor.isObject())
            qCWarning(lcSvg) << "Skipping cache descriptor" << descriptorPath << "of format version"
                             << version << "(this build reads version" << FormatVersion << ")";
        return contents;
    }

    // First everything that needs no file beyond the descriptor is checked.
    struct Candidate
    {
        int atlas;
        QRect rect;
        QPainterPath path;
    };
    QVector<Candidate> candidates;
    QStringList atlasIds;
    const QJsonArray textures = top.value(QLatin1String("Textures")).toArray();
    for (const QJsonValue &value : textures) {
        const QJsonObject element = value.toObject();
        const QString id = element.value(QLatin1String("atlas-id")).toString();
        const QRect rect = subRect(element.value(QLatin1String("sub-rect")).toObject());
        if (!isAtlasId(id)) {
            qCWarning(lcSvg) << "Skipping a cache entry with the atlas id" << id.left(64);
            continue;
        }
        if (rect.width() != fieldSize || rect.height() != fieldSize || rect.x() < 0 || rect.y() < 0
            || rect.x() % 4 != 0 || rect.right() >= AtlasImageSize.width() * 4
            || rect.bottom() >= AtlasImageSize.height()) {
            qCWarning(lcSvg) << "Skipping a cache entry with the sub-rectangle" << rect;
            continue;
        }
        const QPainterPath path = deserializedPath(element.value(QLatin1String("hash")).toString());
        if (path.isEmpty()) {
            qCWarning(lcSvg) << "Skipping a cache entry whose path does not decode";
            continue;
        }
        if (known.contains(path))
            continue;
        int atlas = atlasIds.indexOf(id);
        if (atlas < 0) {
            atlas = atlasIds.size();
            atlasIds.append(id);
        }
        candidates.append(Candidate{atlas, rect, path});
    }

    const std::vector<char> passed
        = decodeAtlases(folder, atlasIds, top.value(QLatin1String("Atlases")).toObject(), decoded);
    for (const Candidate &candidate : qAsConst(candidates)) {
        if (passed[size_t(candidate.atlas)])
            contents.fields.append(
                Contents::Field{candidate.path, candidate.atlas, candidate.rect});
    }
    return contents;
}

bool orbSvgCacheStore::write(const QDir &folder,
                             const QList<QPair<QPainterPath, orbSubTexture *>> &entries,
                             WriteMode mode)
{
    if (!folder.mkpath(folder.absolutePath()))
        qCWarning(lcSvg) << "Couldn't create cache folder (path:" << folder.absolutePath() << ")";

    int step = 0;
    QHash<const orbTextureAtlas *, QString> atlasIds;
    QJsonObject atlasChecksums;
    QJsonArray textures;
    for (const auto &[path, texture] : entries) {
        const orbTextureAtlas *atlas = texture->atlas();
        auto id = atlasIds.constFind(atlas);
        if (id == atlasIds.constEnd()) {
            const QString checksum = atlasChecksum(atlas->image());
            // The position keeps two atlases of the same pixels apart.
            const QUuid uuid = mode == Reproducible ? QUuid::createUuidV5(
                                   ReproducibleAtlasNamespace,
                                   QString::number(atlasIds.size()) + QLatin1Char(':') + checksum)
                                                    : QUuid::createUuid();
            id = atlasIds.insert(atlas, uuid.toString());
            atlasChecksums.insert(id.value(), QJsonObject{{ChecksumKey, checksum}});
            // Under a temporary name until complete: a crash leaves no half atlas.
            // Written unfiltered and uncompressed: decoding the PNGs is most of
            // a warm start, and a megabyte an atlas is little for a cache.
            QSaveFile file(folder.absoluteFilePath(id.value() + ".png"));
            if (file.open(QIODevice::WriteOnly) && orbsvgcache::writeAtlasPng(atlas->image(), file))
                file.commit();
            stepDone(step);
        }
        const QRect rect = texture->rect();
        textures.append(
            QJsonObject{{QStringLiteral("atlas-id"), id.value()},
                        {QStringLiteral("sub-rect"),
                         QJsonObject{{QStringLiteral("x"), rect.x()},
                                     {QStringLiteral("y"), rect.y()},
                                     {QStringLiteral("width"), rect.width()},
                                     {QStringLiteral("height"), rect.height()}}},
                        {QStringLiteral("hash"), QString::fromLatin1(serialized(path))}});
    }

    QJsonObject top{{QStringLiteral("Version"), FormatVersion},
                    {QStringLiteral("Atlases"), atlasChecksums},
                    {QStringLiteral("Textures"), textures}};
    if (mode == Dated) {
        const QDateTime now = QDateTime::currentDateTime().toUTC();
        top.insert(QStringLiteral("CacheDate"), QStringLiteral("%1").arg(now.toMSecsSinceEpoch()));
        top.insert(QStringLiteral("CacheDateHR"), now.toString(Qt::TextDate));
    }

    // The descriptor goes last and replaces the old one in one rename: until
    // then the old descriptor and its atlases are all still there.
    const QString descriptorPath = folder.absoluteFilePath(DescriptorName);
    QSaveFile descriptor(descriptorPath);
    if (!descriptor.open(QIODevice::WriteOnly)) {
        qCWarning(lcSvg) << "Couldn't open cache descriptor for writing (path:" << descriptorPath
                         << ")";
        for (const QString &id : qAsConst(atlasIds))
            QFile::remove(folder.absoluteFilePath(id + ".png"));
        return false;
    }
    descriptor.write(QJsonDocument(top).toJson());
    if (!descriptor.commit()) {
        qCWarning(lcSvg) << "Couldn't write cache descriptor (path:" << descriptorPath << ")";
        return false;
    }
    stepDone(step);

    // Only now are the old atlases stale.
    QSet<QString> current;
    for (const QString &id : qAsConst(atlasIds))
        current.insert(id + ".png");
    const QFileInfoList files = folder.entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &file : files) {
        if (file.fileName() == DescriptorName || current.contains(file.fileName())
            || !isCacheFile(file.fileName()))
            continue;
        QFile::remove(file.absoluteFilePath());
        stepDone(step);
    }
    return true;
}

bool orbSvgCacheStore::isCacheFile(const QString &fileName)
{
    // The descriptor, atlas PNGs named by a UUID, and what an interrupted
    // write left under a temporary name beside either of them.
    static const QRegularExpression pattern(QStringLiteral(
        "^(cache\\.dscr|\\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\}\\.png)"
        "(\\.[A-Za-z0-9]+)?$"));
    return pattern.match(fileName).hasMatch();
}

void orbSvgCacheStore::setStepHook(StepHook hook)
{
    s_stepHook = hook;
}
