// SVG items in windows that share their OpenGL objects
// (Qt::AA_ShareOpenGLContexts): the fields outlive the window they were
// made for, and a later window draws them without making them again.

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <memory>

class tst_SvgItemSharedContexts : public QObject
{
    Q_OBJECT

private slots:
    void laterWindowDrawsTheFieldsOfAClosedOne();
};

namespace {

QImage renderedFrame(QQuickWindow &window)
{
    int frames = 0;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&frames] { ++frames; });
    for (int pass = 0; pass < 3; ++pass) {
        const int seen = frames;
        window.update();
        if (!QTest::qWaitFor([&] { return frames > seen; }, 10000))
            return QImage();
    }
    return window.grabWindow();
}

} // namespace

void tst_SvgItemSharedContexts::laterWindowDrawsTheFieldsOfAClosedOne()
{
    QTemporaryDir files;
    QFile svg(files.filePath("square.svg"));
    QVERIFY(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 100 100'>"
              "<rect x='10' y='10' width='80' height='80' fill='#ff0000'/></svg>");
    svg.close();

    orbHostEnvironment host(*qApp);
    QQmlEngine engine;
    host.prepare(engine);
    const QByteArray item = "ORBSvgItem { objectName: 'svg'; width: 200; height: 200; source: '"
        + QUrl::fromLocalFile(svg.fileName()).toEncoded() + "' }";

    orbtest::MessageCapture messages;
    for (int window = 0; window < 2; ++window) {
        std::unique_ptr<QObject> object(orbtest::createWindow(engine, 200, 200, item));
        auto *quickWindow = qobject_cast<QQuickWindow *>(object.get());
        QVERIFY(quickWindow);
        auto *svgItem = object->findChild<QQuickItem *>("svg");
        QTRY_VERIFY(!svgItem->property("sourceSize").toSizeF().isEmpty());
        const QImage frame = renderedFrame(*quickWindow);
        QCOMPARE(frame.pixelColor(100, 100), QColor(Qt::red));
        QCOMPARE(frame.pixelColor(5, 5), QColor(Qt::white));
    }
    int created = 0;
    for (const QString &message : messages.messages()) {
        QVERIFY2(!message.contains("AA_ShareOpenGLContexts"), qPrintable(message));
        created += message.contains("Creating texture for");
    }
    // Made for the first window only.
    QVERIFY2(created >= 1 && created <= 2, qPrintable(QString::number(created)));
}

int main(int argc, char *argv[])
{
    // A cache of its own: fields left on disk by an earlier run would be read,
    // not made, and the test counts the ones made.
    QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toLocal8Bit());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QGuiApplication app(argc, argv);
    tst_SvgItemSharedContexts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_svgitem_sharedcontexts.moc"
