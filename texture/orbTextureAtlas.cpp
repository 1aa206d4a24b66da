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

orbTextureAtlas::orbTextureAtlas(const QSize &size, AtlasFormat format, Storage storage)
    : m_size(size)
    , m_format(format)
    , m_storage(storage)
{
    QImage blank(size.width() / texelsPerPixel(), size.height(), QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    if (storage == ImageOnly || createTexture(blank))
        m_image = blank;
}

// What the public constructor followed by addImage(image) gives, without
// clearing and uploading a blank atlas first: a warm start makes one of these
// per atlas file.
orbTextureAtlas::orbTextureAtlas(const QImage &image, AtlasFormat format)
    : m_format(format)
{
    const QImage pixels = image.format() == QImage::Format_ARGB32
        ? image
        : image.convertToFormat(QImage::Format_ARGB32);
    m_size = QSize(pixels.width() * texelsPerPixel(), pixels.height());
    if (!createTexture(pixels))
        return;
    m_image = pixels;
    m_rowHeight = m_size.height();
    m_cursorX = m_size.width() + m_spacing;
}

// A texture of the atlas's size holding initial; false without a GL context.
bool orbTextureAtlas::createTexture(const QImage &initial)
{
    QOpenGLFunctions *gl = currentFunctions();
    if (!gl)
        return false;
    m_shareGroup = QOpenGLContext::currentContext()->shareGroup();
    gl->glGetError();
    gl->glGenTextures(1, &m_textureId);
    gl->glBindTexture(GL_TEXTURE_2D, m_textureId);
    gl->glGetError();

    const GLenum pixelFormat = glFormat(m_format);
    gl->glTexImage2D(GL_TEXTURE_2D, 0, GLint(pixelFormat), m_size.width(), m_size.height(), 0,
                     pixelFormat, GL_UNSIGNED_BYTE, initial.constBits());
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gl->glGetError();
    return true;
}

orbTextureAtlas::~orbTextureAtlas()
{
    if (QOpenGLFunctions *gl = currentFunctions(); gl && m_textureId)
        gl->glDeleteTextures(1, &m_textureId);
}

bool orbTextureAtlas::isUsableIn(QOpenGLContext *context) const
{
    return context && m_shareGroup && context->shareGroup() == m_shareGroup;
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
    QOpenGLFunctions *gl = m_storage == ImageOnly ? nullptr : currentFunctions();
    if (!gl && m_storage != ImageOnly)
        return QRect();
    if (gl)
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
    if (gl) {
        gl->glBindTexture(GL_TEXTURE_2D, m_textureId);
        // Rows of the image are packed without padding (ARGB32 lines are 4-byte aligned).
        const GLenum pixelFormat = glFormat(m_format);
        gl->glTexSubImage2D(GL_TEXTURE_2D, 0, m_cursorX, m_cursorY, texels.width(), texels.height(),
                            pixelFormat, GL_UNSIGNED_BYTE, pixels.constBits());
        gl->glGetError();
    }

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
    return new orbTextureAtlas(image, format);
}
