// Columns and the column model, created by QML from the loaded plugin: width
// clamping and reset, and the model's filter, index order and roles.

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QAbstractItemModel>
#include <QtGui/QGuiApplication>
#include <QtQml/QQmlEngine>
#include <QtQml/QQmlListReference>
#include <QtQuick/QQuickItem>
#include <QtTest/QtTest>

#include <memory>

class tst_ColumnViewColumns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void columnDefaultsAndClamping();
    void resetWidthReturnsToFirstWidth();
    void hostileWidthsAreRefused();
    void modelKeepsSearchableColumnsOnly();
    void modelOrdersByIndexAndResorts();
    void setDataSearchRoleAndOtherRoles();

private:
    QObject *create(const QByteArray &body);
    QAbstractItemModel *columnModel(QObject *root);

    std::unique_ptr<orbHostEnvironment> m_host;
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<QObject> m_root;
};

void tst_ColumnViewColumns::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_ColumnViewColumns::cleanupTestCase()
{
    m_host.reset();
}

void tst_ColumnViewColumns::init()
{
    m_engine = std::make_unique<QQmlEngine>();
    m_host->prepare(*m_engine);
}

void tst_ColumnViewColumns::cleanup()
{
    m_root.reset();
    m_engine.reset();
}

QObject *tst_ColumnViewColumns::create(const QByteArray &body)
{
    m_root.reset(
        orbtest::createFromQml(*m_engine, "import QtQuick 2.15\nimport orbQuick 1.0\n" + body));
    return m_root.get();
}

QAbstractItemModel *tst_ColumnViewColumns::columnModel(QObject *root)
{
    return root->findChild<QAbstractItemModel *>(QStringLiteral("columnModel"));
}

void tst_ColumnViewColumns::columnDefaultsAndClamping()
{
    QObject *column = create("ORBColumnViewColumn {}");
    QVERIFY(column);
    QCOMPARE(column->property("width").toReal(), 0.0);
    QCOMPARE(column->property("minimumWidth").toReal(), 50.0);
    QCOMPARE(column->property("maximumWidth").toReal(), 1000.0);
    QCOMPARE(column->property("sortIndex").toInt(), -1);
    QCOMPARE(column->property("index").toInt(), -1);
    QCOMPARE(column->property("sortOrder").toInt(), int(Qt::DescendingOrder));
    QCOMPARE(column->property("horizontalAlignment").toInt(), int(Qt::AlignLeft));
    QVERIFY(column->property("visible").toBool());

    QSignalSpy widths(column, SIGNAL(widthChanged(qreal)));
    column->setProperty("width", 20);
    QCOMPARE(column->property("width").toReal(), 50.0);
    column->setProperty("width", 5000);
    QCOMPARE(column->property("width").toReal(), 1000.0);
    column->setProperty("width", 5000);
    QCOMPARE(widths.count(), 2);
    QCOMPARE(widths.at(1).at(0).toReal(), 1000.0);

    // A minimum above the maximum wins; changing the limits does not re-clamp.
    column->setProperty("minimumWidth", 1200);
    QCOMPARE(column->property("width").toReal(), 1000.0);
    column->setProperty("width", 10);
    QCOMPARE(column->property("width").toReal(), 1200.0);
}

void tst_ColumnViewColumns::resetWidthReturnsToFirstWidth()
{
    QObject *column = create("ORBColumnViewColumn {}");
    QVERIFY(column);
    column->setProperty("width", 120);
    column->setProperty("width", 300);
    QVERIFY(QMetaObject::invokeMethod(column, "resetWidth"));
    QCOMPARE(column->property("width").toReal(), 120.0);
}

void tst_ColumnViewColumns::hostileWidthsAreRefused()
{
    QObject *column = create("ORBColumnViewColumn { width: 100 }");
    QVERIFY(column);
    orbtest::MessageCapture capture;
    column->setProperty("width", qQNaN());
    column->setProperty("maximumWidth", qInf());
    QCOMPARE(column->property("width").toReal(), 100.0);
    QCOMPARE(column->property("maximumWidth").toReal(), 1000.0);
    QCOMPARE(capture.messages().size(), 2);
}

void tst_ColumnViewColumns::modelKeepsSearchableColumnsOnly()
{
    QObject *root
        = create("Item { ORBColumnView { id: view; columns: [\n"
                 " ORBColumnViewColumn { role: 'a'; title: 'A' },\n"
                 " ORBColumnViewColumn { role: 'b'; title: 'B'; searchable: false },\n"
                 " ORBColumnViewColumn { role: 'c'; title: 'C' } ] }\n"
                 " ORBColumnViewColumnModel { objectName: 'columnModel'; showSearchableOnly: true;"
                 " columns: view.columns } }");
    QVERIFY(root);
    QAbstractItemModel *model = columnModel(root);
    QVERIFY(model);
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->columnCount(), 0);
    const int roleRole = model->roleNames().key("role");
    QCOMPARE(roleRole, Qt::UserRole + 1);
    QCOMPARE(model->roleNames().value(Qt::UserRole + 4), QByteArray("visible"));
    QCOMPARE(model->data(model->index(0, 0), roleRole).toString(), QStringLiteral("a"));
    QCOMPARE(model->data(model->index(1, 0), roleRole).toString(), QStringLiteral("c"));
    QVERIFY(!model->data(model->index(2, 0), roleRole).isValid());
}

void tst_ColumnViewColumns::modelOrdersByIndexAndResorts()
{
    QObject *root = create(
        "Item { ORBColumnView { id: view; columns: [\n"
        " ORBColumnViewColumn { role: 'a' }, ORBColumnViewColumn { role: 'b' },\n"
        " ORBColumnViewColumn { role: 'c' } ] }\n"
        " ORBColumnViewColumnModel { objectName: 'columnModel'; columns: view.columns } }");
    QVERIFY(root);
    QAbstractItemModel *model = columnModel(root);
    QVERIFY(model);
    QQmlListReference columns(root->findChild<QQuickItem *>(), "columns");
    QCOMPARE(columns.count(), 3);
    columns.at(0)->setProperty("index", 5); // a goes last, the model re-sorts
    const auto roleAt = [model](int row) {
        return model->data(model->index(row, 0), Qt::UserRole + 1).toString();
    };
    QCOMPARE(roleAt(0), QStringLiteral("b"));
    QCOMPARE(roleAt(1), QStringLiteral("c"));
    QCOMPARE(roleAt(2), QStringLiteral("a"));
}

void tst_ColumnViewColumns::setDataSearchRoleAndOtherRoles()
{
    QObject *root = create(
        "Item { ORBColumnView { id: view; columns: [ ORBColumnViewColumn { role: 'a'; title: 'A' }"
        " ] }\n ORBColumnViewColumnModel { objectName: 'columnModel'; columns: view.columns } }");
    QVERIFY(root);
    QAbstractItemModel *model = columnModel(root);
    QVERIFY(model);
    QSignalSpy searches(model, SIGNAL(columnSearchChanged(QString, bool)));
    QSignalSpy changes(model, &QAbstractItemModel::dataChanged);
    const QModelIndex first = model->index(0, 0);
    QVERIFY(model->setData(first, true, Qt::UserRole + 3));
    QCOMPARE(searches.count(), 1);
    QCOMPARE(searches.at(0).at(0).toString(), QStringLiteral("a"));
    QVERIFY(searches.at(0).at(1).toBool());
    QVERIFY(model->data(first, Qt::UserRole + 3).toBool());

    QVERIFY(model->setData(first, QStringLiteral("Z"), Qt::UserRole + 2));
    QCOMPARE(model->data(first, Qt::UserRole + 2).toString(), QStringLiteral("A"));
    QCOMPARE(changes.count(), 2);
    QCOMPARE(searches.count(), 1);
    QVERIFY(!model->setData(model->index(4, 0), true, Qt::UserRole + 3));
}

QTEST_MAIN(tst_ColumnViewColumns)
#include "tst_columnview_columns.moc"
