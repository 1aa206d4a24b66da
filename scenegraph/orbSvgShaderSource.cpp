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
                source.prepend(esFragmentPrologue());
            m_text = source;
        }
    }
    return m_text.constData();
}
