#include "orbSvgGradientShader.h"

#include "orbSvgGradientMaterial.h"

#include <QtGui/QOpenGLContext>
#include <QtGui/QOpenGLFunctions>
#include <QtGui/QOpenGLShaderProgram>
#include <QtQuick/QSGTexture>

char const *const *orbSvgGradientShader::attributeNames() const
{
    static const char *const names[] = {"vertexPosition", "vertexTexCoord", nullptr};
    return names;
}

void orbSvgGradientShader::initialize()
{
    QOpenGLShaderProgram *p = program();
    m_matrixId = p->uniformLocation("matrix");
    m_opacityId = p->uniformLocation("opacity");
    m_pathTextureId = p->uniformLocation("pathTexture");
    m_gradientTextureId = p->uniformLocation("gradientTexture");
    m_textureMatrixId = p->uniformLocation("textureMatrix");
    m_gradientMatrixId = p->uniformLocation("gradientMatrix");
}

void orbSvgGradientShader::updateState(const RenderState &state, QSGMaterial *newMaterial,
                                       QSGMaterial *oldMaterial)
{
    const auto *material = static_cast<const orbSvgGradientMaterial *>(newMaterial);
    const auto *old = static_cast<const orbSvgGradientMaterial *>(oldMaterial);
    QOpenGLShaderProgram *p = program();
    if (state.isMatrixDirty())
        p->setUniformValue(m_matrixId, state.combinedMatrix());
    p->setUniformValue(m_opacityId, state.opacity() * material->opacity());
    p->setUniformValue(m_textureMatrixId, material->textureMatrix());
    p->setUniformValue(m_gradientMatrixId, material->gradientMatrix());
    p->setUniformValue(m_pathTextureId, 0);
    p->setUniformValue(m_gradientTextureId, 1);

    if (QSGTexture *texture = material->texture()) {
        // Sub-textures of one atlas share the GL texture: no rebinding between them.
        // The atlas texture is made with nearest filtering; the sub-texture's
        // own options (linear) are applied once it is bound.
        if (!old || !old->texture() || old->texture()->textureId() != texture->textureId())
            texture->bind();
        texture->updateBindOptions();
    }
    if (QSGTexture *ramp = material->gradientTexture()) {
        QOpenGLFunctions *gl = QOpenGLContext::currentContext()->functions();
        gl->glActiveTexture(GL_TEXTURE1);
        ramp->bind();
        // The renderer expects unit 0 active.
        gl->glActiveTexture(GL_TEXTURE0);
    }
}
