#pragma once

#include <QtGui/QOffscreenSurface>
#include <QtGui/QOpenGLContext>

#include <memory>

namespace orbtest {

// A real OpenGL context made current on an offscreen surface (under Xvfb,
// Mesa's software rasteriser), as the render thread has one.
class GLTestContext
{
public:
    GLTestContext();
    ~GLTestContext();

    bool isValid() const { return m_valid; }
    QOpenGLContext *context() const { return m_context.get(); }
    // Makes the context current on its surface again (after a doneCurrent(),
    // the context no longer knows its surface).
    bool makeCurrent() { return m_context->makeCurrent(m_surface.get()); }

private:
    std::unique_ptr<QOffscreenSurface> m_surface;
    std::unique_ptr<QOpenGLContext> m_context;
    bool m_valid = false;
};

// The texels of a texture as the GPU holds them: drawn through a shader into
// a framebuffer object and read back (alpha of an alpha texture, all channels
// of an RGBA one), width x height bytes or RGBA pixels.
QImage readTexture(unsigned int textureId, const QSize &size, bool alpha);

} // namespace orbtest
