// Draws an SVG file through the orbQuick plugin, as an application shows it:
//   orbsvg-grab IN.svg OUT.png WIDTH
// An ORBSvgItem of that width (height from the document's view box) on a white
// window; the first complete frame is saved.

#include "QSvgTinyDocument.h"
#include "orbHostEnvironment.h"

#include <QtCore/QFileInfo>
#include <QtCore/QTimer>
#include <QtCore/QUrl>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr int MaxSide = 8192;
constexpr int TimeoutMs = 60000;

int fail(const QString &message)
{
    std::fprintf(stderr, "orbsvg-grab: %s\n", qPrintable(message));
    return 1;
}

// The window's height for a width: the document's aspect, from its view box.
int heightFor(const QString &file, int width)
{
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    std::unique_ptr<orbsvg::QSvgTinyDocument> document(orbsvg::QSvgTinyDocument::load(file));
    qInstallMessageHandler(previous);
    if (!document)
        return 0;
    const QRectF box = document->viewBox();
    if (!(box.width() > 0) || !(box.height() > 0))
        return 0;
    const double height = std::round(width * box.height() / box.width());
    return height >= 1 && height <= MaxSide ? int(height) : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 4)
        return fail(QStringLiteral("usage: orbsvg-grab IN.svg OUT.png WIDTH"));
    const QString input = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const QString output = QString::fromLocal8Bit(argv[2]);
    bool ok = false;
    const int width = QString::fromLocal8Bit(argv[3]).toInt(&ok);
    if (!ok || width < 1 || width > MaxSide)
        return fail(QStringLiteral("WIDTH must be a whole number from 1 to %1").arg(MaxSide));
    const int height = heightFor(input, width);
    if (height == 0)
        return fail(QStringLiteral("cannot load %1").arg(input));

    orbHostEnvironment host(app);
    QQmlEngine engine;
    host.prepare(engine);
    QQmlComponent component(&engine);
    component.setData("import QtQuick 2.15\nimport QtQuick.Window 2.15\nimport orbQuick 1.0\n"
                      "Window { color: 'white'; flags: Qt.FramelessWindowHint\n"
                      "  ORBSvgItem { objectName: 'svg'; anchors.fill: parent } }",
                      QUrl());
    std::unique_ptr<QObject> object(component.create());
    auto *window = qobject_cast<QQuickWindow *>(object.get());
    if (!window)
        return fail(component.errorString());
    window->resize(width, height);
    auto *item = window->findChild<QQuickItem *>(QStringLiteral("svg"));

    // The tree is built in the frame that first knows the document's size;
    // the frame after it is complete.
    int framesSinceBuilt = -1;
    int exitCode = 1;
    QObject::connect(
        window, &QQuickWindow::frameSwapped, &app,
        [&] {
            const bool built = !item->property("sourceSize").toSizeF().isEmpty();
            if (!built || ++framesSinceBuilt < 1) {
                window->update();
                return;
            }
            const QImage image = window->grabWindow();
            exitCode = !image.isNull() && image.save(output) ? 0 : 1;
            if (exitCode)
                fail(QStringLiteral("cannot write %1").arg(output));
            app.quit();
        },
        Qt::QueuedConnection);
    QTimer::singleShot(TimeoutMs, &app, [&] {
        fail(QStringLiteral("no complete frame within %1 ms").arg(TimeoutMs));
        app.quit();
    });

    item->setProperty("source", QUrl::fromLocalFile(input));
    window->show();
    app.exec();
    object.reset();
    return exitCode;
}
