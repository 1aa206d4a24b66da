#include "orbSubTexture.h"

#include <QtGui/QOpenGLContext>
#include <QtGui/QOpenGLFunctions>

orbSubTexture::orbSubTexture(orbTextureAtlas *atlas, const QRect &rect)
    : m_atlas(atlas)
    , m_rect(rect)
{
    setHorizontalWrapMode(QSGTexture::ClampToEdge);
    setVerticalWrapMode(QSGTexture::ClampToEdge);
    setFiltering(QSGTexture::Nearest);
    setMipmapFiltering(QSGTexture::Nearest);
}

orbSubTexture::~orbSubTexture() = default;

int orbSubTexture::textureId() const
{
    return m_atlas ? int(m_atlas->textureId()) : 0;
}

QSize orbSubTexture::textureSize() const
{
    return m_atlas ? m_atlas->size() : QSize();
}

QRectF orbSubTexture::normalizedTextureSubRect() const
{
    if (!m_atlas || m_atlas->size().isEmpty())
        return QRectF();
    // Single precision, as the texture coordinates end up.
    const float fx = 1.0f / float(m_atlas->size().width());
    const float fy = 1.0f / float(m_atlas->size().height());
    return QRectF(float(m_rect.x()) * fx, float(m_rect.y()) * fy, float(m_rect.width()) * fx,
                  float(m_rect.height()) * fy);
}

void orbSubTexture::bind()
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (!context || !context->functions())
        return;
    context->functions()->glBindTexture(GL_TEXTURE_2D, GLuint(textureId()));
}
