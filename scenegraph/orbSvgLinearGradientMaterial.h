#pragma once

#include "orbSvgGradientMaterial.h"

// A path filled with a linear gradient.
class orbSvgLinearGradientMaterial : public orbSvgGradientMaterial
{
public:
    // Takes ownership of gradientTexture.
    orbSvgLinearGradientMaterial(QSGTexture *texture, QSGTexture *gradientTexture);

    QSGMaterialType *type() const override;
    QSGMaterialShader *createShader() const override;
};
