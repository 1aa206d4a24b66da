// Drag and drop: how long from executeDrag() to the drag image being ready,
// against grabbing the same delegate with grabToImage(); and filterFileTypes()
// over a large folder tree, against a recursive QDirIterator with the same
// expression. Prints its ratios on lines of their own.

#include "BenchStatistics.h"
#include "orbHostEnvironment.h"

#include <QtCore/QDirIterator>
#include <QtCore/QElapsedTimer>
#include <QtCore/QPointer>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtCore/QTimer>
#include <QtGui/QDrag>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickItemGrabResult>
#include <QtQuick/QQuickWindow>
#include <QtTest/QSignalSpy>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Samples = 20;

const QByteArray Scene = R"qml(
import QtQuick 2.15
import QtQuick.Window 2.15
import orbQuick 1.0
Window { x: 0; y: 0; width: 400; height: 200; visible: true
    Component { id: tile
        Rectangle { width: 300; height: 60
            gradient: Gradient { GradientStop { position: 0; color: '#204060' }
                                 GradientStop { position: 1; color: '#a0c0e0' } }
            Text { anchors.centerIn: parent; text: 'Artist - Track title (extended mix)'; font.pixelSize: 18 } } }
    ORBDragHandler { objectName: 'handler'; delegate: tile }
    Loader { objectName: 'baseline'; y: 100; sourceComponent: tile }
}
)qml";

// executeDrag() until the GUI thread learns that the render thread has read
// the image back: delegateUpdated, emitted there, deletes a probe later here.
double dragImageMs(QQuickWindow &window, QObject &handler)
{
    auto *probe = new QObject; // deletes itself
    const QPointer<QObject> alive(probe);
    const QMetaObject *meta = handler.metaObject();
    QObject::connect(&handler, meta->method(meta->indexOfSignal("delegateUpdated()")), probe,
                     probe->metaObject()->method(probe->metaObject()->indexOfSlot("deleteLater()")),
                     Qt::DirectConnection);
    // The drag that follows is cancelled at once from inside its loop.
    QTimer cancel;
    cancel.setInterval(5);
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        if (handler.findChild<QDrag *>())
            QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(-400, -400));
    });
    cancel.start();

    QElapsedTimer clock;
    clock.start();
    QMetaObject::invokeMethod(&handler, "executeDrag");
    while (alive && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    const double elapsed = clock.nsecsElapsed() / 1e6;
    QSignalSpy finished(&handler, SIGNAL(dragFinished(orbDragHandlerEvent *)));
    finished.wait(5000);
    return elapsed;
}

double grabMs(QQuickItem &item)
{
    QElapsedTimer clock;
    double elapsed = -1;
    clock.start();
    QSharedPointer<QQuickItemGrabResult> result = item.grabToImage();
    QObject::connect(result.data(), &QQuickItemGrabResult::ready,
                     [&] { elapsed = clock.nsecsElapsed() / 1e6; });
    if (!QTest::qWaitFor([&] { return elapsed >= 0; }, 5000))
        std::fprintf(stderr, "grabToImage: no image within 5 s\n");
    return elapsed;
}

void makeTree(const QString &root)
{
    const char *const suffixes[] = {"mp3", "WAV", "flac", "txt", "jpg"};
    int file = 0;
    for (int top = 0; top < 20; ++top) {
        for (int sub = 0; sub < 20; ++sub) {
            const QString folder = QStringLiteral("%1/f%2/s%3").arg(root).arg(top).arg(sub);
            QDir().mkpath(folder);
            for (int i = 0; i < 50; ++i, ++file) {
                QFile f(QStringLiteral("%1/track%2.%3")
                            .arg(folder)
                            .arg(file)
                            .arg(QLatin1String(suffixes[file % 5])));
                f.open(QIODevice::WriteOnly);
            }
        }
    }
}

QStringList iterate(const QString &root, const QRegularExpression &expression)
{
    QStringList result;
    QDirIterator it(root, QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (expression.match(it.fileName()).hasMatch())
            result << it.filePath();
    }
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    orbHostEnvironment host(app);
    QQmlEngine engine;
    host.prepare(engine);
    QQmlComponent component(&engine);
    component.setData(Scene, QUrl(QStringLiteral("file:///bench/DragDrop.qml")));
    std::unique_ptr<QObject> root(component.create());
    auto *window = qobject_cast<QQuickWindow *>(root.get());
    if (!window) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    if (!QTest::qWaitForWindowExposed(window, 5000))
        return 1;
    QObject *handler = window->findChild<QObject *>(QStringLiteral("handler"));
    auto *baseline = window->findChild<QQuickItem *>(QStringLiteral("baseline"));

    std::vector<double> drags, grabs;
    for (int i = 0; i < Samples; ++i) {
        drags.push_back(dragImageMs(*window, *handler));
        grabs.push_back(grabMs(*baseline->childItems().value(0, baseline)));
    }
    std::printf("drag image: median %.2f ms, grabToImage: median %.2f ms\n", median(drags),
                median(grabs));
    std::printf("drag image/grabToImage ratio: %.3f\n", median(drags) / median(grabs));

    QTemporaryDir dir;
    makeTree(dir.path());
    QObject *zone = nullptr;
    QQmlComponent zoneComponent(&engine);
    zoneComponent.setData("import orbQuick 1.0\nORBDropZone {}", QUrl());
    std::unique_ptr<QObject> zoneObject(zoneComponent.create());
    zone = zoneObject.get();
    const QStringList types{".mp3", ".wav", ".flac"};
    const QRegularExpression expression(
        QRegularExpression::anchoredPattern(QStringLiteral("(.*\\.mp3$|.*\\.wav$|.*\\.flac$)?$")),
        QRegularExpression::CaseInsensitiveOption);
    std::vector<double> filters, iterations;
    int filtered = 0, iterated = 0;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer clock;
        clock.start();
        QStringList result;
        QMetaObject::invokeMethod(zone, "filterFileTypes", Q_RETURN_ARG(QStringList, result),
                                  Q_ARG(QList<QUrl>, {QUrl::fromLocalFile(dir.path())}),
                                  Q_ARG(QStringList, types));
        filters.push_back(clock.nsecsElapsed() / 1e6);
        filtered = result.size();
        clock.restart();
        iterated = iterate(dir.path(), expression).size();
        iterations.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf(
        "filterFileTypes: %d files, median %.2f ms; QDirIterator: %d files, median %.2f ms\n",
        filtered, median(filters), iterated, median(iterations));
    std::printf("filterFileTypes/QDirIterator ratio: %.3f\n", median(filters) / median(iterations));
    return 0;
}
