// orbsvg-bake: what it writes, what it refuses, and a baked folder in use as
// the seed folder beside this executable, drawn in a real window.

#include "QmlTestSupport.h"
#include "SvgCorpus.h"
#include "orbHostEnvironment.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QDirIterator>
#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <algorithm>
#include <memory>

class tst_SvgBake : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void bakingTwiceGivesTheSameBytes();
    void badInputsAreReportedAndTheRestWritten_data();
    void badInputsAreReportedAndTheRestWritten();
    void refusesFoldersItDidNotWrite_data();
    void refusesFoldersItDidNotWrite();
    void rebakesItsOwnOutput();
    void seededDocumentsGenerateNothingAndDrawAsCold();

private:
    QString writeSvg(const QString &name, const QByteArray &contents);

    QTemporaryDir m_files;
    QStringList m_documents;
};

// Kept below the test class: the meta-object compiler stops at raw strings.
namespace {

struct Bake
{
    int exitCode = -1;
    QString errors;
};

// Runs the tool with the given working folder (a fresh one when empty).
Bake bake(const QStringList &arguments, const QString &workingFolder = QString())
{
    QTemporaryDir scratch;
    QProcess tool;
    tool.setWorkingDirectory(workingFolder.isEmpty() ? scratch.path() : workingFolder);
    tool.start(QStringLiteral(ORB_BAKE_TOOL), arguments);
    if (!tool.waitForFinished(120000))
        return Bake{};
    return Bake{tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
                QString::fromLocal8Bit(tool.readAllStandardError())};
}

// Every file below folder, by relative name, with its bytes.
QMap<QString, QByteArray> filesIn(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        file.open(QIODevice::ReadOnly);
        files.insert(QDir(folder).relativeFilePath(file.fileName()), file.readAll());
    }
    return files;
}

QJsonObject descriptorIn(const QString &folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral("cache.dscr")));
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object();
}

int fieldCount(const QString &folder)
{
    return descriptorIn(folder).value(QLatin1String("Textures")).toArray().size();
}

// Whether anything but the white of the window shows.
bool hasInk(const QImage &frame)
{
    const QImage pixels = frame.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (pixels.pixel(x, y) != 0xffffffffu)
                return true;
    return false;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const char *const Shapes = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
  <rect x="10" y="10" width="30" height="30" fill="#ff0000"/>
  <g transform="translate(50,0)" stroke="#000080" stroke-width="3">
    <circle cx="25" cy="25" r="15" fill="#0000ff"/>
    <rect x="10" y="60" width="30" height="20" fill="#00ff00" stroke-dasharray="4 2"/>
  </g>
  <text x="5" y="95">not drawn</text>
  <defs><rect id="unused" width="5" height="5"/></defs>
</svg>)svg";

const char *const Gradients
    = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="-20 -10 120 80">
  <linearGradient id="lg"><stop offset="0" stop-color="#102030"/><stop offset="1" stop-color="#f0e0d0"/></linearGradient>
  <radialGradient id="rg"><stop offset="0" stop-color="white"/><stop offset="1" stop-color="#3060c0"/></radialGradient>
  <ellipse cx="20" cy="20" rx="30" ry="14" fill="url(#lg)"/>
  <path d="M 60 5 c 10 -5 30 0 30 20 s -20 30 -30 10 z" fill="url(#rg)" stroke="#400000" stroke-width="1.5" stroke-linejoin="round"/>
  <polygon points="0,60 40,40 60,65" fill="#208020" stroke="black" stroke-linecap="round"/>
</svg>)svg";

const char *const Plain = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 50 50">
  <circle cx="25" cy="25" r="20" fill="#804000"/>
</svg>)svg";

} // namespace

QString tst_SvgBake::writeSvg(const QString &name, const QByteArray &contents)
{
    const QString path = m_files.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(contents);
    return path;
}

void tst_SvgBake::initTestCase()
{
    QVERIFY(m_files.isValid());
    m_documents << writeSvg("art/shapes.svg", Shapes)
                << writeSvg("art/more/gradients.svg", Gradients) << writeSvg("plain.svg", Plain);
}

void tst_SvgBake::cleanup()
{
    QDir(QCoreApplication::applicationDirPath() + "/SvgCache").removeRecursively();
}

void tst_SvgBake::bakingTwiceGivesTheSameBytes()
{
    QTemporaryDir first;
    QTemporaryDir second;
    QTemporaryDir working;
    const QString art = m_files.filePath("art");
    const QString plain = m_files.filePath("plain.svg");
    const Bake one = bake({first.filePath("out"), art, plain}, working.path());
    QCOMPARE(one.exitCode, 0);
    // The order of the arguments does not matter either.
    const Bake two = bake({second.filePath("out"), plain, art});
    QCOMPARE(two.exitCode, 0);

    const QMap<QString, QByteArray> a = filesIn(first.path());
    QCOMPARE(a, filesIn(second.path()));
    QVERIFY(a.contains("out/cache.dscr"));
    QVERIFY(a.size() >= 2);
    // Nothing outside the output folder, not even in the working folder.
    for (const QString &name : a.keys())
        QVERIFY2(name.startsWith("out/"), qPrintable(name));
    QVERIFY(QDir(working.path()).isEmpty());

    const QJsonObject descriptor = descriptorIn(first.filePath("out"));
    QVERIFY(!descriptor.contains("CacheDate") && !descriptor.contains("CacheDateHR"));
    // Every shape gives a fill and a stroke outline; the text and the unused
    // definition give none.
    QCOMPARE(fieldCount(first.filePath("out")), 2 * (3 + 3 + 1));
}

void tst_SvgBake::badInputsAreReportedAndTheRestWritten_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("message");
    QTest::newRow("file that is no SVG") << "broken.svg"
                                         << "cannot load %1";
    QTest::newRow("missing file") << "missing.svg"
                                  << "no such file or folder: %1";
    QTest::newRow("folder without SVG") << "empty"
                                        << "no SVG file in folder %1";
}

void tst_SvgBake::badInputsAreReportedAndTheRestWritten()
{
    QFETCH(QString, input);
    QFETCH(QString, message);
    QTemporaryDir dir;
    writeFile(dir.filePath("broken.svg"), "<svg xmlns='http://www.w3.org/2000/svg'><rect");
    QVERIFY(QDir().mkpath(dir.filePath("empty/sub")));
    writeFile(dir.filePath("empty/sub/readme.txt"), "no artwork here");
    const QString bad = dir.filePath(input);

    const Bake withBad = bake({dir.filePath("out"), m_documents.at(0), bad, m_documents.at(2)});
    QCOMPARE(withBad.exitCode, 1);
    QVERIFY2(withBad.errors.contains(message.arg(bad)), qPrintable(withBad.errors));
    // What the good inputs give is written as if the bad one had not been named.
    const Bake goodOnly = bake({dir.filePath("good"), m_documents.at(0), m_documents.at(2)});
    QCOMPARE(goodOnly.exitCode, 0);
    QCOMPARE(fieldCount(dir.filePath("out")), 2 * (3 + 1));
    QCOMPARE(filesIn(dir.filePath("out")), filesIn(dir.filePath("good")));
}

void tst_SvgBake::refusesFoldersItDidNotWrite_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("message");
    const QString refusal = QStringLiteral("refusing to write into %1");
    QTest::newRow("a file of someone else") << "foreign-file" << refusal;
    QTest::newRow("a sub-folder") << "sub-folder" << refusal;
    QTest::newRow("a cache that an application saved") << "saved-cache" << refusal;
    QTest::newRow("a descriptor that is a link") << "linked-descriptor" << refusal;
    QTest::newRow("a file, not a folder") << "plain-file" << refusal;
    QTest::newRow("a folder that cannot be made")
        << "file-in-the-way" << QStringLiteral("could not write the cache into %1");
}

void tst_SvgBake::refusesFoldersItDidNotWrite()
{
    QFETCH(QString, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QString out = dir.filePath("out");
    if (content == "plain-file") {
        writeFile(out, "precious");
    } else if (content == "file-in-the-way") {
        writeFile(out, "precious");
        out += "/cache";
    } else {
        QVERIFY(QDir().mkpath(out));
        if (content == "foreign-file") {
            writeFile(out + "/notes.txt", "precious");
        } else if (content == "sub-folder") {
            QVERIFY(QDir().mkpath(out + "/photos"));
        } else if (content == "saved-cache") {
            writeFile(out + "/cache.dscr",
                      R"({"CacheDate": "1", "Version": 3, "Atlases": {}, "Textures": []})");
        } else if (content == "linked-descriptor") {
            writeFile(dir.filePath("elsewhere.txt"), "precious");
            QVERIFY(QFile::link(dir.filePath("elsewhere.txt"), out + "/cache.dscr"));
        }
    }
    const QMap<QString, QByteArray> before = filesIn(dir.path());

    QTemporaryDir working;
    const Bake refused = bake({out, m_documents.at(2)}, working.path());
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.errors.contains(message.arg(out)), qPrintable(refused.errors));
    QCOMPARE(filesIn(dir.path()), before);
    QVERIFY(QDir(working.path()).isEmpty());
}

void tst_SvgBake::rebakesItsOwnOutput()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("out");
    QCOMPARE(bake({out, m_files.path()}).exitCode, 0);
    QVERIFY(fieldCount(out) > 2);
    // What a write that stopped half-way leaves is taken as the tool's own too.
    writeFile(out + "/cache.dscr.k2Jd9a", "{\"Textu");

    QCOMPARE(bake({out, m_documents.at(2)}).exitCode, 0);
    QCOMPARE(bake({dir.filePath("fresh"), m_documents.at(2)}).exitCode, 0);
    // The earlier atlases are gone: the folder is what a fresh bake gives.
    QCOMPARE(filesIn(out), filesIn(dir.filePath("fresh")));
}

void tst_SvgBake::seededDocumentsGenerateNothingAndDrawAsCold()
{
    QStringList documents = m_documents;
    if (orbtest::hasSvgCorpus()) {
        for (const char *name : {"w3c-tiny/paths-data-01-t.svg", "w3c-tiny/shapes-polygon-01-t.svg",
                                 "w3c-tiny/paint-grad-04-t.svg", "w3c-tiny/coords-trans-01-t.svg"})
            documents << orbtest::svgCorpusDir() + "/" + name;
    }
    orbHostEnvironment host(*qApp);

    // The tool bakes in sorted order; shown in that order, a cold cache
    // places each field where the bake did. (Elsewhere in an atlas a field can
    // differ in a few pixels of tiny shapes: texture coordinates round
    // differently.)
    std::sort(documents.begin(), documents.end());

    // Every document shown in turn by one item, whose engine's cache has an
    // empty writable folder at the start.
    const auto showAll = [&](QStringList *creations) {
        QTemporaryDir cacheHome;
        qputenv("XDG_CACHE_HOME", cacheHome.path().toLocal8Bit());
        QList<QImage> frames;
        orbtest::MessageCapture messages;
        QQmlEngine engine;
        host.prepare(engine);
        std::unique_ptr<QObject> object(orbtest::createWindow(
            engine, 240, 240, "ORBSvgItem { objectName: 'svg'; anchors.fill: parent }"));
        auto *window = qobject_cast<QQuickWindow *>(object.get());
        if (!window || !QTest::qWaitForWindowExposed(window))
            return frames;
        auto *item = window->findChild<QQuickItem *>("svg");
        int swapped = 0;
        connect(window, &QQuickWindow::frameSwapped, window, [&] { ++swapped; });
        for (const QString &document : documents) {
            // Told after each build of the tree, whether the size changed or not.
            QSignalSpy built(item, SIGNAL(sourceSizeChanged()));
            item->setProperty("source", QUrl::fromLocalFile(document));
            if (!built.wait(60000))
                qWarning("%s was not shown", qPrintable(document));
            for (int pass = 0; pass < 2; ++pass) {
                const int seen = swapped;
                window->update();
                (void)QTest::qWaitFor([&] { return swapped > seen; }, 10000);
            }
            frames.append(window->grabWindow());
        }
        for (const QString &message : messages.messages())
            if (message.startsWith("Creating texture for"))
                creations->append(message);
        return frames;
    };

    const QString seed = QCoreApplication::applicationDirPath() + "/SvgCache";
    QVERIFY(!QFileInfo::exists(seed));
    QStringList coldCreations;
    const QList<QImage> cold = showAll(&coldCreations);
    QCOMPARE(cold.size(), documents.size());
    QVERIFY(!coldCreations.isEmpty());

    const Bake baked = bake(QStringList{seed} + documents);
    QVERIFY2(baked.exitCode == 0, qPrintable(baked.errors));
    QStringList seededCreations;
    const QList<QImage> seeded = showAll(&seededCreations);
    QCOMPARE(seeded.size(), documents.size());
    QVERIFY2(seededCreations.isEmpty(), qPrintable(seededCreations.join('\n')));
    for (int i = 0; i < documents.size(); ++i) {
        QVERIFY2(seeded.at(i) == cold.at(i), qPrintable(documents.at(i)));
        QVERIFY2(hasInk(seeded.at(i)), qPrintable(documents.at(i)));
    }
}

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    tst_SvgBake test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_svgbake.moc"
