// Loads a QML scene the way an application that installed orbQuick does, links
// nothing of orbQuick itself, and checks pixels of what the scene shows.
//
//   orbquick-smoke SCENE.qml [--model-rows A,B,...] [--grab OUT.png]
//
// The scene's root is a Window with a list property "probes" of
// {what, x, y, color}. Once every probe's pixel matches (each channel within
// Tolerance) the program exits with 0; after Patience it exits with 1 and names
// the probes that never matched. Exit 2: the scene did not load or QML warned.
// "--model-rows" publishes a one-column item model as "loaderModel" whose rows
// show the given texts. The orbQuick libraries the process mapped are printed
// as "loaded: PATH", so the caller can see where they came from.

#include <QtCore/QCommandLineParser>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QTextStream>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QStandardItemModel>
#include <QtQml/QQmlApplicationEngine>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlError>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

#include <cstdio>
#include <cstdlib>

namespace {

const int Tolerance = 24;
const int PatienceMs = 20000;

struct Probe
{
    QString what;
    QPoint at;
    QColor expected;
};

QList<Probe> readProbes(const QObject *root)
{
    QList<Probe> probes;
    const QVariantList list = root->property("probes").toList();
    for (const QVariant &entry : list) {
        const QVariantMap map = entry.toMap();
        probes.append({map.value("what").toString(),
                       QPoint(map.value("x").toInt(), map.value("y").toInt()),
                       QColor(map.value("color").toString())});
    }
    return probes;
}

bool matches(const QImage &frame, const Probe &probe, QColor *seen)
{
    if (!frame.rect().contains(probe.at))
        return false;
    *seen = frame.pixelColor(probe.at);
    return qAbs(seen->red() - probe.expected.red()) <= Tolerance
        && qAbs(seen->green() - probe.expected.green()) <= Tolerance
        && qAbs(seen->blue() - probe.expected.blue()) <= Tolerance;
}

// Probes not (yet) matched in frame, one line each.
QStringList mismatches(const QImage &frame, const QList<Probe> &probes)
{
    QStringList failed;
    for (const Probe &probe : probes) {
        QColor seen;
        if (!matches(frame, probe, &seen))
            failed << QStringLiteral("%1 at (%2,%3): expected %4, seen %5")
                          .arg(probe.what)
                          .arg(probe.at.x())
                          .arg(probe.at.y())
                          .arg(probe.expected.name(), seen.name());
    }
    return failed;
}

void printLoadedLibraries()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return;
    QStringList seen;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const int slash = line.indexOf('/');
        if (slash < 0)
            continue;
        const QString path = QString::fromLocal8Bit(line.mid(slash));
        if (path.contains(QLatin1String("orb")) && path.contains(QLatin1String(".so"))
            && !seen.contains(path))
            seen << path;
    }
    for (const QString &path : qAsConst(seen))
        std::printf("loaded: %s\n", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("scene"), QStringLiteral("the QML scene"));
    const QCommandLineOption modelRows(QStringLiteral("model-rows"),
                                       QStringLiteral("rows of \"loaderModel\""),
                                       QStringLiteral("texts"));
    const QCommandLineOption grab(QStringLiteral("grab"), QStringLiteral("where to save the frame"),
                                  QStringLiteral("png"));
    parser.addOptions({modelRows, grab});
    parser.addHelpOption();
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);

    QStandardItemModel model;
    for (const QString &text : parser.value(modelRows).split(',', Qt::SkipEmptyParts))
        model.appendRow(new QStandardItem(text));

    QQmlApplicationEngine engine;
    bool warned = false;
    QObject::connect(&engine, &QQmlEngine::warnings, [&warned](const QList<QQmlError> &errors) {
        for (const QQmlError &error : errors)
            std::fprintf(stderr, "QML: %s\n", qPrintable(error.toString()));
        warned = true;
    });
    engine.rootContext()->setContextProperty(QStringLiteral("loaderModel"), &model);
    engine.load(QUrl::fromLocalFile(parser.positionalArguments().constFirst()));
    printLoadedLibraries();
    auto *window = engine.rootObjects().isEmpty()
        ? nullptr
        : qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window) {
        std::fprintf(stderr, "orbquick-smoke: the scene made no window\n");
        return 2;
    }
    const QList<Probe> probes = readProbes(window);
    if (probes.isEmpty()) {
        std::fprintf(stderr, "orbquick-smoke: the scene has no probes\n");
        return 2;
    }
    if (!QTest::qWaitForWindowExposed(window))
        return 2;

    // Artwork appears once its distance fields exist: look again until it is all there.
    QElapsedTimer patience;
    patience.start();
    QImage frame;
    QStringList failed;
    do {
        QTest::qWait(100);
        frame = window->grabWindow();
        failed = mismatches(frame, probes);
    } while (!failed.isEmpty() && !patience.hasExpired(PatienceMs));

    if (parser.isSet(grab))
        frame.save(parser.value(grab));
    for (const QString &failure : qAsConst(failed))
        std::fprintf(stderr, "orbquick-smoke: %s\n", qPrintable(failure));
    if (warned)
        return 2;
    std::printf("orbquick-smoke: %d probes matched\n", int(probes.size() - failed.size()));
    return failed.isEmpty() ? 0 : 1;
}
