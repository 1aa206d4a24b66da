#include "SvgBenchScene.h"

#include "BenchWait.h"
#include "orbHostEnvironment.h"

#include <QtCore/QUrl>
#include <QtQml/QQmlComponent>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

#include <cstdio>

SvgBenchScene::SvgBenchScene(orbHostEnvironment &host, const QByteArray &qml)
{
    m_clock.start();
    host.prepare(m_engine);
    QQmlComponent component(&m_engine);
    component.setData(
        "import QtQuick 2.15\nimport QtQuick.Window 2.15\nimport orbQuick 1.0\n" + qml, QUrl());
    m_object.reset(component.create());
    m_window = qobject_cast<QQuickWindow *>(m_object.get());
    if (!m_window)
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
    else
        // Stamped on the thread that swaps: a queued stamp would wait for
        // the GUI thread and count its delay as part of the frame.
        QObject::connect(
            m_window, &QQuickWindow::frameSwapped, m_window,
            [this] {
                const QMutexLocker lock(&m_frameMutex);
                m_frameTimes.push_back(m_clock.nsecsElapsed() / 1e6);
            },
            Qt::DirectConnection);
}

SvgBenchScene::~SvgBenchScene()
{
    m_object.reset();
}

QQuickItem *SvgBenchScene::item(const char *name) const
{
    return m_window->findChild<QQuickItem *>(name);
}

std::vector<double> SvgBenchScene::frameTimes() const
{
    const QMutexLocker lock(&m_frameMutex);
    return m_frameTimes;
}

double SvgBenchScene::timeToFirstFrame(QQuickItem *svg, const QUrl &source)
{
    const double start = now();
    const size_t before = frameTimes().size();
    svg->setProperty("source", source);
    (void)benchWaitFor([&] { return !svg->property("sourceSize").toSizeF().isEmpty(); }, 120000);
    // The frame that built the tree swaps after the size is known.
    (void)benchWaitFor([&] { return frameTimes().size() > before; }, 10000);
    const std::vector<double> frames = frameTimes();
    return frames.back() - start;
}

double SvgBenchScene::timeToFirstFrame()
{
    (void)benchWaitFor([&] { return !frameTimes().empty(); }, 120000);
    const std::vector<double> frames = frameTimes();
    return frames.empty() ? 0 : frames.front();
}
