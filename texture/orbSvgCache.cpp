#include "orbSvgCache.h"

#include "DistanceField.h"
#include "QSvgStructureNode.h"
#include "QSvgTinyDocument.h"
#include "QSvgTransformStyle.h"
#include "SvgLog.h"
#include "orbSubTexture.h"
#include "orbSvgCacheStore.h"
#include "orbSvgNode.h"
#include "orbSvgPathNode.h"
#include "orbSvgPathStrokeNode.h"
#include "orbTransformNode.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QElapsedTimer>
#include <QtGui/QOpenGLContext>
#include <QtGui/QPainter>
#include <QtQuick/QQuickWindow>
#include <QtQuick/QSGTransformNode>

#include <memory>

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
    m_loader.start(QDir(seedFolderPath()), folder, m_fieldSize);
    m_needsLoad.store(true, std::memory_order_release);
}

QString orbSvgCache::seedFolderPath()
{
    const QString executable = QCoreApplication::applicationFilePath();
    return executable.left(executable.lastIndexOf(QLatin1Char('/'))) + QStringLiteral("/SvgCache");
}

QSGTexture *orbSvgCache::textureForPath(const QPainterPath &path)
{
    if (m_needsLoad.load(std::memory_order_acquire)) {
        m_needsLoad.store(false, std::memory_order_relaxed);
        adoptLoadedFolders();
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
    insert(path, texture);
    return texture;
}

void orbSvgCache::insert(const QPainterPath &path, QSGTexture *texture)
{
    m_textures.insert(path, texture);
    m_requestOrder.append(path);
}

QSGTexture *orbSvgCache::addToAtlas(const QImage &image)
{
    if (!m_currentAtlas || !m_currentAtlas->canFit(image.size()))
        m_currentAtlas = orb::ref_ptr<orbTextureAtlas>(new orbTextureAtlas(
            AtlasSize, orbTextureAtlas::Alpha,
            m_imageOnly ? orbTextureAtlas::ImageOnly : orbTextureAtlas::TextureAndImage));
    m_dirty = true;
    return m_currentAtlas->createSubTexture(image);
}

void orbSvgCache::adoptLoadedFolders()
{
    // Each atlas is uploaded (on this thread, which has the GL context) as
    // soon as it is decoded, while the next ones still decode.
    UploadedAtlases uploaded;
    const QVector<orbSvgCacheStore::Contents> folders
        = m_loader.take([&uploaded](const orbSvgCacheLoader::DecodedAtlas &decoded) {
              uploaded.insert({decoded.folder, decoded.atlas},
                              orb::ref_ptr<orbTextureAtlas>(orbTextureAtlas::atlasFromImage(
                                  decoded.image, orbTextureAtlas::Alpha)));
          });
    // The seed folder first: a path found there wins.
    for (int folder = 0; folder < folders.size(); ++folder)
        adopt(folders.at(folder), folder, uploaded);
}

// Takes the fields not known yet.
void orbSvgCache::adopt(const orbSvgCacheStore::Contents &contents, int folder,
                        const UploadedAtlases &uploaded)
{
    for (const orbSvgCacheStore::Contents::Field &field : contents.fields) {
        if (m_textures.contains(field.path))
            continue;
        const orb::ref_ptr<orbTextureAtlas> atlas = uploaded.value({folder, field.atlas});
        if (!atlas || atlas->image().isNull())
            continue; // no GL context
        insert(field.path, new orbSubTexture(atlas.get(), field.rect));
        m_dirty = true;
    }
}

void orbSvgCache::save()
{
    if (!m_dirty)
        return;
    m_dirty = false;
    orbSvgCacheStore::write(m_cacheFolder, entriesInRequestOrder(), orbSvgCacheStore::Dated);
}

bool orbSvgCache::writeReproducible(const QDir &folder)
{
    m_dirty = false;
    return orbSvgCacheStore::write(folder, entriesInRequestOrder(), orbSvgCacheStore::Reproducible);
}

QList<QPair<QPainterPath, orbSubTexture *>> orbSvgCache::entriesInRequestOrder() const
{
    QList<QPair<QPainterPath, orbSubTexture *>> entries;
    entries.reserve(m_requestOrder.size());
    for (const QPainterPath &path : m_requestOrder)
        entries.append({path, static_cast<orbSubTexture *>(m_textures.value(path))});
    return entries;
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

namespace {

// The file behind a source URL: local files, paths, and compiled-in resources.
QString fileOf(const QUrl &source)
{
    if (source.scheme() == QLatin1String("qrc"))
        return QLatin1Char(':') + source.path(QUrl::FullyDecoded);
    const QString local = source.toLocalFile();
    return local.isEmpty() ? source.path(QUrl::FullyDecoded) : local;
}

// An outline that a distance field can be made of: not empty, and not
// shrunk to a point (which would leave nothing to scale into the raster).
bool isDrawableOutline(const QPainterPath *outline)
{
    if (!outline || outline->isEmpty())
        return false;
    const QRectF bounds = outline->boundingRect();
    return bounds.width() > 0 || bounds.height() > 0;
}

} // namespace

QSGNode *orbSvgCache::createNodes(const QUrl &source, QHash<QString, QSGNode *> &nodesById,
                                  QSizeF &documentSize)
{
    std::unique_ptr<orbsvg::QSvgTinyDocument> document(
        orbsvg::QSvgTinyDocument::load(fileOf(source)));
    if (!document)
        return nullptr;

    const QRectF viewBox = document->viewBox();
    documentSize = viewBox.size();
    auto *root = new QSGTransformNode;
    auto *inner = new QSGTransformNode;
    root->appendChildNode(inner);
    QMatrix4x4 offset;
    offset.translate(float(-viewBox.x()), float(-viewBox.y()));
    inner->setMatrix(offset);

    // The painter only carries the inherited style through the walk; each
    // render thread has its own, so that windows never share one.
    static thread_local QImage canvas(1, 1, QImage::Format_ARGB32);
    QPainter painter(&canvas);
    QPen pen(QBrush(Qt::NoBrush), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(4.0);
    painter.setPen(pen);
    painter.setBrush(QBrush(Qt::black, Qt::SolidPattern));
    orbsvg::QSvgDrawState states;

    qCDebug(lcSvg) << "Creating nodes for:" << source;
    buildNodes(states, &painter, inner, document.get(), nodesById);
    return root;
}

void orbSvgCache::buildNodes(orbsvg::QSvgDrawState &states, QPainter *painter, QSGNode *parent,
                             const orbsvg::QSvgNode *node, QHash<QString, QSGNode *> &nodesById)
{
    using orbsvg::QSvgNode;
    node->applyStyle(painter, states);
    const QBrush brush = painter->brush();
    const QPen pen = painter->pen();
    const auto *transformStyle = static_cast<const orbsvg::QSvgTransformStyle *>(
        node->styleProperty(orbsvg::QSvgStyleProperty::Transform));

    orbTransformNode *transform = nullptr;
    QSGNode *content = nullptr;
    QSGNode *childParent = nullptr;
    switch (node->type()) {
    case QSvgNode::Document:
        childParent = parent;
        break;
    case QSvgNode::G:
        transform = new orbTransformNode;
        content = childParent = transform;
        break;
    case QSvgNode::Arc:
    case QSvgNode::Circle:
    case QSvgNode::Ellipse:
    case QSvgNode::Line:
    case QSvgNode::Path:
    case QSvgNode::Polygon:
    case QSvgNode::Polyline:
    case QSvgNode::Rect: {
        transform = new orbTransformNode;
        content = transform;
        const QPainterPath *outline = node->outlinePath();
        if (isDrawableOutline(outline)) {
            auto *fill = new orbSvgPathNode(this);
            fill->setPath(*outline);
            fill->setBrush(brush);
            fill->update();
            auto *stroke = new orbSvgPathStrokeNode(this);
            stroke->setPen(pen);
            stroke->setPath(*outline);
            stroke->update();
            auto *pair = new orbSvgNode(fill, stroke);
            transform->appendChildNode(pair);
            content = pair;
        }
        break;
    }
    case QSvgNode::Text:
    case QSvgNode::TextArea:
    case QSvgNode::Tspan:
    case QSvgNode::Use:
        qCWarning(lcSvg) << "Unsupported node type" << int(node->type());
        break;
    default:
        break; // defs, switch, animation, image: nothing, not even their content
    }

    if (transform) {
        if (parent)
            parent->appendChildNode(transform);
        transform->setTransform(transformStyle ? transformStyle->qtransform() : QTransform());
        const QString id = node->nodeId();
        if (!id.isEmpty())
            nodesById[id] = content;
    }
    if (childParent) {
        for (const QSvgNode *child :
             static_cast<const orbsvg::QSvgStructureNode *>(node)->children())
            buildNodes(states, painter, childParent, child, nodesById);
    }
    node->revertStyle(painter, states);
}
