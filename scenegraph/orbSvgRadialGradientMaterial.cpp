#include "orbSvgRadialGradientMaterial.h"

#include "orbSvgRadialGradientShader.h"

orbSvgRadialGradientMaterial::orbSvgRadialGradientMaterial(QSGTexture *texture,
                                                           QSGTexture *gradientTexture)
    : orbSvgGradientMaterial(texture, gradientTexture)
{
}

QSGMaterialType *orbSvgRadialGradientMaterial::type() const
{
    static QSGMaterialType type;
    return &type;
}

QSGMaterialShader *orbSvgRadialGradientMaterial::createShader() const
{
    return new orbSvgRadialGradientShader;
}
