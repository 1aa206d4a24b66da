// Each room of the plugin logs through its own category, so a host can silence
// or raise one room with QT_LOGGING_RULES without touching the others. The rules
// are given the way a user gives them: in the environment, before the
// application starts.

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QStandardItemModel>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtTest/QtTest>

#include <memory>

namespace {
// The column view's warnings off, the texture cache's debug output on.
const char *const Rules = "orb.columnview.warning=false;orb.svg.debug=true";
} // namespace

class tst_LoggingRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void rulesSilenceOneRoomAndRaiseAnother();

private:
    std::unique_ptr<orbHostEnvironment> m_host;
};

void tst_LoggingRules::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_LoggingRules::cleanupTestCase()
{
    m_host.reset();
}

void tst_LoggingRules::rulesSilenceOneRoomAndRaiseAnother()
{
    orbtest::MessageCapture capture; // before the plugin is loaded: it announces itself
    QStandardItemModel model(2, 2);
    QQmlEngine engine;
    m_host->prepare(engine);
    engine.rootContext()->setContextProperty(QStringLiteral("twoColumns"), &model);
    std::unique_ptr<QObject> root(orbtest::createFromQml(
        engine,
        "import QtQuick 2.15\n"
        "import orbQuick 1.0\n"
        "Item {\n"
        "    ORBMouseArea { dragAxis: 7 }\n"
        "    ORBColumnView { objectName: \"view\"; rowSpacing: -3; model: twoColumns }\n"
        "}\n"));
    QVERIFY(root);

    // Raised: debug output of "orb.svg" is off unless a rule turns it on.
    QVERIFY2(capture.messages().contains("init orb.svg"),
             qPrintable(capture.messages().join('\n')));
    // Untouched: the items' warnings still come through.
    QVERIFY(capture.contains("orbQuickMouseArea::setDragAxis: unknown axis 7"));
    // Silenced: the column view refused the spacing without a word.
    const QObject *view = root->findChild<QObject *>(QStringLiteral("view"));
    QVERIFY(view);
    QCOMPARE(view->property("rowSpacing").toReal(), 0.0);
    QVERIFY2(!capture.contains("refusing"), qPrintable(capture.messages().join('\n')));

    // A rule for a room leaves the classic messages of that room alone: they
    // have no category of their own.
    emit model.dataChanged(model.index(0, 0), model.index(0, 1));
    QVERIFY(capture.contains("Unable to modify range:"));
}

int main(int argc, char *argv[])
{
    // Read once, when the application object is made.
    qputenv("QT_LOGGING_RULES", Rules);
    QGuiApplication app(argc, argv);
    tst_LoggingRules test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_loggingrules.moc"
