#include "orbSvgRadialGradientShader.h"

#include "orbSvgShaderSource.h"

const char *orbSvgRadialGradientShader::vertexShader() const
{
    static orbSvgShaderSource source(
        QStringLiteral(":/Libs/orbQuick/Shaders/Svg/RadialGradientSvg.vs"),
        orbSvgShaderSource::Vertex);
    return source.text();
}

const char *orbSvgRadialGradientShader::fragmentShader() const
{
    static orbSvgShaderSource source(
        QStringLiteral(":/Libs/orbQuick/Shaders/Svg/RadialGradientSvg.ps"),
        orbSvgShaderSource::Fragment);
    return source.text();
}
