#pragma once

#include "orbSvgMaterial.h"

// What the linear and radial gradient materials share: a ramp texture of the
// gradient's colours (owned) and the matrix from the quad's unit coordinates
// to gradient coordinates.
class orbSvgGradientMaterial : public orbSvgMaterial
{
public:
    // Takes ownership of gradientTexture, which may be null (then nothing is
    // bound for the ramp).
    orbSvgGradientMaterial(QSGTexture *texture, QSGTexture *gradientTexture);
    ~orbSvgGradientMaterial() override;

    QSGTexture *gradientTexture() const { return m_gradientTexture; }
    const QMatrix4x4 &gradientMatrix() const { return m_gradientMatrix; }
    void setGradientMatrix(const QMatrix4x4 &matrix) { m_gradientMatrix = matrix; }

private:
    QSGTexture *m_gradientTexture;
    QMatrix4x4 m_gradientMatrix;
};
