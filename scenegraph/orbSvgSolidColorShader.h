#pragma once

#include <QtQuick/QSGMaterialShader>

// Draws an orbSvgSolidColorMaterial: the field's outline in the brush colour.
class orbSvgSolidColorShader : public QSGMaterialShader
{
public:
    char const *const *attributeNames() const override;
    void updateState(const RenderState &state, QSGMaterial *newMaterial,
                     QSGMaterial *oldMaterial) override;

protected:
    const char *vertexShader() const override;
    const char *fragmentShader() const override;
    void initialize() override;

private:
    int m_matrixId = -1;
    int m_opacityId = -1;
    int m_colorId = -1;
    int m_textureMatrixId = -1;
};
