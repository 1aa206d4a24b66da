#pragma once

#include <QtCore/QElapsedTimer>
#include <QtCore/QMutex>
#include <QtQml/QQmlEngine>

#include <memory>
#include <vector>

class orbHostEnvironment;
class QQuickItem;
class QQuickWindow;
class QUrl;

// A window made from QML (after the QtQuick, Window and orbQuick imports) in
// an engine of its own, recording when each frame is swapped.
class SvgBenchScene
{
public:
    SvgBenchScene(orbHostEnvironment &host, const QByteArray &qml);
    ~SvgBenchScene();

    QQuickWindow *window() const { return m_window; }
    QQuickItem *item(const char *name) const;
    // Milliseconds from the start of the scene to the end of each frame so far.
    std::vector<double> frameTimes() const;
    double now() const { return m_clock.nsecsElapsed() / 1e6; }

    // Milliseconds from now to the end of the first frame that shows a tree built for item.
    double timeToFirstFrame(QQuickItem *svg, const QUrl &source);
    // Milliseconds from the start of the scene's creation (before its engine
    // read the QML) to the end of its first frame.
    double timeToFirstFrame();

private:
    QQmlEngine m_engine;
    std::unique_ptr<QObject> m_object;
    QQuickWindow *m_window = nullptr;
    QElapsedTimer m_clock;
    mutable QMutex m_frameMutex;
    std::vector<double> m_frameTimes; // written on the render thread
};
