#include "LibraryModels.h"
#include "TrackListModel.h"
#include "WindowScreenshot.h"
#include "orbHostEnvironment.h"

#include <QtCore/QCommandLineParser>
#include <QtCore/QDir>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlApplicationEngine>
#include <QtQml/QQmlContext>
#include <QtQuick/QQuickWindow>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("orbQuickDemo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A gallery of the orbQuick QML module."));
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Render, save the window to <file>, exit."),
                                        QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);

    // The host's side of the integration: collector first, engines after.
    orbHostEnvironment host(app);
    // Outlives the engine: the view may still read it while QML is torn down.
    TrackListModel tracks;
    QQmlApplicationEngine engine;
    host.prepare(engine);
    // The gallery shows artwork of the SVG test corpus.
    engine.rootContext()->setContextProperty(
        QStringLiteral("corpus"), QUrl::fromLocalFile(QStringLiteral(ORB_DEMO_CORPUS "/")));
    LibraryModels library;
    library.publish(*engine.rootContext());
    tracks.publish(*engine.rootContext());
    engine.load(QUrl(QStringLiteral("qrc:/demo/Gallery.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;

    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window) {
        qWarning("orbQuickDemo: the gallery's root object is not a window");
        return 1;
    }
    if (parser.isSet(screenshot))
        new WindowScreenshot(window, QDir::current().absoluteFilePath(parser.value(screenshot)),
                             &app);
    return app.exec();
}
