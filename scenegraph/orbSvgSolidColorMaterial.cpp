#include "orbSvgSolidColorMaterial.h"

#include "orbSvgSolidColorShader.h"

orbSvgSolidColorMaterial::orbSvgSolidColorMaterial(QSGTexture *texture)
    : orbSvgMaterial(texture)
{
}

QSGMaterialType *orbSvgSolidColorMaterial::type() const
{
    static QSGMaterialType type;
    return &type;
}

QSGMaterialShader *orbSvgSolidColorMaterial::createShader() const
{
    return new orbSvgSolidColorShader;
}
