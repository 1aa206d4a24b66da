#include "orbSvgShaderSource.h"

#include <QtCore/QFile>
#include <QtCore/QMutexLocker>
#include <QtGui/QOpenGLContext>

orbSvgShaderSource::orbSvgShaderSource(const QString &fileName, Stage stage)
    : m_fileName(fileName)
    , m_stage(stage)
{
}

const char *orbSvgShaderSource::esFragmentPrologue()
{
    // ES has no default float precision in fragment shaders and fwidth() only
    // through the extension.
    return "#extension GL_OES_standard_derivatives: enable\n"
           "precision highp float;\n"
           "precision highp int;\n";
}

namespace {
// Where the ES prologue goes: GLSL ES allows #extension only before any
// declaration, so a source's own leading #extension lines stay first.
int afterLeadingExtensions(const QByteArray &source)
{
    int position = 0;
    while (source.mid(position).startsWith("#extension")) {
        const int end = source.indexOf('\n', position);
        if (end < 0)
            return source.size();
        position = end + 1;
    }
    return position;
}
} // namespace

const char *orbSvgShaderSource::text()
{
    // Several windows may render on several threads.
    QMutexLocker lock(&m_mutex);
    if (m_text.isEmpty()) {
        QFile file(m_fileName);
        if (file.open(QIODevice::ReadOnly)) {
            QByteArray source = file.readAll();
            const QOpenGLContext *context = QOpenGLContext::currentContext();
            if (!source.isEmpty() && m_stage == Fragment && context && context->isOpenGLES())
                source.insert(afterLeadingExtensions(source), esFragmentPrologue());
            m_text = source;
        }
    }
    return m_text.constData();
}
