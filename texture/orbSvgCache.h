#pragma once

#include "orbPathHash.h"
#include "orbSvgCacheLoader.h"
#include "orbTextureAtlas.h"
#include "orbTextureAtlasPool.h"
#include "ref_ptr.h"
#include "refcounted.h"

#include <QtCore/QDir>
#include <QtCore/QHash>
#include <QtCore/QObject>
#include <QtCore/QSizeF>
#include <QtCore/QVector>
#include <QtGui/QPainterPath>

#include <atomic>

class QBrush;
class QPainter;
class QSGNode;
class QSGTexture;
class orbSubTexture;
class QUrl;

namespace orbsvg {
class QSvgNode;
struct QSvgDrawState;
} // namespace orbsvg

// One per QML engine: hands out a distance-field texture for any path (the
// same texture for the same geometry, across documents) and keeps the fields
// on disk between runs. Created by orbQuickRoot on the GUI thread, which sets
// the folder (read from then on by the cache's loader thread); texture
// requests come from the render thread; saved where the root is destroyed;
// destroyed through the collector when its last holder lets go.
class orbSvgCache : public QObject, public orb::refcounted
{
    Q_OBJECT
    Q_INTERFACES(orb::refcounted)

public:
    orbSvgCache();
    ~orbSvgCache() override;

    // The writable folder, written by save(). It and the seed folder are read
    // from now on in the background; the first texture request takes what
    // they hold, waiting if the read is not done yet.
    void setCacheFolder(const QDir &folder);
    QDir cacheFolder() const { return m_cacheFolder; }
    // The read-only folder "SvgCache" beside the executable, read first.
    static QString seedFolderPath();

    // The field texture of path (owned by the cache), generated on first request.
    QSGTexture *textureForPath(const QPainterPath &path);
    // A vertical ramp texture of a gradient brush (owned by the caller), or
    // null without a current GL context on a Qt Quick window.
    QSGTexture *gradientTexture(const QBrush &brush);
    // Writes the cache folder when anything changed since the last save.
    void save();

    // New fields go to atlases that keep only their CPU copy: no GL context
    // is needed, and the textures cannot be drawn. For baking cache folders.
    void setImageOnly(bool imageOnly) { m_imageOnly = imageOnly; }
    // Writes every field, in the order of first request, to folder so that the
    // same requests always give the same bytes (atlas names from their
    // content, no dates). False when the descriptor could not be written.
    bool writeReproducible(const QDir &folder);

    // Builds the scene-graph tree of an SVG file (owned by the caller) and
    // fills nodesById and documentSize; null when the file does not load.
    // Render thread: the path nodes fetch their textures while it runs.
    QSGNode *createNodes(const QUrl &source, QHash<QString, QSGNode *> &nodesById,
                         QSizeF &documentSize);

    QSizeF renderSize() const { return m_renderSize; }
    int fieldSize() const { return m_fieldSize; }
    int textureCount() const { return m_textures.size(); }

private:
    void buildNodes(orbsvg::QSvgDrawState &states, QPainter *painter, QSGNode *parent,
                    const orbsvg::QSvgNode *node, QHash<QString, QSGNode *> &nodesById);
    void adoptLoadedFolders();
    // Atlases of the folders being adopted, by folder and atlas index.
    using UploadedAtlases = QHash<QPair<int, int>, orb::ref_ptr<orbTextureAtlas>>;
    void adopt(const orbSvgCacheStore::Contents &contents, int folder,
               const UploadedAtlases &uploaded);
    QSGTexture *addToAtlas(const QImage &image);
    void insert(const QPainterPath &path, QSGTexture *texture);
    QList<QPair<QPainterPath, orbSubTexture *>> entriesInRequestOrder() const;

    QHash<QPainterPath, QSGTexture *> m_textures;
    // The keys of m_textures as they came: saves list them in this order.
    QVector<QPainterPath> m_requestOrder;
    orb::ref_ptr<orbTextureAtlas> m_currentAtlas;
    orb::ref_ptr<orbTextureAtlasPool> m_rgbaPool;
    QDir m_cacheFolder{QString()};
    QSizeF m_renderSize{2048, 2048};
    orbSvgCacheLoader m_loader;
    std::atomic<bool> m_needsLoad{false};
    int m_fieldSize = 128;
    bool m_dirty = false;
    bool m_imageOnly = false;
};
