#include "orbSvgGradientMaterial.h"

#include <QtQuick/QSGTexture>

orbSvgGradientMaterial::orbSvgGradientMaterial(QSGTexture *texture, QSGTexture *gradientTexture)
    : orbSvgMaterial(texture)
    , m_gradientTexture(gradientTexture)
{
}

orbSvgGradientMaterial::~orbSvgGradientMaterial()
{
    delete m_gradientTexture;
}
