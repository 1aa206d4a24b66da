#pragma once

#include "orbSvgGradientShader.h"

// Draws an orbSvgRadialGradientMaterial.
class orbSvgRadialGradientShader : public orbSvgGradientShader
{
protected:
    const char *vertexShader() const override;
    const char *fragmentShader() const override;
};
