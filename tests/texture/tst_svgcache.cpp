// The SVG texture cache: one texture per path geometry, atlases, and the
// cache folder on disk with everything that can go wrong with it.

#include "DistanceField.h"
#include "GLTestContext.h"
#include "QmlTestSupport.h"
#include "orbSubTexture.h"
#include "orbSvgCache.h"
#include "orbSvgCacheStore.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using CachePtr = orb::ref_ptr<orbSvgCache>;

const char *const InterruptedSaveArgument = "--interrupted-save";
constexpr int OldPathCount = 5;
constexpr int NewPathCount = 3;

QPainterPath shape(int i)
{
    QPainterPath path;
    path.addEllipse(QRectF(0, 0, 10 + i, 20 + (i * 7) % 13));
    path.addRect(QRectF(2, 3, 4 + i % 3, 5));
    return path;
}

CachePtr cacheIn(const QString &folder)
{
    CachePtr cache(new orbSvgCache);
    cache->setCacheFolder(QDir(folder));
    return cache;
}

// The field the texture shows, read from its atlas's CPU copy.
QByteArray fieldOf(QSGTexture *texture)
{
    auto *sub = static_cast<orbSubTexture *>(texture);
    QByteArray bytes;
    for (int y = 0; y < 128; ++y)
        bytes.append(
            reinterpret_cast<const char *>(sub->atlas()->image().constScanLine(sub->rect().y() + y))
                + sub->rect().x(),
            128);
    return bytes;
}

// The field of shape(i), computed once per test run.
QByteArray expectedField(int i)
{
    static QHash<int, QByteArray> fields;
    auto field = fields.constFind(i);
    if (field == fields.constEnd()) {
        const QImage image = orbsdf::generateDistanceField(shape(i), QSizeF(2048, 2048), 128);
        field = fields.insert(
            i, QByteArray(reinterpret_cast<const char *>(image.constBits()), 128 * 128));
    }
    return field.value();
}

int creations(const orbtest::MessageCapture &messages)
{
    int count = 0;
    for (const QString &message : messages.messages())
        count += message.startsWith(QLatin1String("Creating texture for"));
    return count;
}

void writeCache(const QString &folder, int count, int first = 0)
{
    CachePtr cache = cacheIn(folder);
    for (int i = first; i < first + count; ++i)
        cache->textureForPath(shape(i));
    cache->save();
}

QJsonObject readJson(const QString &file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(f.readAll()).object();
}

void writeFile(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Child-process mode: load the cache, add new fields, and stop dead at a step of the save.
int s_stopAtStep = 0;
void stopAtStep(int step)
{
    if (step == s_stopAtStep)
        std::_Exit(0);
}

int interruptedSave(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    orbtest::GLTestContext gl;
    if (!gl.isValid())
        return 2;
    s_stopAtStep = QByteArray(argv[3]).toInt();
    orbSvgCacheStore::setStepHook(stopAtStep);
    CachePtr cache = cacheIn(QString::fromLocal8Bit(argv[2]));
    for (int i = OldPathCount; i < OldPathCount + NewPathCount; ++i)
        cache->textureForPath(shape(i));
    cache->save();
    return 3; // the save ran to its end
}

} // namespace

class tst_SvgCache : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void samePathSameTexture();
    void fiftiethPathStartsASecondAtlas();
    void saveAndLoadRoundTrip();
    void saveWithNothingNewWritesNothing();
    void seedFolderWins();
    void seededFieldsAreNotDecodedAgain();
    void folderReadWhileTheCacheIsInUse();
    void tamperedCaches_data();
    void tamperedCaches();
    void damagedSeedFolders_data();
    void damagedSeedFolders();
    void interruptedSaveLeavesALoadableCache();
    void saveWhereNoFolderCanBeMade();
    void gradientTexture();

private:
    std::unique_ptr<orbtest::GLTestContext> m_gl;
};

void tst_SvgCache::initTestCase()
{
    QLoggingCategory::setFilterRules(QStringLiteral("orb.svg.info=true"));
    m_gl = std::make_unique<orbtest::GLTestContext>();
    QVERIFY2(m_gl->isValid(), "no OpenGL context (run under Xvfb)");
    QVERIFY(!QDir(orbSvgCache::seedFolderPath()).exists());
}

void tst_SvgCache::cleanupTestCase()
{
    QDir(orbSvgCache::seedFolderPath()).removeRecursively();
    m_gl.reset();
}

void tst_SvgCache::samePathSameTexture()
{
    QTemporaryDir dir;
    // The folder is read from the cache's creation on.
    orbtest::MessageCapture messages;
    CachePtr cache = cacheIn(dir.path());
    QSGTexture *first = cache->textureForPath(shape(1));
    QSGTexture *again = cache->textureForPath(shape(1)); // an equal path, made anew
    QCOMPARE(again, first);
    QCOMPARE(creations(messages), 1);
    QCOMPARE(first->filtering(), QSGTexture::Linear);
    QCOMPARE(fieldOf(first), expectedField(1));
    QVERIFY(messages.contains(QStringLiteral("Generation took:")));
    QVERIFY(messages.contains(QStringLiteral(
        "Couldn't open cache descriptor for reading, probably this is the first run (path:")));
}

void tst_SvgCache::fiftiethPathStartsASecondAtlas()
{
    QTemporaryDir dir;
    CachePtr cache = cacheIn(dir.path());
    QList<orbSubTexture *> textures;
    for (int i = 0; i < 50; ++i)
        textures.append(static_cast<orbSubTexture *>(cache->textureForPath(shape(i))));
    QCOMPARE(textures.at(48)->atlas(), textures.at(0)->atlas());
    QVERIFY(textures.at(49)->atlas() != textures.at(0)->atlas());
    QCOMPARE(textures.at(49)->rect(), QRect(0, 0, 128, 128));
    // The full atlas lives on through its sub-textures (49 of them).
    QCOMPARE(textures.at(0)->atlas()->refCount(), 49);
}

void tst_SvgCache::saveAndLoadRoundTrip()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("notes.txt"), "the user's own file");
    writeFile(dir.filePath("picture.png"), "not an atlas");
    QMap<int, QByteArray> fields;
    {
        CachePtr cache = cacheIn(dir.path());
        for (int i = 0; i < 52; ++i)
            fields.insert(i, fieldOf(cache->textureForPath(shape(i))));
        cache->save();
    }
    QStringList atlases = QDir(dir.path()).entryList({"*.png"});
    atlases.removeOne("picture.png");
    QCOMPARE(atlases.size(), 2);
    QVERIFY(QFile::exists(dir.filePath("notes.txt")) && QFile::exists(dir.filePath("picture.png")));
    const QJsonObject descriptor = readJson(dir.filePath("cache.dscr"));
    QCOMPARE(descriptor.value("Textures").toArray().size(), 52);
    QVERIFY(descriptor.contains("CacheDate") && descriptor.contains("CacheDateHR"));

    orbtest::MessageCapture messages;
    CachePtr loaded = cacheIn(dir.path());
    for (int i = 0; i < 52; ++i)
        QCOMPARE(fieldOf(loaded->textureForPath(shape(i))), fields.value(i));
    QCOMPARE(creations(messages), 0);

    // Loading marks the cache changed: the next save rewrites the atlases under new names.
    loaded->save();
    QStringList rewritten = QDir(dir.path()).entryList({"*.png"});
    rewritten.removeOne("picture.png");
    QCOMPARE(rewritten.size(), 2);
    for (const QString &atlas : atlases)
        QVERIFY(!rewritten.contains(atlas));
    QVERIFY(QFile::exists(dir.filePath("notes.txt")));
}

void tst_SvgCache::saveWithNothingNewWritesNothing()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("keep.txt"), "x");
    CachePtr cache = cacheIn(dir.path());
    cache->save();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.txt"});
}

void tst_SvgCache::seedFolderWins()
{
    // The writable folder claims that shape(0) looks like shape(1).
    QTemporaryDir writable;
    writeCache(writable.path(), 2);
    QJsonObject descriptor = readJson(writable.filePath("cache.dscr"));
    QJsonArray textures = descriptor.value("Textures").toArray();
    QJsonObject first = textures.at(0).toObject();
    QJsonObject second = textures.at(1).toObject();
    const QJsonValue firstHash = first.value("hash");
    first["hash"] = second.value("hash");
    second["hash"] = firstHash;
    textures = QJsonArray{first, second};
    descriptor["Textures"] = textures;
    writeFile(writable.filePath("cache.dscr"), QJsonDocument(descriptor).toJson());

    const QString seed = orbSvgCache::seedFolderPath();
    QVERIFY(QDir().mkpath(seed));
    writeCache(seed, 1);
    orbtest::MessageCapture messages;
    CachePtr cache = cacheIn(writable.path());
    QCOMPARE(fieldOf(cache->textureForPath(shape(0))), expectedField(0));
    QCOMPARE(creations(messages), 0);
    QDir(seed).removeRecursively();
}

// A running cache saves the seed's fields into the writable folder too; on
// the next start those copies are not decoded (a damaged copy goes unnoticed),
// while fields found only in the writable folder still load.
void tst_SvgCache::seededFieldsAreNotDecodedAgain()
{
    const QString seed = orbSvgCache::seedFolderPath();
    // Removed however the test ends: the other tests expect no seed folder.
    const auto removeSeed = qScopeGuard([&] { QDir(seed).removeRecursively(); });
    QVERIFY(QDir().mkpath(seed));
    writeCache(seed, 2);
    QTemporaryDir writable;
    {
        CachePtr cache = cacheIn(writable.path());
        cache->textureForPath(shape(0)); // from the seed: marks the cache changed
        cache->save();
    }
    QTemporaryDir extra;
    writeCache(extra.path(), 1, 5);
    const QStringList copies = QDir(writable.path()).entryList({"*.png"});
    QCOMPARE(copies.size(), 1);
    writeFile(writable.filePath(copies.first()), "no atlas at all");

    {
        orbtest::MessageCapture messages;
        CachePtr cache = cacheIn(writable.path());
        for (int i = 0; i < 2; ++i)
            QCOMPARE(fieldOf(cache->textureForPath(shape(i))), expectedField(i));
        QCOMPARE(creations(messages), 0);
        QVERIFY2(!messages.contains(QStringLiteral("Skipping")),
                 qPrintable(messages.messages().join('\n')));
    }
    // A field the seed lacks is read from the writable folder.
    QDir(writable.path()).removeRecursively();
    QVERIFY(QDir().mkpath(writable.path()));
    for (const QString &file : QDir(extra.path()).entryList(QDir::Files))
        QVERIFY(QFile::copy(extra.filePath(file), writable.filePath(file)));
    orbtest::MessageCapture messages;
    CachePtr cache = cacheIn(writable.path());
    QCOMPARE(fieldOf(cache->textureForPath(shape(5))), expectedField(5));
    QCOMPARE(fieldOf(cache->textureForPath(shape(1))), expectedField(1));
    QCOMPARE(creations(messages), 0);
}

// The folders are read on a thread of their own from the moment the folder
// is set: a cache dropped or pointed elsewhere before its first request
// neither crashes nor mixes the folders, and requests from another thread
// wait for the read.
void tst_SvgCache::folderReadWhileTheCacheIsInUse()
{
    QTemporaryDir first;
    QTemporaryDir second;
    writeCache(first.path(), 60);
    writeCache(second.path(), 2, 100);
    for (int round = 0; round < 5; ++round)
        cacheIn(first.path()); // dropped while it reads

    orbtest::MessageCapture messages;
    CachePtr cache = cacheIn(first.path());
    cache->setCacheFolder(QDir(second.path()));
    // Only the second folder's fields are known.
    QCOMPARE(fieldOf(cache->textureForPath(shape(100))), expectedField(100));
    QCOMPARE(creations(messages), 0);
    QCOMPARE(cache->textureCount(), 2);

    // A request from a thread other than the one that set the folder.
    CachePtr other = cacheIn(first.path());
    QOpenGLContext *context = m_gl->context();
    context->doneCurrent();
    QByteArray field;
    std::unique_ptr<QThread> renderThread(QThread::create([&] {
        if (m_gl->makeCurrent())
            field = fieldOf(other->textureForPath(shape(59)));
        context->doneCurrent();
        context->moveToThread(QCoreApplication::instance()->thread());
    }));
    context->moveToThread(renderThread.get());
    renderThread->start();
    QVERIFY(renderThread->wait(60000));
    QVERIFY(m_gl->makeCurrent());
    QCOMPARE(field, expectedField(59));
    QCOMPARE(creations(messages), 0);
    QCOMPARE(other->textureCount(), 60);
}

void tst_SvgCache::tamperedCaches_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("regenerated");
    QTest::newRow("truncated descriptor") << "truncate-descriptor" << 3;
    QTest::newRow("descriptor not JSON") << "garbage-descriptor" << 3;
    QTest::newRow("missing atlas") << "remove-png" << 3;
    QTest::newRow("truncated atlas") << "truncate-png" << 3;
    QTest::newRow("atlas of the wrong size") << "small-png" << 3;
    QTest::newRow("atlas with a changed byte") << "flip-png" << 3;
    // Not damage: an atlas that another PNG writer compressed and filtered.
    QTest::newRow("atlas rewritten by QImage") << "rewrite-png" << 0;
    QTest::newRow("rectangle outside the atlas") << "rect-outside" << 1;
    QTest::newRow("rectangle not a field") << "rect-size" << 1;
    QTest::newRow("path that does not decode") << "bad-hash" << 1;
    QTest::newRow("empty path") << "empty-path" << 1;
    QTest::newRow("atlas id that is a file path") << "bad-id" << 1;
}

void tst_SvgCache::tamperedCaches()
{
    QFETCH(QString, damage);
    QFETCH(int, regenerated);
    QTemporaryDir dir;
    writeCache(dir.path(), 3);
    const QString descriptorPath = dir.filePath("cache.dscr");
    QJsonObject descriptor = readJson(descriptorPath);
    QJsonArray textures = descriptor.value("Textures").toArray();
    QJsonObject entry = textures.at(0).toObject();
    const QString png = dir.filePath(entry.value("atlas-id").toString() + ".png");
    QFile descriptorFile(descriptorPath);
    descriptorFile.open(QIODevice::ReadOnly);
    const QByteArray descriptorBytes = descriptorFile.readAll();
    descriptorFile.close();

    QJsonObject rect = entry.value("sub-rect").toObject();
    if (damage == "truncate-descriptor") {
        writeFile(descriptorPath, descriptorBytes.left(descriptorBytes.size() / 2));
    } else if (damage == "garbage-descriptor") {
        writeFile(descriptorPath, "\x89PNG not json at all");
    } else if (damage == "remove-png") {
        QFile::remove(png);
    } else if (damage == "truncate-png") {
        QFile file(png);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        file.close();
        writeFile(png, bytes.left(bytes.size() / 3));
    } else if (damage == "small-png") {
        QImage(100, 100, QImage::Format_ARGB32).save(png);
    } else if (damage == "flip-png") {
        QFile file(png);
        file.open(QIODevice::ReadOnly);
        QByteArray bytes = file.readAll();
        file.close();
        bytes[bytes.size() / 2] = char(bytes.at(bytes.size() / 2) ^ 0x20);
        writeFile(png, bytes);
    } else if (damage == "rewrite-png") {
        const QImage written(png);
        QCOMPARE(written.format(), QImage::Format_ARGB32);
        QVERIFY(written.save(png, "PNG", 0));
    } else {
        if (damage == "rect-outside")
            rect["x"] = 1008;
        else if (damage == "rect-size")
            rect["width"] = 64;
        else if (damage == "bad-hash")
            entry["hash"] = QStringLiteral("AAAA////garbage");
        else if (damage == "empty-path") {
            QByteArray bytes;
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            stream << QPainterPath();
            entry["hash"] = QString::fromLatin1(bytes.toBase64());
        } else if (damage == "bad-id")
            entry["atlas-id"] = QStringLiteral("../../etc/passwd");
        entry["sub-rect"] = rect;
        textures[0] = entry;
        descriptor["Textures"] = textures;
        writeFile(descriptorPath, QJsonDocument(descriptor).toJson());
    }

    orbtest::MessageCapture messages;
    CachePtr cache = cacheIn(dir.path());
    // Every texture shows the field of its own path, whatever was on disk.
    for (int i = 0; i < 3; ++i)
        QCOMPARE(fieldOf(cache->textureForPath(shape(i))), expectedField(i));
    QCOMPARE(creations(messages), regenerated);
    // What was skipped is said in the cache's category.
    QCOMPARE(messages.contains(QStringLiteral("Skipping")), regenerated > 0);
}

void tst_SvgCache::damagedSeedFolders_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("regenerated");
    QTest::newRow("intact") << "none" << QString() << 0;
    QTest::newRow("atlas replaced by another of the same size")
        << "other-atlas"
        << "whose pixels do not match the descriptor's checksum" << 3;
    QTest::newRow("atlas without a checksum") << "no-checksum"
                                              << "that the descriptor gives no checksum for" << 3;
    QTest::newRow("descriptor missing") << "no-descriptor"
                                        << "Couldn't open cache descriptor for reading" << 3;
    QTest::newRow("descriptor truncated") << "truncated-descriptor"
                                          << "Skipping cache descriptor" << 3;
    QTest::newRow("descriptor unreadable") << "folder-descriptor"
                                           << "Couldn't open cache descriptor for reading" << 3;
    QTest::newRow("descriptor of the earlier format")
        << "old-format"
        << QStringLiteral("of format version 1 (this build reads version %1 )")
               .arg(orbSvgCacheStore::FormatVersion)
        << 3;
}

// A seed folder that lost or changed files gives no wrong texture, and the
// writable folder keeps working beside it.
void tst_SvgCache::damagedSeedFolders()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    QFETCH(int, regenerated);
    const QString seed = orbSvgCache::seedFolderPath();
    QDir(seed).removeRecursively();
    // A valid atlas of other fields, written while there is no seed folder.
    QTemporaryDir other;
    writeCache(other.path(), 3, 10);
    writeCache(seed, 3);
    const QString descriptorPath = QDir(seed).filePath("cache.dscr");
    QJsonObject descriptor = readJson(descriptorPath);
    const QString png = QDir(seed).filePath(
        descriptor.value("Textures").toArray().at(0).toObject().value("atlas-id").toString()
        + ".png");
    if (damage == "other-atlas") {
        const QStringList pngs = QDir(other.path()).entryList({"*.png"});
        QCOMPARE(pngs.size(), 1);
        QVERIFY(QFile::remove(png));
        QVERIFY(QFile::copy(QDir(other.path()).filePath(pngs.first()), png));
    } else if (damage == "no-checksum" || damage == "old-format") {
        descriptor.remove(damage == "no-checksum" ? "Atlases" : "Version");
        writeFile(descriptorPath, QJsonDocument(descriptor).toJson());
    } else if (damage == "no-descriptor") {
        QVERIFY(QFile::remove(descriptorPath));
    } else if (damage == "truncated-descriptor") {
        writeFile(descriptorPath, QJsonDocument(descriptor).toJson().left(300));
    } else if (damage == "folder-descriptor") {
        QVERIFY(QFile::remove(descriptorPath));
        QVERIFY(QDir().mkpath(descriptorPath));
    }

    QTemporaryDir writable;
    {
        orbtest::MessageCapture messages;
        CachePtr cache = cacheIn(writable.path());
        for (int i = 0; i < 3; ++i)
            QCOMPARE(fieldOf(cache->textureForPath(shape(i))), expectedField(i));
        QCOMPARE(creations(messages), regenerated);
        if (!message.isEmpty())
            QVERIFY2(messages.contains(message), qPrintable(messages.messages().join('\n')));
        cache->save();
    }
    // The next start finds in the writable folder what the seed folder lacked.
    orbtest::MessageCapture messages;
    CachePtr cache = cacheIn(writable.path());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(fieldOf(cache->textureForPath(shape(i))), expectedField(i));
    QCOMPARE(creations(messages), 0);
    QDir(seed).removeRecursively();
}

void tst_SvgCache::interruptedSaveLeavesALoadableCache()
{
    QTemporaryDir base;
    writeCache(base.path(), OldPathCount);
    const QStringList oldFiles = QDir(base.path()).entryList(QDir::Files);

    // Steps: two atlases written (the loaded one and the new one), the
    // descriptor, the stale atlas removed.
    for (int step = 1; step <= 5; ++step) {
        QTemporaryDir dir;
        for (const QString &file : oldFiles)
            QVERIFY(QFile::copy(base.filePath(file), dir.filePath(file)));
        QProcess child;
        child.start(
            QCoreApplication::applicationFilePath(),
            {QString::fromLatin1(InterruptedSaveArgument), dir.path(), QString::number(step)});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), step == 5 ? 3 : 0);

        orbtest::MessageCapture messages;
        CachePtr cache = cacheIn(dir.path());
        for (int i = 0; i < OldPathCount + NewPathCount; ++i)
            QCOMPARE(fieldOf(cache->textureForPath(shape(i))), expectedField(i));
        // Before the descriptor was in place the old cache loads; after it, the new one.
        QCOMPARE(creations(messages), step < 3 ? NewPathCount : 0);
        for (const QString &file : QDir(dir.path()).entryList(QDir::Files))
            QVERIFY2(orbSvgCacheStore::isCacheFile(file), qPrintable(file));
    }
}

// A cache folder whose parent is a file: the save says why it wrote
// nothing, and the file stays as it was.
void tst_SvgCache::saveWhereNoFolderCanBeMade()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("file"), "the user's own file");
    const QString folder = dir.filePath("file/cache");
    CachePtr cache = cacheIn(folder);
    QCOMPARE(fieldOf(cache->textureForPath(shape(2))), expectedField(2));
    orbtest::MessageCapture messages;
    cache->save();
    QVERIFY(messages.contains(QStringLiteral("Couldn't create cache folder (path:")));
    QVERIFY(messages.contains(
        QStringLiteral("Couldn't open cache descriptor for writing (path: \"%1/cache.dscr\" )")
            .arg(folder)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{"file"});
    QFile file(dir.filePath("file"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("the user's own file"));
}

void tst_SvgCache::gradientTexture()
{
    QTemporaryDir dir;
    CachePtr cache = cacheIn(dir.path());
    QLinearGradient linear(0, 0, 1, 0);
    linear.setColorAt(0, Qt::red);
    linear.setColorAt(1, Qt::blue);
    linear.setSpread(QGradient::ReflectSpread);
    // An offscreen surface is no Qt Quick window.
    QCOMPARE(cache->gradientTexture(QBrush(linear)), nullptr);

    QQuickWindow window;
    window.resize(32, 32);
    bool made = false;
    connect(
        &window, &QQuickWindow::beforeRendering, &window,
        [&] {
            if (made)
                return;
            std::unique_ptr<QSGTexture> texture(cache->gradientTexture(QBrush(linear)));
            made = texture && texture->filtering() == QSGTexture::Linear
                && texture->horizontalWrapMode() == QSGTexture::Repeat
                && texture->textureSize() == QSize(1, 64);
        },
        Qt::DirectConnection);
    window.show();
    QTRY_VERIFY(made);
    window.close();
    QVERIFY(m_gl->context()->makeCurrent(m_gl->context()->surface()));
}

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], InterruptedSaveArgument) == 0)
        return interruptedSave(argc, argv);
    qputenv("QSG_RENDER_LOOP", "basic"); // render on this thread: gradientTexture runs here
    QGuiApplication app(argc, argv);
    tst_SvgCache test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_svgcache.moc"
