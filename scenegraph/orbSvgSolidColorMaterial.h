#pragma once

#include "orbSvgMaterial.h"

// A path filled with the colour of its brush.
class orbSvgSolidColorMaterial : public orbSvgMaterial
{
public:
    explicit orbSvgSolidColorMaterial(QSGTexture *texture);

    QSGMaterialType *type() const override;
    QSGMaterialShader *createShader() const override;
};
