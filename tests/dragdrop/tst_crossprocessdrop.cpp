// Drops from another application: a separate drag-source program drags real
// files and a semicolon list onto an ORBDropZone of this process's window,
// through the window system's drag and drop protocol and its selection
// transfer.

#include "DragDropScene.h"
#include "orbHostEnvironment.h"

#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <memory>

using orbtest::DragDropScene;

namespace {

constexpr int DropWaitMs = 8000;
constexpr int ExitWaitMs = 5000;

// The drop zone keeps what its drop carried; the window's log notes events.
const QByteArray DropScene = R"qml(
ORBDropZone {
    objectName: 'drop'; x: 100; y: 50; width: 250; height: 200
    property var dropped: null
    onDragEnter: { note('enter'); event.acceptProposedAction() }
    onDragMove: event.acceptProposedAction()
    onDragLeave: note('leave')
    onDrop: { var data = event.mimeData.toVariant()
              dropped = { formats: Object.keys(data).sort(), urls: data['text/uri-list'],
                          list: data['semicolon-separated-list/tracks'],
                          proposed: event.proposedAction, x: event.x, y: event.y }
              note('drop'); event.acceptProposedAction() }
}
)qml";

// The source program, killed if it is still running when the test ends.
class SourceProcess
{
public:
    ~SourceProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(2000);
        }
    }

    // Everything the source printed so far, stdout and stderr merged.
    QString output()
    {
        m_output += process.readAll();
        return QString::fromUtf8(m_output);
    }

    QProcess process;

private:
    QByteArray m_output;
};

QStringList makeFiles(const QTemporaryDir &dir, const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write("not really audio") < 0)
            return {};
        paths << QFileInfo(file).absoluteFilePath();
    }
    return paths;
}

// The URLs stay a QList<QUrl> on their way through QML.
QStringList localFiles(const QVariant &urls)
{
    QStringList files;
    for (const QUrl &url : urls.value<QList<QUrl>>())
        files << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    return files;
}

} // namespace

class tst_CrossProcessDrop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void filesAndListFromAnotherApplication();

private:
    std::unique_ptr<orbHostEnvironment> m_host;
};

void tst_CrossProcessDrop::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QVERIFY(QFileInfo(ORB_DRAGSOURCE).isExecutable());
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_CrossProcessDrop::cleanupTestCase()
{
    m_host.reset();
}

void tst_CrossProcessDrop::filesAndListFromAnotherApplication()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QStringList files
        = makeFiles(dir, {"plain.mp3", "with spaces.flac", QString::fromUtf8("Ünïcödé — 曲.wav")});
    QCOMPARE(files.size(), 3);

    DragDropScene scene(*m_host, DropScene);
    QVERIFY(scene.window());
    QQuickItem *zone = scene.item("drop");
    const QPoint local(60, 40);
    const QPoint global = zone->mapToGlobal(local).toPoint();

    SourceProcess source;
    source.process.setProcessChannelMode(QProcess::MergedChannels);
    source.process.start(ORB_DRAGSOURCE,
                         QStringList() << QString::number(global.x()) << QString::number(global.y())
                                       << QString::fromUtf8("one;;twö;three;") << files);
    QVERIFY2(source.process.waitForStarted(3000), qPrintable(source.process.errorString()));
    QVERIFY2(QTest::qWaitFor([&] { return scene.log().contains("drop"); }, DropWaitMs),
             qPrintable(scene.log().join('|') + " / " + source.output()));

    const QVariantMap dropped = zone->property("dropped").toMap();
    // X offers URI lists beside plain text.
    QCOMPARE(dropped.value("formats").toStringList(),
             QStringList() << "semicolon-separated-list/tracks"
                           << "text/plain"
                           << "text/uri-list");
    QCOMPARE(localFiles(dropped.value("urls")), files);
    QCOMPARE(dropped.value("list").toStringList(),
             QStringList() << "one" << QString::fromUtf8("twö") << "three");
    QCOMPARE(dropped.value("proposed").toInt(), int(Qt::MoveAction));
    QCOMPARE(QPoint(dropped.value("x").toInt(), dropped.value("y").toInt()), local);

    QVERIFY(QTest::qWaitFor([&] { return source.process.state() == QProcess::NotRunning; },
                            ExitWaitMs));
    QCOMPARE(source.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(source.process.exitCode(), 0);
    // The source learnt that the drop was taken with the action it proposed.
    // Qt or a sanitizer may add lines of their own around the source's one.
    const QRegularExpression actionLine(QStringLiteral("^action (\\d+)$"),
                                        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch reported = actionLine.match(source.output());
    QVERIFY2(reported.hasMatch(), qPrintable(source.output()));
    QCOMPARE(reported.captured(1), QString("2"));
}

QTEST_MAIN(tst_CrossProcessDrop)
#include "tst_crossprocessdrop.moc"
