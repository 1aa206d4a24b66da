#include "GLTestContext.h"

#include <QtGui/QImage>
#include <QtGui/QOpenGLFramebufferObject>
#include <QtGui/QOpenGLFunctions>
#include <QtGui/QOpenGLShaderProgram>

namespace orbtest {

GLTestContext::GLTestContext()
    : m_surface(std::make_unique<QOffscreenSurface>())
    , m_context(std::make_unique<QOpenGLContext>())
{
    m_surface->create();
    m_valid = m_context->create() && m_context->makeCurrent(m_surface.get());
}

GLTestContext::~GLTestContext()
{
    if (m_valid)
        m_context->doneCurrent();
}

QImage readTexture(unsigned int textureId, const QSize &size, bool alpha)
{
    QOpenGLFunctions *gl = QOpenGLContext::currentContext()->functions();
    QOpenGLFramebufferObject fbo(size);
    fbo.bind();
    gl->glViewport(0, 0, size.width(), size.height());

    QOpenGLShaderProgram program;
    program.addShaderFromSourceCode(QOpenGLShader::Vertex,
                                    "attribute highp vec2 position;\n"
                                    "varying highp vec2 uv;\n"
                                    "void main() { uv = position * 0.5 + 0.5;"
                                    " gl_Position = vec4(position, 0.0, 1.0); }\n");
    program.addShaderFromSourceCode(
        QOpenGLShader::Fragment,
        alpha ? "uniform sampler2D tex; varying highp vec2 uv;\n"
                "void main() { gl_FragColor = vec4(texture2D(tex, uv).a, 0.0, 0.0, 1.0); }\n"
              : "uniform sampler2D tex; varying highp vec2 uv;\n"
                "void main() { gl_FragColor = texture2D(tex, uv); }\n");
    program.bindAttributeLocation("position", 0);
    program.link();
    program.bind();
    program.setUniformValue("tex", 0);

    gl->glActiveTexture(GL_TEXTURE0);
    gl->glBindTexture(GL_TEXTURE_2D, textureId);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl->glDisable(GL_BLEND);

    static const GLfloat quad[] = {-1, -1, 1, -1, -1, 1, 1, 1};
    program.enableAttributeArray(0);
    program.setAttributeArray(0, GL_FLOAT, quad, 2);
    gl->glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    program.disableAttributeArray(0);

    // Unflipped, the framebuffer's first row is texture row 0.
    const QImage rendered = fbo.toImage(false).convertToFormat(QImage::Format_ARGB32);
    fbo.release();
    if (!alpha)
        return rendered.convertToFormat(QImage::Format_RGBA8888);
    QImage texels(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y) {
        const QRgb *source = reinterpret_cast<const QRgb *>(rendered.constScanLine(y));
        uchar *line = texels.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            line[x] = uchar(qRed(source[x]));
    }
    return texels;
}

} // namespace orbtest
