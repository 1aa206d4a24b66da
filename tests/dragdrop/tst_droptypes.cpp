// ORBDropZone's file-type functions on real files in a temporary folder, and
// an ORBDropZoneEvent made in QML, which wraps no platform event.

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlEngine>
#include <QtTest/QtTest>

#include <memory>

#include <unistd.h>

class tst_DropTypes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void folderContainsAnyType();
    void containsFileTypesComparesSuffixes();
    void filterFindsTypesAtAnyDepthAndCase();
    void filterWithoutTypesTakesEverything();
    void filterKeepsFilesAndNonFileUrls();
    void spacesAndNonAsciiNames();
    void invalidExpressionWarnsAndMatchesNothing();
    void symlinkLoopIsWalkedOnce();
    void unreadableFolderIsSkipped();
    void isDirectory();
    void eventMadeInQmlHasNoPlatformEvent();

private:
    QString touch(const QString &relativePath);
    QUrl url(const QString &relativePath) const;
    bool contains(const QList<QUrl> &urls, const QStringList &types);
    QStringList filter(const QList<QUrl> &urls, const QStringList &types);
    // Relative and sorted: folders are listed in the file system's order.
    QStringList relative(const QStringList &paths) const;

    std::unique_ptr<orbHostEnvironment> m_host;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QObject> m_zone;
    QTemporaryDir m_files;
};

void tst_DropTypes::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
    m_engine = std::make_unique<QQmlEngine>();
    m_host->prepare(*m_engine);
    m_zone.reset(orbtest::createFromQml(*m_engine, "import orbQuick 1.0\nORBDropZone {}"));
    QVERIFY(m_zone);
    QVERIFY(m_files.isValid());
    touch("music/song.mp3");
    touch("music/cover.jpg");
    touch("music/deep/er/LOUD.MP3");
    touch("music/deep/notes.txt");
    touch("music/deep/er/take.Wav");
    touch("music/nomp3");
}

void tst_DropTypes::cleanupTestCase()
{
    m_zone.reset();
    m_engine.reset();
    m_host.reset();
}

QString tst_DropTypes::touch(const QString &relativePath)
{
    const QString path = m_files.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qWarning("touch: cannot write %s", qPrintable(path));
    return path;
}

QUrl tst_DropTypes::url(const QString &relativePath) const
{
    return QUrl::fromLocalFile(m_files.filePath(relativePath));
}

bool tst_DropTypes::contains(const QList<QUrl> &urls, const QStringList &types)
{
    bool result = false;
    QMetaObject::invokeMethod(m_zone.get(), "containsFileTypes", Q_RETURN_ARG(bool, result),
                              Q_ARG(QList<QUrl>, urls), Q_ARG(QStringList, types));
    return result;
}

QStringList tst_DropTypes::filter(const QList<QUrl> &urls, const QStringList &types)
{
    QStringList result;
    QMetaObject::invokeMethod(m_zone.get(), "filterFileTypes", Q_RETURN_ARG(QStringList, result),
                              Q_ARG(QList<QUrl>, urls), Q_ARG(QStringList, types));
    return result;
}

QStringList tst_DropTypes::relative(const QStringList &paths) const
{
    QStringList result;
    const QDir root(m_files.path());
    for (const QString &path : paths)
        result << root.relativeFilePath(path);
    result.sort();
    return result;
}

void tst_DropTypes::folderContainsAnyType()
{
    QVERIFY(contains({url("music")}, {"*.nothing"}));
    QVERIFY(contains({url("music")}, {}));
    QVERIFY(!contains({}, {"*.mp3"}));
}

void tst_DropTypes::containsFileTypesComparesSuffixes()
{
    QVERIFY(contains({url("music/song.mp3")}, {"*.MP3"}));
    QVERIFY(contains({url("music/song.mp3")}, {".mp3"}));
    QVERIFY(contains({url("music/cover.jpg"), url("music/song.mp3")}, {"*.wav", "*.mp3"}));
    QVERIFY(!contains({url("music/cover.jpg")}, {"*.mp3"}));
    // A type without its dot names no suffix.
    QVERIFY(!contains({url("music/song.mp3")}, {"mp3"}));
    // Not a file URL: its path is judged.
    QVERIFY(contains({QUrl("http://example.org/a/b.mp3")}, {"*.mp3"}));
}

void tst_DropTypes::filterFindsTypesAtAnyDepthAndCase()
{
    QCOMPARE(relative(filter({url("music")}, {"mp3"})),
             QStringList() << "music/deep/er/LOUD.MP3"
                           << "music/nomp3"
                           << "music/song.mp3");
    QCOMPARE(relative(filter({url("music")}, {".mp3", "wav"})),
             QStringList() << "music/deep/er/LOUD.MP3"
                           << "music/deep/er/take.Wav"
                           << "music/song.mp3");
}

void tst_DropTypes::filterWithoutTypesTakesEverything()
{
    QCOMPARE(filter({url("music")}, {}).size(), 6);
}

void tst_DropTypes::filterKeepsFilesAndNonFileUrls()
{
    const QStringList result = filter({url("music/cover.jpg"), url("music/song.mp3"),
                                       QUrl("http://example.org/x.MP3"), QUrl("/no/such.mp3")},
                                      {".mp3"});
    QCOMPARE(result,
             QStringList() << m_files.filePath("music/song.mp3") << "http://example.org/x.MP3"
                           << "/no/such.mp3");
}

void tst_DropTypes::spacesAndNonAsciiNames()
{
    const QString path = touch(QString::fromUtf8("ünï code/my sóng #1.mp3"));
    const QUrl folder = QUrl::fromLocalFile(QFileInfo(path).absolutePath());
    QCOMPARE(filter({folder}, {".mp3"}), QStringList() << path);
    QVERIFY(contains({QUrl::fromLocalFile(path)}, {"*.mp3"}));
    QVERIFY(contains({QUrl(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded))}, {"*.mp3"}));
}

void tst_DropTypes::invalidExpressionWarnsAndMatchesNothing()
{
    orbtest::MessageCapture messages;
    QCOMPARE(filter({url("music")}, {"*.mp3"}), QStringList());
    QCOMPARE(messages.messages().filter("make no valid expression").size(), 1);
}

void tst_DropTypes::symlinkLoopIsWalkedOnce()
{
    touch("loop/a/track.mp3");
    QVERIFY(QFile::link(m_files.filePath("loop"), m_files.filePath("loop/a/back")));
    QVERIFY(QFile::link(m_files.filePath("loop/a"), m_files.filePath("loop/again")));
    QElapsedTimer clock;
    clock.start();
    // Reached through the folder or its link, whichever is listed first: once.
    const QStringList found = filter({url("loop")}, {".mp3"});
    QCOMPARE(found.size(), 1);
    QCOMPARE(QFileInfo(found.first()).canonicalFilePath(),
             QFileInfo(m_files.filePath("loop/a/track.mp3")).canonicalFilePath());
    QVERIFY(clock.elapsed() < 2000);
}

void tst_DropTypes::unreadableFolderIsSkipped()
{
    touch("locked/inside/hidden.mp3");
    touch("locked/open.mp3");
    const QString inside = m_files.filePath("locked/inside");
    QVERIFY(QFile::setPermissions(inside, QFileDevice::WriteOwner));
    const QStringList result = relative(filter({url("locked")}, {".mp3"}));
    QFile::setPermissions(inside,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (QFileInfo(inside + "/hidden.mp3").isReadable() && geteuid() == 0)
        QCOMPARE(result.size(), 2); // permissions do not hold the super-user back
    else
        QCOMPARE(result, QStringList() << "locked/open.mp3");
}

void tst_DropTypes::isDirectory()
{
    bool result = false;
    QMetaObject::invokeMethod(m_zone.get(), "isDirectory", Q_RETURN_ARG(bool, result),
                              Q_ARG(QUrl, url("music/deep")));
    QVERIFY(result);
    QMetaObject::invokeMethod(m_zone.get(), "isDirectory", Q_RETURN_ARG(bool, result),
                              Q_ARG(QUrl, url("music/song.mp3")));
    QVERIFY(!result);
}

void tst_DropTypes::eventMadeInQmlHasNoPlatformEvent()
{
    std::unique_ptr<QObject> event(orbtest::createFromQml(
        *m_engine,
        "import QtQuick 2.15\nimport orbQuick 1.0\nORBDropZoneEvent {\n"
        "  Component.onCompleted: { accepted = true; dropAction = Qt.MoveAction\n"
        "                           acceptProposedAction() } }"));
    QVERIFY(event);
    QCOMPARE(event->property("accepted").toBool(), false);
    QCOMPARE(event->property("x").toInt(), 0);
    QCOMPARE(event->property("y").toInt(), 0);
    QCOMPARE(event->property("dropAction").toInt(), int(Qt::IgnoreAction));
    QCOMPARE(event->property("proposedAction").toInt(), int(Qt::IgnoreAction));
    QCOMPARE(event->property("possibleActions").toInt(), int(Qt::IgnoreAction));
    QCOMPARE(event->property("mimeData").value<QObject *>(), nullptr);
}

QTEST_MAIN(tst_DropTypes)
#include "tst_droptypes.moc"
