#include "orbSvgLinearGradientShader.h"

#include "orbSvgShaderSource.h"

const char *orbSvgLinearGradientShader::vertexShader() const
{
    static orbSvgShaderSource source(
        QStringLiteral(":/Libs/orbQuick/Shaders/Svg/LinearGradientSvg.vs"),
        orbSvgShaderSource::Vertex);
    return source.text();
}

const char *orbSvgLinearGradientShader::fragmentShader() const
{
    static orbSvgShaderSource source(
        QStringLiteral(":/Libs/orbQuick/Shaders/Svg/LinearGradientSvg.ps"),
        orbSvgShaderSource::Fragment);
    return source.text();
}
