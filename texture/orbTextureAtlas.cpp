#include "orbTextureAtlas.h"

#include "orbSubTexture.h"

#include <QtGui/QOpenGLContext>
#include <QtGui/QOpenGLFunctions>

#include <cstring>

namespace {
QOpenGLFunctions *currentFunctions()
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    return context ? context->functions() : nullptr;
}

GLenum glFormat(orbTextureAtlas::AtlasFormat format)
{
    return format == orbTextureAtlas::Rgba ? GL_RGBA : GL_ALPHA;
}
} // namespace

orbTextureAtlas::orbTextureAtlas(const QSize &size, AtlasFormat format)
    : m_size(size)
    , m_format(format)
{
    QOpenGLFunctions *gl = currentFunctions();
    if (!gl)
        return;
    gl->glGetError();
    gl->glGenTextures(1, &m_textureId);
    gl->glBindTexture(GL_TEXTURE_2D, m_textureId);
    gl->glGetError();

    m_image = QImage(size.width() / texelsPerPixel(), size.height(), QImage::Format_ARGB32);
    m_image.fill(Qt::transparent);
    const GLenum pixelFormat = glFormat(format);
    gl->glTexImage2D(GL_TEXTURE_2D, 0, GLint(pixelFormat), size.width(), size.height(), 0,
                     pixelFormat, GL_UNSIGNED_BYTE, m_image.constBits());
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gl->glGetError();
}

orbTextureAtlas::~orbTextureAtlas()
{
    if (QOpenGLFunctions *gl = currentFunctions(); gl && m_textureId)
        gl->glDeleteTextures(1, &m_textureId);
}

bool orbTextureAtlas::canFit(const QSize &imageSize) const
{
    const QSize texels(imageSize.width() * texelsPerPixel(), imageSize.height());
    if (texels.width() > m_size.width() || texels.height() > m_size.height())
        return false;
    if (m_cursorY + texels.height() > m_size.height())
        return false;
    if (m_cursorX + texels.width() <= m_size.width())
        return true;
    // A new row is needed.
    return m_cursorY + m_spacing + m_rowHeight + texels.height() <= m_size.height();
}

QRect orbTextureAtlas::addImage(const QImage &image)
{
    QOpenGLFunctions *gl = currentFunctions();
    if (!gl)
        return QRect();
    gl->glGetError();
    if (!canFit(image.size()))
        qFatal("ERRRRROR");

    const QSize texels(image.width() * texelsPerPixel(), image.height());
    if (m_cursorX + texels.width() > m_size.width()) {
        m_cursorY += m_spacing + m_rowHeight;
        m_cursorX = 0;
    }
    if (m_cursorY + texels.height() > m_size.height())
        qFatal("ERRRROROROROROOR 2");

    const QImage pixels = image.format() == QImage::Format_ARGB32
        ? image
        : image.convertToFormat(QImage::Format_ARGB32);
    gl->glBindTexture(GL_TEXTURE_2D, m_textureId);
    // Rows of the image are packed without padding (ARGB32 lines are 4-byte aligned).
    const GLenum pixelFormat = glFormat(m_format);
    gl->glTexSubImage2D(GL_TEXTURE_2D, 0, m_cursorX, m_cursorY, texels.width(), texels.height(),
                        pixelFormat, GL_UNSIGNED_BYTE, pixels.constBits());
    gl->glGetError();

    const QRect rect(QPoint(m_cursorX, m_cursorY), texels);
    m_rowHeight = qMax(m_rowHeight, texels.height());
    m_cursorX += texels.width() + m_spacing;
    copyToImage(pixels, rect);
    return rect;
}

void orbTextureAtlas::copyToImage(const QImage &image, const QRect &rect)
{
    const int destinationX = rect.x() / texelsPerPixel();
    const int bytesPerLine = image.width() * 4;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(m_image.scanLine(rect.y() + y) + destinationX * 4, image.constScanLine(y),
                    size_t(bytesPerLine));
}

orbSubTexture *orbTextureAtlas::createSubTexture(const QImage &image)
{
    return new orbSubTexture(this, addImage(image));
}

orbTextureAtlas *orbTextureAtlas::atlasFromImage(const QImage &image, AtlasFormat format)
{
    const int texelsPerPixel = format == Alpha ? 4 : 1;
    auto *atlas
        = new orbTextureAtlas(QSize(image.width() * texelsPerPixel, image.height()), format);
    atlas->addImage(image);
    return atlas;
}
