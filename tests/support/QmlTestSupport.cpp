#include "QmlTestSupport.h"

#include <QtCore/QUrl>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlEngine>
#include <QtTest/QTest>

#include <mutex>

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
    QStringList messages;
};

namespace {
// Messages come from any thread, also while a capture is made or dropped:
// the active capture is looked up and written under one lock (a standard
// one, which the thread sanitizer sees through).
std::mutex s_mutex;
MessageCapture::State *s_active = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    QtMessageHandler previous = nullptr;
    {
        std::lock_guard<std::mutex> lock(s_mutex);
        if (s_active) {
            s_active->messages.append(text);
            previous = s_active->previous;
        }
    }
    if (previous)
        previous(type, context, text);
}
} // namespace

MessageCapture::MessageCapture()
    : m_state(std::make_unique<State>())
{
    std::lock_guard<std::mutex> lock(s_mutex);
    s_active = m_state.get();
    m_state->previous = qInstallMessageHandler(captureMessage);
}

MessageCapture::~MessageCapture()
{
    std::lock_guard<std::mutex> lock(s_mutex);
    qInstallMessageHandler(m_state->previous);
    s_active = nullptr;
}

QStringList MessageCapture::messages() const
{
    std::lock_guard<std::mutex> lock(s_mutex);
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
