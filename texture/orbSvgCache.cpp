#include "orbSvgCache.h"

#include "DistanceField.h"
#include "SvgLog.h"
#include "orbSubTexture.h"
#include "orbSvgCacheStore.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtGui/QOpenGLContext>
#include <QtGui/QPainter>
#include <QtQuick/QQuickWindow>

namespace {
constexpr QSize AtlasSize(1024, 1024);
constexpr uint LogSeed = 12345;
} // namespace

orbSvgCache::orbSvgCache()
    : m_rgbaPool(new orbTextureAtlasPool(QSize(512, 512), orbTextureAtlas::Rgba))
{
}

orbSvgCache::~orbSvgCache()
{
    save();
    // Every node that draws with one of these holds the cache alive, so no
    // texture is in use any more.
    qDeleteAll(m_textures);
}

void orbSvgCache::setCacheFolder(const QDir &folder)
{
    m_cacheFolder = folder;
    m_needsLoad = true;
}

QString orbSvgCache::seedFolderPath()
{
    const QString executable = QCoreApplication::applicationFilePath();
    return executable.left(executable.lastIndexOf(QLatin1Char('/'))) + QStringLiteral("/SvgCache");
}

QSGTexture *orbSvgCache::textureForPath(const QPainterPath &path)
{
    if (m_needsLoad) {
        loadCaches();
        m_needsLoad = false;
    }
    if (QSGTexture *texture = m_textures.value(path))
        return texture;

    qCWarning(lcSvg) << "Creating texture for" << pathHash(path, LogSeed);
    QElapsedTimer timer;
    timer.start();
    const QImage field = orbsdf::generateDistanceField(path, m_renderSize, m_fieldSize);
    qCWarning(lcSvg) << "Generation took:" << timer.elapsed() << "ms";

    QSGTexture *texture = addToAtlas(field);
    texture->setFiltering(QSGTexture::Linear);
    m_textures.insert(path, texture);
    return texture;
}

QSGTexture *orbSvgCache::addToAtlas(const QImage &image)
{
    if (!m_currentAtlas || !m_currentAtlas->canFit(image.size()))
        m_currentAtlas
            = orb::ref_ptr<orbTextureAtlas>(new orbTextureAtlas(AtlasSize, orbTextureAtlas::Alpha));
    m_dirty = true;
    return m_currentAtlas->createSubTexture(image);
}

void orbSvgCache::loadCaches()
{
    // The seed folder first: a path found there wins.
    QDir seed(seedFolderPath());
    if (seed.exists())
        readDescriptor(seed);
    readDescriptor(m_cacheFolder);
}

void orbSvgCache::readDescriptor(const QDir &folder)
{
    const QList<orbSvgCacheStore::Entry> entries = orbSvgCacheStore::read(folder, m_fieldSize);
    for (const orbSvgCacheStore::Entry &entry : entries) {
        if (m_textures.contains(entry.path))
            continue;
        m_textures.insert(entry.path, new orbSubTexture(entry.atlas.get(), entry.rect));
        m_dirty = true;
    }
}

void orbSvgCache::save()
{
    if (!m_dirty)
        return;
    m_dirty = false;
    QList<QPair<QPainterPath, orbSubTexture *>> entries;
    entries.reserve(m_textures.size());
    for (auto it = m_textures.cbegin(); it != m_textures.cend(); ++it)
        entries.append({it.key(), static_cast<orbSubTexture *>(it.value())});
    orbSvgCacheStore::write(m_cacheFolder, entries);
}

QSGTexture *orbSvgCache::gradientTexture(const QBrush &brush)
{
    QImage image(1, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QGradient gradient;
    if (brush.style() == Qt::LinearGradientPattern) {
        QLinearGradient linear = *static_cast<const QLinearGradient *>(brush.gradient());
        linear.setStart(0, 0);
        linear.setFinalStop(0, 64);
        gradient = linear;
    } else if (brush.style() == Qt::RadialGradientPattern) {
        QRadialGradient radial = *static_cast<const QRadialGradient *>(brush.gradient());
        radial.setCenter(0, 0);
        radial.setRadius(64);
        radial.setFocalPoint(0, 0);
        gradient = radial;
    }
    gradient.setCoordinateMode(QGradient::LogicalMode);
    {
        QPainter painter(&image);
        painter.fillRect(QRect(0, 0, 1, 64), QBrush(gradient));
    }

    QOpenGLContext *context = QOpenGLContext::currentContext();
    QSurface *surface = context ? context->surface() : nullptr;
    auto *window = surface && surface->surfaceClass() == QSurface::Window
        ? qobject_cast<QQuickWindow *>(static_cast<QWindow *>(surface))
        : nullptr;
    if (!window)
        return nullptr;
    QSGTexture *texture = window->createTextureFromImage(image);
    texture->setFiltering(QSGTexture::Linear);
    if (gradient.spread() == QGradient::ReflectSpread) {
        texture->setHorizontalWrapMode(QSGTexture::Repeat);
        texture->setVerticalWrapMode(QSGTexture::Repeat);
    }
    return texture;
}
