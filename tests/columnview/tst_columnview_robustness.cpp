// The column view under hostile conditions: models reset, emptied or deleted
// under it, bad delegates and selection models, and the view deleted while
// its rows' reads are still queued on the pool.

#include "ColumnViewHarness.h"
#include "CountingModel.h"
#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtGui/QGuiApplication>
#include <QtQuick/QQuickItem>
#include <QtTest/QtTest>

#include <memory>

class tst_ColumnViewRobustness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

private:
    std::unique_ptr<orbHostEnvironment> m_host;
};

void tst_ColumnViewRobustness::initTestCase()
{
    m_host = std::make_unique<orbHostEnvironment>(*qApp);
}

void tst_ColumnViewRobustness::cleanupTestCase()
{
    m_host.reset();
}

QTEST_MAIN(tst_ColumnViewRobustness)
#include "tst_columnview_robustness.moc"
