#include "orbSvgPathNode.h"

#include "orbSvgCache.h"
#include "orbSvgGradientMatrix.h"
#include "orbSvgLinearGradientMaterial.h"
#include "orbSvgRadialGradientMaterial.h"
#include "orbSvgSolidColorMaterial.h"

#include <QtQuick/QSGTexture>

namespace {

// The coverage raster keeps this many pixels around the outline.
constexpr int FieldMargin = 128;

bool hasTexturedMaterials(int brushStyle)
{
    return brushStyle == Qt::SolidPattern || brushStyle == Qt::LinearGradientPattern
        || brushStyle == Qt::RadialGradientPattern;
}

} // namespace

orbSvgPathNode::orbSvgPathNode(orbSvgCache *cache)
    : m_cache(cache)
    , m_geometry(QSGGeometry::defaultAttributes_TexturedPoint2D(), 4)
{
    QSGGeometry::updateTexturedRectGeometry(&m_geometry, QRectF(0, 0, 1, 1), QRectF(0, 0, 1, 1));
    m_geometry.setDrawingMode(QSGGeometry::DrawTriangleStrip);
    setGeometry(&m_geometry);
    setMaterial(new orbSvgSolidColorMaterial(nullptr));
    setOpaqueMaterial(new orbSvgSolidColorMaterial(nullptr));
    setFlags(QSGNode::OwnsMaterial | QSGNode::OwnsOpaqueMaterial);
}

orbSvgPathNode::~orbSvgPathNode() = default;

bool orbSvgPathNode::isSubtreeBlocked() const
{
    return m_brush.style() == Qt::NoBrush;
}

void orbSvgPathNode::setPath(const QPainterPath &path)
{
    if (path == m_path)
        return;
    m_path = path;
    m_bounds = path.boundingRect();
    m_pathDirty = true;
    m_materialDirty = true;
}

void orbSvgPathNode::setBrush(const QBrush &brush)
{
    if (brush.style() == Qt::LinearGradientPattern || brush.style() == Qt::RadialGradientPattern)
        m_gradientBrush = brush;
    m_brush = brush;
    m_materialDirty = true;
    markDirty(QSGNode::DirtyMaterial);
}

QRectF orbSvgPathNode::quad() const
{
    const qreal side = qMax(m_bounds.width(), m_bounds.height());
    const qreal renderWidth = m_cache->renderSize().width();
    // W - 128 rather than W - 256: what the stored fields were made for.
    const qreal margin = qreal(FieldMargin) * side / (renderWidth - qreal(FieldMargin));
    return QRectF(m_bounds.x() + (m_bounds.width() - side) / 2 - margin,
                  m_bounds.y() + (m_bounds.height() - side) / 2 - margin, side + 2 * margin,
                  side + 2 * margin);
}

void orbSvgPathNode::update()
{
    const QRectF square = quad();
    if (m_pathDirty) {
        m_texture = nullptr;
        if (!m_path.isEmpty()) {
            m_texture = m_cache->textureForPath(m_path);
            if (m_texture)
                m_texture->setFiltering(QSGTexture::Linear);
            QSGGeometry::updateTexturedRectGeometry(&m_geometry, square, QRectF(0, 0, 1, 1));
            markDirty(QSGNode::DirtyGeometry);
            m_pathDirty = false;
        }
    }

    // Materials to drop are replaced in one step: a node in the scene must
    // never be left without material, even for a moment.
    bool replace = false;
    const int style = m_brush.style();
    auto *current = static_cast<orbSvgMaterial *>(material());
    if (style != m_materialStyle) {
        replace = true;
        m_materialStyle = style;
        m_materialDirty = true;
    } else if (current && current->texture() != m_texture) {
        // A new outline. Materials made with a field follow it; the textureless
        // stand-ins are made again for the brush once there is a field, and an
        // outline that lost its field falls back to them.
        if (current->texture() && m_texture) {
            current->setTexture(m_texture);
            if (auto *opaque = static_cast<orbSvgMaterial *>(opaqueMaterial()))
                opaque->setTexture(m_texture);
            markDirty(QSGNode::DirtyMaterial);
        } else if (current->texture() || hasTexturedMaterials(style)) {
            replace = true;
            m_materialDirty = true;
        }
    }
    updateMaterials(square, replace);
}

void orbSvgPathNode::updateMaterials(const QRectF &quad, bool replace)
{
    auto *m1 = replace ? nullptr : static_cast<orbSvgMaterial *>(material());
    auto *m2 = replace ? nullptr : static_cast<orbSvgMaterial *>(opaqueMaterial());
    bool changed = false;
    if (m_materialDirty && m_texture) {
        switch (m_brush.style()) {
        case Qt::SolidPattern:
            if (!m1)
                m1 = new orbSvgSolidColorMaterial(m_texture);
            if (!m2)
                m2 = new orbSvgSolidColorMaterial(m_texture);
            m1->setBrush(m_brush);
            m2->setBrush(m_brush);
            break;
        case Qt::LinearGradientPattern: {
            // One ramp per material: each owns its own.
            if (!m1)
                m1 = new orbSvgLinearGradientMaterial(m_texture, m_cache->gradientTexture(m_brush));
            if (!m2)
                m2 = new orbSvgLinearGradientMaterial(m_texture, m_cache->gradientTexture(m_brush));
            const QMatrix4x4 matrix = orbsvggradient::linearGradientMatrix(m_brush, quad, m_bounds);
            static_cast<orbSvgGradientMaterial *>(m1)->setGradientMatrix(matrix);
            static_cast<orbSvgGradientMaterial *>(m2)->setGradientMatrix(matrix);
            break;
        }
        case Qt::RadialGradientPattern: {
            if (!m1)
                m1 = new orbSvgRadialGradientMaterial(m_texture, m_cache->gradientTexture(m_brush));
            if (!m2)
                m2 = new orbSvgRadialGradientMaterial(m_texture, m_cache->gradientTexture(m_brush));
            const QMatrix4x4 matrix
                = orbsvggradient::radialGradientMatrix(m_brush, quad, m_bounds.size());
            static_cast<orbSvgGradientMaterial *>(m1)->setGradientMatrix(matrix);
            static_cast<orbSvgGradientMaterial *>(m2)->setGradientMatrix(matrix);
            break;
        }
        default:
            break;
        }
        m_materialDirty = false;
        changed = true;
    }
    if (!m1)
        m1 = new orbSvgSolidColorMaterial(nullptr);
    if (!m2)
        m2 = new orbSvgSolidColorMaterial(nullptr);
    if (m1->opacity() != m_opacity || m2->opacity() != m_opacity) {
        m1->setOpacity(m_opacity);
        m2->setOpacity(m_opacity);
        changed = true;
    }
    // Setting a new material deletes the one it replaces (the node owns both).
    if (material() != m1)
        setMaterial(m1);
    if (opaqueMaterial() != m2)
        setOpaqueMaterial(m2);
    if (changed)
        markDirty(QSGNode::DirtyMaterial);
}
