// Texture atlases and sub-textures on a real OpenGL context.

#include "GLTestContext.h"
#include "orbRuntime.h"
#include "orbSubTexture.h"
#include "orbTextureAtlas.h"
#include "orbTextureAtlasPool.h"

#include <QtCore/QThread>
#include <QtGui/QOffscreenSurface>
#include <QtTest/QtTest>

#include <cstring>
#include <memory>

namespace {

// A 32 x 128 ARGB32 image: 128 x 128 alpha texels whose values encode their place.
QImage fieldImage(int seed)
{
    QImage image(32, 128, QImage::Format_ARGB32);
    for (int y = 0; y < 128; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < 128; ++x)
            line[x] = uchar((x * 7 + y * 13 + seed * 31) & 0xff);
    }
    return image;
}

using AtlasPtr = orb::ref_ptr<orbTextureAtlas>;

} // namespace

class tst_Atlas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void placesFieldsInRowsOfSeven();
    void aWholeImageFillsAnAtlas();
    void subTextureReportsItsRectangle();
    void cpuCopyHoldsTheImageBytes();
    void uploadedTexelsEqualTheCpuCopy();
    void rgbaAtlasUploadsPixels();
    void poolStartsNewAtlasesAndRefusesLargeImages();
    void withoutContextNothingIsMade();
    void imageOnlyAtlasPlacesAsAnAtlasWithATexture();
    void atlasDiesOnTheThreadThatMadeIt();

private:
    std::unique_ptr<orbtest::GLTestContext> m_gl;
    std::unique_ptr<orb::GarbageCollection> m_collector;
};

void tst_Atlas::initTestCase()
{
    m_collector = std::make_unique<orb::GarbageCollection>(20);
    m_gl = std::make_unique<orbtest::GLTestContext>();
    QVERIFY2(m_gl->isValid(), "no OpenGL context (run under Xvfb)");
}

void tst_Atlas::cleanupTestCase()
{
    m_collector.reset();
    m_gl.reset();
}

void tst_Atlas::placesFieldsInRowsOfSeven()
{
    AtlasPtr atlas(new orbTextureAtlas(QSize(1024, 1024), orbTextureAtlas::Alpha));
    QVERIFY(atlas->textureId() != 0);
    QCOMPARE(atlas->image().size(), QSize(256, 1024));
    QVERIFY(atlas->canFit(QSize(32, 128)));
    QCOMPARE(atlas->addImage(fieldImage(0)), QRect(0, 0, 128, 128));
    QCOMPARE(atlas->addImage(fieldImage(1)).topLeft(), QPoint(144, 0));
    for (int i = 2; i < 7; ++i)
        QCOMPARE(atlas->addImage(fieldImage(i)).topLeft(), QPoint(144 * i, 0));
    QCOMPARE(atlas->addImage(fieldImage(7)).topLeft(), QPoint(0, 144)); // the eighth starts row two
    for (int i = 8; i < 49; ++i) {
        QVERIFY(atlas->canFit(QSize(32, 128)));
        QCOMPARE(atlas->addImage(fieldImage(i)).topLeft(), QPoint(144 * (i % 7), 144 * (i / 7)));
    }
    QVERIFY(!atlas->canFit(QSize(32, 128)));
    QVERIFY(!atlas->canFit(QSize(257, 1)));
}

void tst_Atlas::aWholeImageFillsAnAtlas()
{
    AtlasPtr atlas(new orbTextureAtlas(QSize(1024, 1024), orbTextureAtlas::Alpha));
    QImage whole(256, 1024, QImage::Format_ARGB32);
    whole.fill(Qt::red);
    QVERIFY(atlas->canFit(whole.size()));
    QCOMPARE(atlas->addImage(whole), QRect(0, 0, 1024, 1024));
    QVERIFY(!atlas->canFit(QSize(1, 1)));

    AtlasPtr fromImage(orbTextureAtlas::atlasFromImage(whole, orbTextureAtlas::Alpha));
    QCOMPARE(fromImage->size(), QSize(1024, 1024));
    QCOMPARE(fromImage->image(), whole);
    QVERIFY(!fromImage->canFit(QSize(1, 1)));
}

void tst_Atlas::subTextureReportsItsRectangle()
{
    AtlasPtr atlas(new orbTextureAtlas(QSize(1024, 1024), orbTextureAtlas::Alpha));
    orbSubTexture texture(atlas.get(), QRect(144, 288, 128, 128));
    QCOMPARE(texture.normalizedTextureSubRect(), QRectF(0.140625, 0.28125, 0.125, 0.125));
    QCOMPARE(texture.textureSize(), QSize(1024, 1024));
    QCOMPARE(texture.textureId(), int(atlas->textureId()));
    QVERIFY(texture.isAtlasTexture());
    QCOMPARE(texture.filtering(), QSGTexture::Nearest);
    QCOMPARE(texture.horizontalWrapMode(), QSGTexture::ClampToEdge);
    // The sub-texture keeps its atlas alive.
    QCOMPARE(atlas->refCount(), 2);
}

void tst_Atlas::cpuCopyHoldsTheImageBytes()
{
    AtlasPtr atlas(new orbTextureAtlas(QSize(1024, 1024), orbTextureAtlas::Alpha));
    atlas->addImage(fieldImage(1));
    const QImage second = fieldImage(2);
    QCOMPARE(atlas->addImage(second), QRect(144, 0, 128, 128));
    for (int y = 0; y < 128; ++y)
        QVERIFY(std::memcmp(atlas->image().constScanLine(y) + 144, second.constScanLine(y), 128)
                == 0);
    // Nothing spills into the spacing after it.
    QCOMPARE(int(atlas->image().constScanLine(0)[144 + 128]), 0);
}

void tst_Atlas::uploadedTexelsEqualTheCpuCopy()
{
    AtlasPtr atlas(new orbTextureAtlas(QSize(1024, 1024), orbTextureAtlas::Alpha));
    for (int i = 0; i < 9; ++i)
        atlas->addImage(fieldImage(i));
    const QImage texels = orbtest::readTexture(atlas->textureId(), atlas->size(), true);
    for (int y = 0; y < 1024; ++y)
        QVERIFY2(std::memcmp(texels.constScanLine(y), atlas->image().constScanLine(y), 1024) == 0,
                 qPrintable(QStringLiteral("row %1").arg(y)));
}

void tst_Atlas::rgbaAtlasUploadsPixels()
{
    AtlasPtr atlas(new orbTextureAtlas(QSize(64, 64), orbTextureAtlas::Rgba));
    QCOMPARE(atlas->image().size(), QSize(64, 64));
    QImage image(8, 4, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30, 255));
    QCOMPARE(atlas->addImage(image), QRect(0, 0, 8, 4));
    const QImage texels = orbtest::readTexture(atlas->textureId(), atlas->size(), false);
    // ARGB32 bytes go up as they lie in memory (B, G, R, A on little-endian).
    const uchar *first = texels.constScanLine(0);
    QCOMPARE(int(first[0]), 30);
    QCOMPARE(int(first[2]), 10);
}

void tst_Atlas::poolStartsNewAtlasesAndRefusesLargeImages()
{
    orb::ref_ptr<orbTextureAtlasPool> pool(
        new orbTextureAtlasPool(QSize(1024, 1024), orbTextureAtlas::Alpha));
    QVERIFY(!pool->add(QImage(1025, 1, QImage::Format_ARGB32)));
    std::vector<std::unique_ptr<QSGTexture>> textures;
    for (int i = 0; i < 50; ++i)
        textures.emplace_back(pool->add(fieldImage(i)));
    auto *first = static_cast<orbSubTexture *>(textures.front().get());
    auto *last = static_cast<orbSubTexture *>(textures.back().get());
    QVERIFY(first->atlas() != last->atlas());
    QCOMPARE(last->rect(), QRect(0, 0, 128, 128));
    QCOMPARE(static_cast<orbSubTexture *>(textures[48].get())->atlas(), first->atlas());
}

void tst_Atlas::withoutContextNothingIsMade()
{
    m_gl->context()->doneCurrent();
    AtlasPtr atlas(new orbTextureAtlas(QSize(1024, 1024), orbTextureAtlas::Alpha));
    const bool noTexture = atlas->textureId() == 0 && atlas->image().isNull();
    const QRect rect = atlas->addImage(fieldImage(0));
    atlas.reset();
    QVERIFY(m_gl->makeCurrent());
    QVERIFY(noTexture);
    QVERIFY(rect.isNull());
}

// Baking needs no GL: an image-only atlas places and copies images exactly as
// one with a texture does, with or without a current context, and makes no texture.
void tst_Atlas::imageOnlyAtlasPlacesAsAnAtlasWithATexture()
{
    AtlasPtr withTexture(new orbTextureAtlas(QSize(1024, 1024), orbTextureAtlas::Alpha));
    AtlasPtr current(
        new orbTextureAtlas(QSize(1024, 1024), orbTextureAtlas::Alpha, orbTextureAtlas::ImageOnly));
    QList<QRect> places;
    for (int i = 0; i < 12; ++i) {
        places.append(withTexture->addImage(fieldImage(i)));
        current->addImage(fieldImage(i));
    }
    m_gl->context()->doneCurrent();
    AtlasPtr noContext(
        new orbTextureAtlas(QSize(1024, 1024), orbTextureAtlas::Alpha, orbTextureAtlas::ImageOnly));
    QList<QRect> placesWithoutContext;
    for (int i = 0; i < 12; ++i)
        placesWithoutContext.append(noContext->addImage(fieldImage(i)));
    QVERIFY(m_gl->makeCurrent());
    QCOMPARE(placesWithoutContext, places);
    QCOMPARE(noContext->image(), withTexture->image());
    QCOMPARE(current->image(), withTexture->image());
    QCOMPARE(noContext->textureId(), 0u);
    QCOMPARE(current->textureId(), 0u);
    QVERIFY(withTexture->textureId() != 0);
}

void tst_Atlas::atlasDiesOnTheThreadThatMadeIt()
{
    // A thread with its own current context and event loop, as the render thread.
    QOffscreenSurface surface; // surfaces belong to the GUI thread
    surface.create();
    QThread renderThread;
    QObject anchor; // receives the calls made on the render thread
    anchor.moveToThread(&renderThread);
    renderThread.start();
    auto runThere = [&](auto function) {
        QMetaObject::invokeMethod(&anchor, function, Qt::BlockingQueuedConnection);
    };
    std::unique_ptr<QOpenGLContext> context;
    std::atomic<QThread *> diedIn{nullptr};
    AtlasPtr atlas;
    bool current = false;
    runThere([&] {
        context = std::make_unique<QOpenGLContext>();
        current = context->create() && context->makeCurrent(&surface);
        atlas = AtlasPtr(new orbTextureAtlas(QSize(64, 64), orbTextureAtlas::Alpha));
        QObject::connect(atlas.get(), &QObject::destroyed,
                         [&] { diedIn.store(QThread::currentThread()); });
    });
    const bool made = current && atlas && atlas->textureId() != 0;
    const bool ownedThere = atlas && atlas->thread() == &renderThread;
    atlas.reset(); // the last release, on this thread
    QTRY_VERIFY_WITH_TIMEOUT(diedIn.load() != nullptr, 5000);
    const bool diedThere = diedIn.load() == &renderThread;
    runThere([&] {
        context->doneCurrent();
        context.reset();
    });
    renderThread.quit();
    QVERIFY(renderThread.wait(5000));
    QVERIFY(current);
    QVERIFY(made);
    QVERIFY(ownedThere);
    QVERIFY(diedThere);
}

QTEST_MAIN(tst_Atlas)
#include "tst_atlas.moc"
