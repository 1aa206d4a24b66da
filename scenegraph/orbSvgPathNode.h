#pragma once

#include "ref_ptr.h"

#include <QtGui/QBrush>
#include <QtGui/QPainterPath>
#include <QtQuick/QSGGeometry>
#include <QtQuick/QSGGeometryNode>

class orbSvgCache;
class QSGTexture;

// One filled outline drawn as a single quad whose texture is the outline's
// distance field. Created by the scene builder and used on the render thread;
// keeps its cache alive, since its texture belongs to the cache.
class orbSvgPathNode : public QSGGeometryNode
{
public:
    explicit orbSvgPathNode(orbSvgCache *cache);
    ~orbSvgPathNode() override;

    bool isSubtreeBlocked() const override;

    virtual void setPath(const QPainterPath &path);
    virtual void setBrush(const QBrush &brush);
    virtual QBrush brush() const { return m_brush; }
    // Fetches the texture of a new path and refits the materials to the brush.
    virtual void update();

    const QPainterPath &path() const { return m_path; }
    const QRectF &bounds() const { return m_bounds; }
    // The last linear or radial gradient brush given.
    const QBrush &gradientBrush() const { return m_gradientBrush; }
    float opacity() const { return m_opacity; }
    void setOpacity(float opacity) { m_opacity = opacity; }
    QSGTexture *texture() const { return m_texture; }
    // The square the quad covers: the bounds' longer side plus the field's margin.
    QRectF quad() const;

protected:
    orbSvgCache *cache() const { return m_cache.get(); }

private:
    void updateMaterials(const QRectF &quad, bool replace);

    orb::ref_ptr<orbSvgCache> m_cache;
    QSGTexture *m_texture = nullptr;
    QPainterPath m_path;
    bool m_pathDirty = false;
    QRectF m_bounds;
    QBrush m_brush;
    QBrush m_gradientBrush;
    bool m_materialDirty = false;
    int m_materialStyle = 0;
    QSGGeometry m_geometry;
    float m_opacity = 1.0f;
};
