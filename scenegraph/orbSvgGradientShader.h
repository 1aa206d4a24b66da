#pragma once

#include <QtQuick/QSGMaterialShader>

// What the linear and radial gradient shaders share: attributes, uniforms and
// state (path field on unit 0, gradient ramp on unit 1). Subclasses give the
// sources.
class orbSvgGradientShader : public QSGMaterialShader
{
public:
    char const *const *attributeNames() const override;
    void updateState(const RenderState &state, QSGMaterial *newMaterial,
                     QSGMaterial *oldMaterial) override;

protected:
    void initialize() override;

private:
    int m_matrixId = -1;
    int m_opacityId = -1;
    int m_pathTextureId = -1;
    int m_gradientTextureId = -1;
    int m_textureMatrixId = -1;
    int m_gradientMatrixId = -1;
};
