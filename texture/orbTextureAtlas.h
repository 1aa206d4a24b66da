#pragma once

#include "refcounted.h"

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QRect>
#include <QtCore/QSize>
#include <QtGui/QImage>

class QOpenGLContext;
class QOpenGLContextGroup;
class orbSubTexture;

// One OpenGL texture into which images are packed row by row, with a CPU copy
// of everything it holds (for the disk cache). Images are never removed.
// Created and used on the render thread (its GL context current); the last
// release goes through the collector, which destroys it on that thread.
class orbTextureAtlas : public QObject, public orb::refcounted
{
    Q_OBJECT
    Q_INTERFACES(orb::refcounted)

public:
    // Alpha: one byte per texel, each ARGB32 pixel of an image standing for
    // four consecutive texels. Rgba: one ARGB32 pixel per texel.
    enum AtlasFormat { Alpha = 0, Rgba = 1 };
    // ImageOnly keeps the CPU copy alone, with no texture and no GL context
    // needed: for writing a cache folder without drawing anything.
    enum Storage { TextureAndImage, ImageOnly };

    // Without a current GL context a TextureAndImage atlas has no texture and no image.
    orbTextureAtlas(const QSize &size, AtlasFormat format, Storage storage = TextureAndImage);
    ~orbTextureAtlas() override;

    // Whether addImage() would place an image of that size (in image pixels).
    bool canFit(const QSize &imageSize) const;
    // Uploads and copies the image; returns its place in texels (null without GL).
    QRect addImage(const QImage &image);
    // A new sub-texture (owned by the caller) for addImage(image).
    orbSubTexture *createSubTexture(const QImage &image);
    // A new atlas exactly as large as image, holding all of it.
    static orbTextureAtlas *atlasFromImage(const QImage &image, AtlasFormat format);

    QSize size() const { return m_size; }
    AtlasFormat format() const { return m_format; }
    Storage storage() const { return m_storage; }
    unsigned int textureId() const { return m_textureId; }
    const QImage &image() const { return m_image; }
    // Whether the texture can be bound in context: one of the share group it
    // was made in, which outlives the context that made it while another of
    // the group lives (windows share only with Qt::AA_ShareOpenGLContexts
    // set before the application is made).
    bool isUsableIn(QOpenGLContext *context) const;

private:
    // The atlas of atlasFromImage(): the image is its first upload.
    orbTextureAtlas(const QImage &image, AtlasFormat format);
    bool createTexture(const QImage &initial);
    int texelsPerPixel() const { return m_format == Alpha ? 4 : 1; }
    void copyToImage(const QImage &image, const QRect &rect);

    QSize m_size;
    int m_rowHeight = 0;
    int m_spacing = 16;
    int m_cursorX = 0;
    int m_cursorY = 0;
    unsigned int m_textureId = 0;
    QPointer<QOpenGLContextGroup> m_shareGroup;
    AtlasFormat m_format;
    Storage m_storage = TextureAndImage;
    QImage m_image;
};
