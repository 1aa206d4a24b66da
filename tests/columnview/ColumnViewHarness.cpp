#include "ColumnViewHarness.h"

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QCoreApplication>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

#include <algorithm>

namespace {

bool isA(const QObject *object, const char *className)
{
    return object && object->inherits(className);
}

QQuickItem *contentItemOf(QQuickItem *view)
{
    return view->property("contentItem").value<QQuickItem *>();
}

} // namespace

ColumnViewHarness::ColumnViewHarness(const orbHostEnvironment &host)
    : m_scene(host)
{
}

ColumnViewHarness::~ColumnViewHarness() = default;

void ColumnViewHarness::destroyWindow()
{
    m_scene.destroyWindow();
}

bool ColumnViewHarness::show(const QByteArray &items, const QVariantMap &contextObjects, int width,
                             int height)
{
    if (!m_scene.show(items, contextObjects, width, height, "import QtQml.Models 2.15\n"))
        return false;
    settle();
    return true;
}

QObject *ColumnViewHarness::find(const char *objectName) const
{
    return m_scene.windowObject()->findChild<QObject *>(QString::fromLatin1(objectName));
}

QList<QQuickItem *> ColumnViewHarness::rows() const
{
    QList<QQuickItem *> shown;
    for (QQuickItem *child : contentItemOf(view())->childItems()) {
        if (isA(child, "orbQuickColumnViewRow") && child->isVisible()
            && child->property("index").toInt() >= 0)
            shown.append(child);
    }
    std::sort(shown.begin(), shown.end(), [](QQuickItem *a, QQuickItem *b) {
        return a->property("index").toInt() < b->property("index").toInt();
    });
    return shown;
}

QQuickItem *ColumnViewHarness::row(int index) const
{
    for (QQuickItem *shown : rows()) {
        if (shown->property("index").toInt() == index)
            return shown;
    }
    return nullptr;
}

int ColumnViewHarness::heldRows() const
{
    const QList<QQuickItem *> children = contentItemOf(view())->childItems();
    return int(std::count_if(children.cbegin(), children.cend(), [](QQuickItem *child) {
        return isA(child, "orbQuickColumnViewRow");
    }));
}

QList<QQuickItem *> ColumnViewHarness::cells(QQuickItem *row)
{
    QList<QQuickItem *> found;
    for (QQuickItem *child : row->childItems()) {
        if (isA(child, "orbQuickColumnViewCell"))
            found.append(child);
    }
    return found;
}

QQuickItem *ColumnViewHarness::cell(QQuickItem *row, const QString &role)
{
    for (QQuickItem *candidate : cells(row)) {
        if (candidate->property("role").toString() == role)
            return candidate;
    }
    return nullptr;
}

void ColumnViewHarness::settle(int milliseconds) const
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QTest::qWait(milliseconds);
}
