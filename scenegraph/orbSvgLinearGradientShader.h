#pragma once

#include "orbSvgGradientShader.h"

// Draws an orbSvgLinearGradientMaterial.
class orbSvgLinearGradientShader : public orbSvgGradientShader
{
protected:
    const char *vertexShader() const override;
    const char *fragmentShader() const override;
};
