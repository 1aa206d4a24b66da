#include "orbSvgMaterial.h"

#include <QtQuick/QSGTexture>

orbSvgMaterial::orbSvgMaterial(QSGTexture *texture)
{
    setFlag(QSGMaterial::Blending);
    setTexture(texture);
}

void orbSvgMaterial::setTexture(QSGTexture *texture)
{
    m_texture = texture;
    m_textureMatrix.setToIdentity();
    if (texture) {
        const QRectF rect = texture->normalizedTextureSubRect();
        m_textureMatrix.translate(float(rect.x()), float(rect.y()));
        m_textureMatrix.scale(float(rect.width()), float(rect.height()));
    }
}
