#include "orbTextureAtlasPool.h"

#include "orbSubTexture.h"

orbTextureAtlasPool::orbTextureAtlasPool(const QSize &atlasSize,
                                         orbTextureAtlas::AtlasFormat format)
    : m_atlasSize(atlasSize)
    , m_format(format)
{
}

QSGTexture *orbTextureAtlasPool::add(const QImage &image)
{
    if (image.width() > m_atlasSize.width() || image.height() > m_atlasSize.height())
        return nullptr;
    if (!m_currentAtlas || !m_currentAtlas->canFit(image.size()))
        m_currentAtlas = orb::ref_ptr<orbTextureAtlas>(new orbTextureAtlas(m_atlasSize, m_format));
    return m_currentAtlas->createSubTexture(image);
}
