#include "orbSubTexture.h"

#include "SvgLog.h"

#include <QtGui/QOpenGLContext>
#include <QtGui/QOpenGLFunctions>

#include <atomic>

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

void orbSubTexture::warnForeignContextOnce()
{
    static std::atomic_bool warned{false};
    if (!warned.exchange(true))
        qCWarning(lcSvg) << "SVG textures were made in another window's OpenGL context, which this "
                            "window does not share: set Qt::AA_ShareOpenGLContexts before creating "
                            "the application to show SVG items in several windows";
}

// One texel that reads as fully outside every shape, made once per context
// (texture 0 would read as inside and fill whole quads).
unsigned int orbSubTexture::transparentTexture(QOpenGLContext *context)
{
    static const char *const name = "_orbTransparentTexture";
    bool known = false;
    GLuint texture = context->property(name).toUInt(&known);
    if (known)
        return texture;
    QOpenGLFunctions *gl = context->functions();
    const unsigned char none[4] = {0, 0, 0, 0};
    gl->glGenTextures(1, &texture);
    gl->glBindTexture(GL_TEXTURE_2D, texture);
    gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, none);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    context->setProperty(name, texture);
    return texture;
}

void orbSubTexture::bind()
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (!context || !context->functions())
        return;
    if (m_atlas && m_atlas->textureId() && !m_atlas->isUsableIn(context)) {
        // The name means another texture, or none, in this context: drawing
        // nothing beats drawing the wrong field.
        warnForeignContextOnce();
        context->functions()->glBindTexture(GL_TEXTURE_2D, transparentTexture(context));
        return;
    }
    context->functions()->glBindTexture(GL_TEXTURE_2D, GLuint(textureId()));
}
