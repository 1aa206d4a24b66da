#pragma once

#include <QtGui/QBrush>
#include <QtGui/QMatrix4x4>
#include <QtQuick/QSGMaterial>

class QSGTexture;

// What every SVG path material carries: the path's distance-field texture
// (owned by the cache), where it sits in its atlas, an opacity and a brush.
// Not comparable with other instances: each one is its own batch.
class orbSvgMaterial : public QSGMaterial
{
public:
    // texture may be null: such a material draws nothing.
    explicit orbSvgMaterial(QSGTexture *texture);

    QSGTexture *texture() const { return m_texture; }
    // Follows a new outline of the same node.
    void setTexture(QSGTexture *texture);
    // Maps the quad's unit texture coordinates into the texture's atlas rectangle.
    const QMatrix4x4 &textureMatrix() const { return m_textureMatrix; }

    float opacity() const { return m_opacity; }
    void setOpacity(float opacity) { m_opacity = opacity; }
    const QBrush &brush() const { return m_brush; }
    void setBrush(const QBrush &brush) { m_brush = brush; }

private:
    QSGTexture *m_texture = nullptr;
    QMatrix4x4 m_textureMatrix;
    float m_opacity = 1.0f;
    QBrush m_brush;
};
