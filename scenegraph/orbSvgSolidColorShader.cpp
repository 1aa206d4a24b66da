#include "orbSvgSolidColorShader.h"

#include "orbSvgMaterial.h"
#include "orbSvgShaderSource.h"

#include <QtGui/QColor>
#include <QtGui/QOpenGLShaderProgram>
#include <QtQuick/QSGTexture>

char const *const *orbSvgSolidColorShader::attributeNames() const
{
    static const char *const names[] = {"vertexPosition", "vertexTexCoord", nullptr};
    return names;
}

const char *orbSvgSolidColorShader::vertexShader() const
{
    static orbSvgShaderSource source(QStringLiteral(":/Libs/orbQuick/Shaders/Svg/Svg.vs"),
                                     orbSvgShaderSource::Vertex);
    return source.text();
}

const char *orbSvgSolidColorShader::fragmentShader() const
{
    static orbSvgShaderSource source(QStringLiteral(":/Libs/orbQuick/Shaders/Svg/SolidColorSvg.ps"),
                                     orbSvgShaderSource::Fragment);
    return source.text();
}

void orbSvgSolidColorShader::initialize()
{
    QOpenGLShaderProgram *p = program();
    m_matrixId = p->uniformLocation("matrix");
    m_opacityId = p->uniformLocation("opacity");
    m_colorId = p->uniformLocation("color");
    m_textureMatrixId = p->uniformLocation("textureMatrix");
}

void orbSvgSolidColorShader::updateState(const RenderState &state, QSGMaterial *newMaterial,
                                         QSGMaterial *oldMaterial)
{
    const auto *material = static_cast<const orbSvgMaterial *>(newMaterial);
    const auto *old = static_cast<const orbSvgMaterial *>(oldMaterial);
    QOpenGLShaderProgram *p = program();
    if (state.isMatrixDirty())
        p->setUniformValue(m_matrixId, state.combinedMatrix());
    p->setUniformValue(m_opacityId, state.opacity() * material->opacity());
    p->setUniformValue(m_textureMatrixId, material->textureMatrix());
    // A material without field has no shape: whatever texture is bound must
    // not show through in the brush colour.
    QSGTexture *texture = material->texture();
    p->setUniformValue(m_colorId, texture ? material->brush().color() : QColor(Qt::transparent));
    if (texture) {
        // Sub-textures of one atlas share the GL texture: no rebinding between them.
        // The atlas texture is made with nearest filtering; the sub-texture's
        // own options (linear) are applied once it is bound.
        if (!old || !old->texture() || old->texture()->textureId() != texture->textureId())
            texture->bind();
        texture->updateBindOptions();
    }
}
