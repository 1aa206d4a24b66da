#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QMutex>
#include <QtCore/QString>

// One GLSL source file, read on first use and kept for the life of the object
// (the shaders hold theirs in statics, so once per process). Fragment sources
// get the OpenGL ES prologue when the context current at that read is ES.
class orbSvgShaderSource
{
public:
    enum Stage { Vertex, Fragment };

    orbSvgShaderSource(const QString &fileName, Stage stage);

    // The source, or an empty string while the file cannot be read (tried
    // again at the next call). Once read, the pointer stays valid as long as
    // this object does.
    const char *text();

    // Put before fragment sources on OpenGL ES.
    static const char *esFragmentPrologue();

private:
    const QString m_fileName;
    const Stage m_stage;
    QMutex m_mutex;
    QByteArray m_text;
};
