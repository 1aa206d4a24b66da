// Loading the module the way a host does: a real QQmlEngine finds the plugin
// through its import path; nothing of the plugin is linked into this test.

#include "GarbageCollection.h"
#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QJsonObject>
#include <QtCore/QPluginLoader>
#include <QtCore/QPointer>
#include <QtCore/QProcess>
#include <QtCore/QTemporaryDir>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQml/qqml.h>
#include <QtTest/QtTest>

#include <cstring>
#include <memory>

namespace {

const char *const ImportAsArgument = "--import-as";

// Child-process mode: import a copy of the plugin published under another URI.
int importUnderOtherUri(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    orbHostEnvironment host(app);
    QQmlEngine engine;
    engine.addImportPath(QString::fromLocal8Bit(argv[3]));
    const QByteArray source
        = "import " + QByteArray(argv[2]) + " 1.0\nimport QtQml 2.0\nQtObject {}";
    QObject *object = orbtest::createFromQml(engine, source);
    delete object;
    return 0;
}

} // namespace

class tst_PluginLoading : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void pluginReadsTheHostCollector(); // first: it needs the plugin not yet constructed
    void pluginMetadataAndSingleInstance();
    void rootIsPublishedPerEngine();
    void resourcesAndImportPathAreSetUp();
    void typesAreRegisteredInTableOrder();
    void wrongUriAbortsEngineInitialisation_data();
    void wrongUriAbortsEngineInitialisation();

private:
    std::unique_ptr<QQmlEngine> newEngine() const;

    std::unique_ptr<orbHostEnvironment> m_host;
};

void tst_PluginLoading::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_PluginLoading::cleanupTestCase()
{
    m_host.reset();
}

std::unique_ptr<QQmlEngine> tst_PluginLoading::newEngine() const
{
    auto engine = std::make_unique<QQmlEngine>();
    m_host->prepare(*engine);
    return engine;
}

void tst_PluginLoading::pluginReadsTheHostCollector()
{
    // Forget the collector so only the plugin's constructor can bring it back.
    orb::GarbageCollection::setInstance(nullptr);
    auto engine = newEngine();
    std::unique_ptr<QObject> object(
        orbtest::createFromQml(*engine, "import orbQuick 1.0\nimport QtQml 2.0\nQtObject {}"));
    QVERIFY(object);
    QCOMPARE(orb::GarbageCollection::instance(), &m_host->collector());
}

void tst_PluginLoading::pluginMetadataAndSingleInstance()
{
    QPluginLoader loader(orbHostEnvironment::moduleImportPath()
                         + QStringLiteral("/orbQuick/liborbQuick.so"));
    const QJsonObject metaData = loader.metaData();
    QCOMPARE(metaData.value(QStringLiteral("IID")).toString(), QStringLiteral("orbQuick"));
    QCOMPARE(metaData.value(QStringLiteral("className")).toString(), QStringLiteral("orbQuick"));
    QCOMPARE(metaData.value(QStringLiteral("MetaData")).toObject(), QJsonObject());
#ifdef QT_NO_DEBUG
    QCOMPARE(metaData.value(QStringLiteral("debug")).toBool(), false);
#endif
    QObject *instance = loader.instance();
    QVERIFY2(instance, qPrintable(loader.errorString()));
    QCOMPARE(instance->metaObject()->className(), "orbQuick");
    QVERIFY(instance->inherits("QQmlExtensionPlugin"));
    QCOMPARE(loader.instance(), instance);
}

void tst_PluginLoading::rootIsPublishedPerEngine()
{
    const QByteArray source = "import orbQuick 1.0\nimport QtQml 2.0\n"
                              "QtObject { property QtObject root: orbQuickRoot }";
    auto first = newEngine();
    auto second = newEngine();
    std::unique_ptr<QObject> a(orbtest::createFromQml(*first, source));
    std::unique_ptr<QObject> b(orbtest::createFromQml(*second, source));
    QVERIFY(a && b);

    auto *rootA = a->property("root").value<QObject *>();
    auto *rootB = b->property("root").value<QObject *>();
    QVERIFY(rootA && rootB);
    QVERIFY(rootA != rootB);
    QCOMPARE(rootA->metaObject()->className(), "orbQuickRoot");
    QCOMPARE(rootA->parent(), first.get());
    QCOMPARE(rootB->parent(), second.get());
    QCOMPARE(
        first->rootContext()->contextProperty(QStringLiteral("orbQuickRoot")).value<QObject *>(),
        rootA);

    // The root dies with its engine.
    QPointer<QObject> watched(rootA);
    a.reset();
    first.reset();
    QVERIFY(watched.isNull());
}

void tst_PluginLoading::resourcesAndImportPathAreSetUp()
{
    auto engine = newEngine();
    std::unique_ptr<QObject> object(
        orbtest::createFromQml(*engine, "import orbQuick 1.0\nimport QtQml 2.0\nQtObject {}"));
    QVERIFY(object);
    QVERIFY(QFile::exists(QStringLiteral(":/Libs/orbQuick/Controls/Knobs/qmldir")));
    const QStringList paths = engine->importPathList();
    QVERIFY2(paths.contains(QStringLiteral("qrc:/Libs"))
                 || paths.contains(QStringLiteral(":/Libs/"))
                 || paths.contains(QStringLiteral("qrc:/Libs/")),
             qPrintable(paths.join(QLatin1Char(' '))));
}

void tst_PluginLoading::typesAreRegisteredInTableOrder()
{
    auto engine = newEngine();
    std::unique_ptr<QObject> object(
        orbtest::createFromQml(*engine, "import orbQuick 1.0\nimport QtQml 2.0\nQtObject {}"));
    QVERIFY(object);
    const QStringList order = {QStringLiteral("ORBMouseArea"), QStringLiteral("ORBFont"),
                               QStringLiteral("ORBDoubleValidator")};
    int previous = -1;
    for (const QString &name : order) {
        const int id = qmlTypeId("orbQuick", 1, 0, qPrintable(name));
        QVERIFY2(id >= 0, qPrintable(name));
        QVERIFY2(id > previous, qPrintable(name + QStringLiteral(" registered out of order")));
        previous = id;
    }
}

void tst_PluginLoading::wrongUriAbortsEngineInitialisation_data()
{
    QTest::addColumn<QString>("uri");
    QTest::newRow("other name") << QStringLiteral("Other");
    QTest::newRow("longer name with the same start") << QStringLiteral("orbQuickExtra");
}

void tst_PluginLoading::wrongUriAbortsEngineInitialisation()
{
    QFETCH(QString, uri);
    QTemporaryDir imports;
    QVERIFY(imports.isValid());
    const QString moduleDir = imports.filePath(uri);
    QVERIFY(QDir().mkpath(moduleDir));
    const QString plugin
        = orbHostEnvironment::moduleImportPath() + QStringLiteral("/orbQuick/liborbQuick.so");
    QVERIFY(QFile::copy(plugin, moduleDir + QStringLiteral("/liborbQuick.so")));
    QFile qmldir(moduleDir + QStringLiteral("/qmldir"));
    QVERIFY(qmldir.open(QIODevice::WriteOnly));
    qmldir.write("module " + uri.toUtf8() + "\nplugin orbQuick\n");
    qmldir.close();

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(ImportAsArgument), uri, imports.path()});
    QVERIFY(child.waitForFinished(30000));
    const QByteArray errors = child.readAllStandardError();
    // The exception cannot cross the QML engine: the process ends on it.
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QVERIFY2(errors.contains("std::runtime_error"), errors.constData());
    QVERIFY2(errors.contains("what():  uri != orbQuick\n"), errors.constData());
}

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], ImportAsArgument) == 0)
        return importUnderOtherUri(argc, argv);
    QGuiApplication app(argc, argv);
    tst_PluginLoading test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pluginloading.moc"
