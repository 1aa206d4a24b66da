#include "orbSvgLinearGradientMaterial.h"

#include "orbSvgLinearGradientShader.h"

orbSvgLinearGradientMaterial::orbSvgLinearGradientMaterial(QSGTexture *texture,
                                                           QSGTexture *gradientTexture)
    : orbSvgGradientMaterial(texture, gradientTexture)
{
}

QSGMaterialType *orbSvgLinearGradientMaterial::type() const
{
    static QSGMaterialType type;
    return &type;
}

QSGMaterialShader *orbSvgLinearGradientMaterial::createShader() const
{
    return new orbSvgLinearGradientShader;
}
