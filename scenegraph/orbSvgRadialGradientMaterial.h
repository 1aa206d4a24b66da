#pragma once

#include "orbSvgGradientMaterial.h"

// A path filled with a radial gradient.
class orbSvgRadialGradientMaterial : public orbSvgGradientMaterial
{
public:
    // Takes ownership of gradientTexture.
    orbSvgRadialGradientMaterial(QSGTexture *texture, QSGTexture *gradientTexture);

    QSGMaterialType *type() const override;
    QSGMaterialShader *createShader() const override;
};
