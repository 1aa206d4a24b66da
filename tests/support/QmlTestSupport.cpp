#include "QmlTestSupport.h"

#include <QtCore/QMutex>
#include <QtCore/QUrl>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlEngine>
#include <QtTest/QTest>

namespace orbtest {

QObject *createFromQml(QQmlEngine &engine, const QByteArray &source)
{
    QQmlComponent component(&engine);
    component.setData(source, QUrl(QStringLiteral("file:///orbtest/Inline.qml")));
    QObject *object = component.create();
    if (!object)
        QTest::qFail(qPrintable(component.errorString()), __FILE__, __LINE__);
    else
        QQmlEngine::setObjectOwnership(object, QQmlEngine::CppOwnership);
    return object;
}

QObject *createWindow(QQmlEngine &engine, int width, int height, const QByteArray &content,
                      const QByteArray &extraImports)
{
    return createFromQml(engine,
                         "import QtQuick 2.15\nimport QtQuick.Window 2.15\n" + extraImports
                             + "import orbQuick 1.0\nWindow { color: 'white'; visible: true; "
                               "width: "
                             + QByteArray::number(width) + "; height: " + QByteArray::number(height)
                             + "\n" + content + "\n}\n");
}

struct MessageCapture::State
{
    QtMessageHandler previous = nullptr;
    QMutex mutex;
    QStringList messages;
};

namespace {
MessageCapture::State *s_active = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    {
        QMutexLocker lock(&s_active->mutex);
        s_active->messages.append(text);
    }
    if (s_active->previous)
        s_active->previous(type, context, text);
}
} // namespace

MessageCapture::MessageCapture()
    : m_state(std::make_unique<State>())
{
    s_active = m_state.get();
    m_state->previous = qInstallMessageHandler(captureMessage);
}

MessageCapture::~MessageCapture()
{
    qInstallMessageHandler(m_state->previous);
    s_active = nullptr;
}

QStringList MessageCapture::messages() const
{
    QMutexLocker lock(&m_state->mutex);
    return m_state->messages;
}

bool MessageCapture::contains(const QString &text) const
{
    const QStringList all = messages();
    for (const QString &message : all) {
        if (message.contains(text))
            return true;
    }
    return false;
}

} // namespace orbtest
