#pragma once

#include "orbTextureAtlas.h"
#include "ref_ptr.h"

#include <QtQuick/QSGTexture>

class QOpenGLContext;

// The scene graph's view of one image packed in an atlas: binds the atlas's
// texture and reports the image's rectangle as the sub-rectangle. Created and
// used on the render thread; keeps its atlas alive.
class orbSubTexture : public QSGTexture
{
    Q_OBJECT

public:
    orbSubTexture(orbTextureAtlas *atlas, const QRect &rect);
    ~orbSubTexture() override;

    int textureId() const override;
    QSize textureSize() const override;
    bool hasAlphaChannel() const override { return true; }
    bool hasMipmaps() const override { return false; }
    QRectF normalizedTextureSubRect() const override;
    bool isAtlasTexture() const override { return true; }
    QSGTexture *removedFromAtlas() const override { return nullptr; }
    void bind() override;

    orbTextureAtlas *atlas() const { return m_atlas.get(); }
    const QRect &rect() const { return m_rect; }

private:
    static void warnForeignContextOnce();
    static unsigned int transparentTexture(QOpenGLContext *context);
    orb::ref_ptr<orbTextureAtlas> m_atlas;
    QRect m_rect;
};
