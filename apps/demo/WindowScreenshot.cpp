#include "WindowScreenshot.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTimer>
#include <QtGui/QImage>
#include <QtQuick/QQuickWindow>

#include <cstdio>

namespace {
constexpr int FramesBeforeGrab = 3;
constexpr int TimeoutMs = 30000;
} // namespace

WindowScreenshot::WindowScreenshot(QQuickWindow *window, const QString &path, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_path(path)
{
    connect(window, &QQuickWindow::frameSwapped, this, &WindowScreenshot::frameSwapped,
            Qt::QueuedConnection);
    QTimer::singleShot(TimeoutMs, this, &WindowScreenshot::giveUp);
    // Keep frames coming until the grab, so animations and late items settle.
    window->update();
}

void WindowScreenshot::frameSwapped()
{
    if (++m_frames == FramesBeforeGrab)
        save();
    else if (m_frames < FramesBeforeGrab)
        m_window->update();
}

void WindowScreenshot::save()
{
    const QImage image = m_window->grabWindow();
    if (image.isNull() || !image.save(m_path)) {
        std::fprintf(stderr, "orbQuickDemo: could not write the screenshot %s\n",
                     qPrintable(m_path));
        QCoreApplication::exit(1);
        return;
    }
    std::printf("orbQuickDemo: screenshot written to %s\n", qPrintable(m_path));
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

void WindowScreenshot::giveUp()
{
    if (m_frames >= FramesBeforeGrab)
        return;
    std::fprintf(stderr, "orbQuickDemo: the window was not rendered within %d ms\n", TimeoutMs);
    QCoreApplication::exit(1);
}
