// The documentation's QML examples, loaded as a reader would run them: the
// real plugin from the build's import path, a real window, the host models
// the docs tool publishes. Any message is a failure. The README and the pages
// quote the examples; each quote must equal its file.

#include "DocModels.h"
#include "DocShots.h"
#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QLoggingCategory>
#include <QtCore/QRegularExpression>
#include <QtCore/QTemporaryDir>
#include <QtCore/QUrl>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <memory>

namespace {

// The texture cache reports each distance field it makes, by design; those
// progress lines are no complaint about the example.
QStringList complaints(const QStringList &messages)
{
    static const QRegularExpression progress(
        QStringLiteral("^(Creating texture for \\d+|Generation took: \\d+ ms)$"));
    QStringList result;
    for (const QString &message : messages) {
        if (!progress.match(message).hasMatch())
            result.append(message);
    }
    return result;
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class tst_DocExamples : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exampleLoadsWithoutMessages_data();
    void exampleLoadsWithoutMessages();
    void quotedExamplesEqualTheirFiles_data();
    void quotedExamplesEqualTheirFiles();

private:
    std::unique_ptr<orbHostEnvironment> m_host;
    QTemporaryDir m_cache;
};

void tst_DocExamples::initTestCase()
{
    // A cache of its own: every example makes its fields, the user's cache
    // is left alone.
    QVERIFY(m_cache.isValid());
    qputenv("XDG_CACHE_HOME", m_cache.path().toLocal8Bit());
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
    // Debug output (the texture cache's progress) is not a complaint.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
}

void tst_DocExamples::exampleLoadsWithoutMessages_data()
{
    QTest::addColumn<QString>("file");
    const QDir examples(QStringLiteral(ORB_DOCS_DIR "/examples"));
    const QStringList names = examples.entryList({QStringLiteral("*.qml")}, QDir::Files);
    QVERIFY2(names.size() >= 4, "the examples folder lost its examples");
    for (const QString &name : names)
        QTest::newRow(qPrintable(name)) << examples.absoluteFilePath(name);
}

void tst_DocExamples::exampleLoadsWithoutMessages()
{
    QFETCH(QString, file);
    orbtest::MessageCapture messages;
    {
        DocModels models;
        QQmlEngine engine;
        m_host->prepare(engine);
        models.publish(*engine.rootContext());
        std::unique_ptr<QObject> window(
            orbtest::createWindow(engine, 480, 320,
                                  "Loader { objectName: 'loader'; source: '"
                                      + QUrl::fromLocalFile(file).toEncoded() + "' }"));
        QVERIFY(window);
        auto *quickWindow = qobject_cast<QQuickWindow *>(window.get());
        QVERIFY(QTest::qWaitForWindowExposed(quickWindow));
        auto *loader = window->findChild<QQuickItem *>(QStringLiteral("loader"));
        QVERIFY(loader);
        auto *item = qvariant_cast<QQuickItem *>(loader->property("item"));
        QVERIFY2(item, qPrintable(messages.messages().join(QLatin1Char('\n'))));
        QVERIFY(item->width() > 0 && item->height() > 0);
        QTRY_VERIFY(DocShots::svgItemsBuilt(item));
        // A few frames, so that what the scene graph says is said now.
        for (int frame = 0; frame < 3; ++frame) {
            quickWindow->update();
            QVERIFY(QTest::qWaitForWindowExposed(quickWindow));
            QTest::qWait(50);
        }
    }
    const QStringList found = complaints(messages.messages());
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
}

void tst_DocExamples::quotedExamplesEqualTheirFiles_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("quote");
    QStringList pages = {QStringLiteral(ORB_SOURCE_DIR "/README.md")};
    const QDir docs(QStringLiteral(ORB_DOCS_DIR));
    for (const QString &name : docs.entryList({QStringLiteral("*.md")}, QDir::Files))
        pages.append(docs.absoluteFilePath(name));

    // <!-- example: docs/examples/Name.qml --> right before a ```qml block.
    static const QRegularExpression quoted(
        QStringLiteral("<!-- example: (\\S+) -->\\n```qml\\n(.*?)```\\n"),
        QRegularExpression::DotMatchesEverythingOption);
    int readmeQuotes = 0;
    for (const QString &page : pages) {
        const QString text = readText(page);
        QVERIFY2(!text.isEmpty(), qPrintable(page));
        auto match = quoted.globalMatch(text);
        while (match.hasNext()) {
            const QRegularExpressionMatch m = match.next();
            readmeQuotes += page.endsWith(QLatin1String("README.md")) ? 1 : 0;
            QTest::addRow("%s: %s", qPrintable(QFileInfo(page).fileName()),
                          qPrintable(m.captured(1)))
                << page << m.captured(1) << m.captured(2);
        }
    }
    // One example per type family on the front page.
    QVERIFY2(readmeQuotes >= 4, "the README quotes fewer than four examples");
}

void tst_DocExamples::quotedExamplesEqualTheirFiles()
{
    QFETCH(QString, example);
    QFETCH(QString, quote);
    const QString file = readText(QStringLiteral(ORB_SOURCE_DIR "/") + example);
    QVERIFY2(!file.isEmpty(), qPrintable(example + " is missing"));
    // scripts/sync-doc-examples copies the files into the pages.
    QCOMPARE(quote, file);
}

QTEST_MAIN(tst_DocExamples)
#include "tst_docexamples.moc"
