#pragma once

#include "orbTextureAtlas.h"
#include "ref_ptr.h"

class QSGTexture;

// A chain of atlases of one size and format handing out sub-textures; a new
// atlas starts when the current one is full. Used on the render thread.
class orbTextureAtlasPool : public orb::refcounted
{
public:
    orbTextureAtlasPool(const QSize &atlasSize, orbTextureAtlas::AtlasFormat format);

    // A sub-texture (owned by the caller) holding image, or null when the
    // image is larger than an atlas.
    QSGTexture *add(const QImage &image);

private:
    orb::ref_ptr<orbTextureAtlas> m_currentAtlas;
    QSize m_atlasSize;
    orbTextureAtlas::AtlasFormat m_format;
};
