// Dialog windows opened by the engine's orbQuickRoot, on a real window system.

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QPointer>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QtTest>

#include <memory>

namespace {

QList<QQuickWindow *> openDialogs()
{
    QList<QQuickWindow *> dialogs;
    const QWindowList windows = QGuiApplication::allWindows();
    for (QWindow *window : windows) {
        if (qstrcmp(window->metaObject()->className(), "orbQuickDialog") == 0)
            dialogs.append(static_cast<QQuickWindow *>(window));
    }
    return dialogs;
}

} // namespace

class tst_Dialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void closeDialogsDeletesDialogsAndContents();
    void contentCloseDeletesDialogOnALaterTurn();
    void contentDestroyedElsewhereIsNotDeletedAgain();
    void dialogIsTransientForTheContentsWindow();
    void engineDestructionClosesDialogs();

private:
    QQuickItem *content(const QByteArray &qml);
    QQuickWindow *open(QQuickItem *content, const char *modality = nullptr);
    void closeAll();

    std::unique_ptr<orbHostEnvironment> m_host;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QObject> m_opener;
};

void tst_Dialogs::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_Dialogs::init()
{
    m_engine = std::make_unique<QQmlEngine>();
    m_host->prepare(*m_engine);
    // Dialogs are opened from QML, as the controls do.
    m_opener.reset(orbtest::createFromQml(*m_engine, R"(
        import QtQml 2.15
        import orbQuick 1.0
        QtObject {
            function open(item) { orbQuickRoot.openDialog(item) }
            function openModal(item) { orbQuickRoot.openDialog(item, Qt.ApplicationModal) }
            function closeAll() { orbQuickRoot.closeDialogs() }
        })"));
    QVERIFY(m_opener);
}

void tst_Dialogs::cleanup()
{
    m_opener.reset();
    m_engine.reset();
    QVERIFY(openDialogs().isEmpty());
}

void tst_Dialogs::cleanupTestCase()
{
    m_host.reset();
}

QQuickItem *tst_Dialogs::content(const QByteArray &qml)
{
    return qobject_cast<QQuickItem *>(
        orbtest::createFromQml(*m_engine, "import QtQuick 2.15\n" + qml));
}

QQuickWindow *tst_Dialogs::open(QQuickItem *item, const char *modality)
{
    const QList<QQuickWindow *> before = openDialogs();
    QMetaObject::invokeMethod(m_opener.get(), modality ? "openModal" : "open",
                              Q_ARG(QVariant, QVariant::fromValue(item)));
    const QList<QQuickWindow *> after = openDialogs();
    for (QQuickWindow *dialog : after) {
        if (!before.contains(dialog))
            return dialog;
    }
    return nullptr;
}

void tst_Dialogs::closeAll()
{
    QMetaObject::invokeMethod(m_opener.get(), "closeAll");
}

void tst_Dialogs::closeDialogsDeletesDialogsAndContents()
{
    orbtest::MessageCapture messages;
    QPointer<QQuickItem> first = content("Rectangle { width: 120; height: 80; color: 'red' }");
    QPointer<QQuickItem> second = content("Rectangle { width: 50.7; height: 30.9 }");
    QPointer<QQuickWindow> a = open(first);
    QPointer<QQuickWindow> b = open(second, "modal");
    QVERIFY(a && b);

    QVERIFY(a->isVisible() && b->isVisible());
    QCOMPARE(a->size(), QSize(120, 80));
    QCOMPARE(b->size(), QSize(50, 30));
    QCOMPARE(a->modality(), Qt::NonModal);
    QCOMPARE(b->modality(), Qt::ApplicationModal);
    QCOMPARE(first->window(), a.data());
    QCOMPARE(first->parentItem(), a->contentItem());
    QVERIFY(QTest::qWaitForWindowExposed(a));

    closeAll();
    QVERIFY(a.isNull() && b.isNull());
    QVERIFY(first.isNull() && second.isNull());
    // Content without a close() signal is fine and not worth a warning.
    QVERIFY2(!messages.contains(QStringLiteral("QObject::connect")),
             qPrintable(messages.messages().join(QLatin1Char('\n'))));
}

void tst_Dialogs::contentCloseDeletesDialogOnALaterTurn()
{
    QPointer<QQuickItem> item = content("Rectangle { signal close(); width: 40; height: 40 }");
    QPointer<QQuickWindow> dialog = open(item);
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));

    QMetaObject::invokeMethod(item, "close");
    QVERIFY(!dialog.isNull());
    QVERIFY(!dialog->isVisible());
    QTRY_VERIFY(dialog.isNull());
    QVERIFY(item.isNull());
}

void tst_Dialogs::contentDestroyedElsewhereIsNotDeletedAgain()
{
    QPointer<QQuickItem> item = content("Rectangle { signal close(); width: 40; height: 40 }");
    QPointer<QQuickWindow> dialog = open(item);
    QVERIFY(dialog);
    delete item.data();
    QVERIFY(!dialog.isNull());
    // Deleting the dialog must not touch the destroyed content (the sanitizer
    // builds catch it when it does).
    closeAll();
    QVERIFY(dialog.isNull());
}

void tst_Dialogs::dialogIsTransientForTheContentsWindow()
{
    QQuickWindow owner;
    owner.resize(200, 200);
    owner.show();
    QPointer<QQuickItem> item = content("Item { width: 64; height: 48 }");
    item->setParentItem(owner.contentItem());
    QPointer<QQuickWindow> dialog = open(item);
    QVERIFY(dialog);
    QCOMPARE(dialog->transientParent(), &owner);
    QVERIFY(dialog->parent() == nullptr); // free-floating, not embedded in the owner
    QCOMPARE(dialog->color(), QColor(Qt::transparent));
    QCOMPARE(item->window(), dialog.data());
    closeAll();
}

void tst_Dialogs::engineDestructionClosesDialogs()
{
    QPointer<QQuickItem> item = content("Item { width: 10; height: 10 }");
    QPointer<QQuickWindow> dialog = open(item);
    QVERIFY(dialog);
    m_opener.reset();
    m_engine.reset();
    QVERIFY(dialog.isNull());
    QVERIFY(item.isNull());
}

QTEST_MAIN(tst_Dialogs)
#include "tst_dialogs.moc"
