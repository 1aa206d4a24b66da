#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QObject>
#include <QtCore/QStringList>

#include <memory>

class QQmlEngine;

namespace orbtest {

// Creates an object from QML source in a fresh context of engine; returns null
// (and fails the current test with the component's errors) when that fails.
QObject *createFromQml(QQmlEngine &engine, const QByteArray &source);

// createFromQml() of a visible white Window of the given size that holds
// content (QML items and window properties), importing QtQuick, its Window
// module, orbQuick and extraImports (whole import lines).
QObject *createWindow(QQmlEngine &engine, int width, int height, const QByteArray &content,
                      const QByteArray &extraImports = {});

// Collects the text of every message issued while it lives (and still passes
// them on to the previous handler).
class MessageCapture
{
public:
    MessageCapture();
    ~MessageCapture();

    QStringList messages() const;
    bool contains(const QString &text) const;

    struct State;

private:
    std::unique_ptr<State> m_state;
};

} // namespace orbtest
