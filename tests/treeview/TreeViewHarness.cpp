#include "TreeViewHarness.h"

#include "QmlTestSupport.h"
#include "orbHostEnvironment.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QMetaMethod>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>
#include <QtQuick/QQuickWindow>
#include <QtTest/QTest>

#include <algorithm>

TreeViewHarness::TreeViewHarness(const orbHostEnvironment &host)
    : m_scene(host)
{
}

TreeViewHarness::~TreeViewHarness() = default;

bool TreeViewHarness::show(const QByteArray &items, const QVariantMap &contextObjects, int width,
                           int height)
{
    if (!m_scene.show(items, contextObjects, width, height))
        return false;
    settle();
    return true;
}

QQuickItem *TreeViewHarness::contentItem() const
{
    return view()->property("contentItem").value<QQuickItem *>();
}

QVariant TreeViewHarness::call(const char *method, const QVariantList &arguments) const
{
    const QMetaObject *meta = view()->metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod candidate = meta->method(i);
        if (candidate.name() != method || candidate.parameterCount() != arguments.size())
            continue;
        QVariantList converted = arguments;
        QGenericArgument args[4];
        for (int a = 0; a < converted.size(); ++a) {
            converted[a].convert(candidate.parameterType(a));
            args[a] = QGenericArgument(converted[a].typeName(), converted[a].constData());
        }
        if (candidate.returnType() == QMetaType::Void) {
            candidate.invoke(view(), Qt::DirectConnection, args[0], args[1], args[2], args[3]);
            return {};
        }
        QVariant result(candidate.returnType(), nullptr);
        candidate.invoke(view(), Qt::DirectConnection,
                         QGenericReturnArgument(candidate.typeName(), result.data()), args[0],
                         args[1], args[2], args[3]);
        if (candidate.returnType() == QMetaType::QVariant)
            return result.value<QVariant>();
        return result;
    }
    QTest::qFail(qPrintable(QStringLiteral("no method %1").arg(method)), __FILE__, __LINE__);
    return {};
}

int TreeViewHarness::rowCount() const
{
    return view()->property("rowCount").toInt();
}

int TreeViewHarness::currentIndex() const
{
    return view()->property("currentIndex").toInt();
}

QModelIndex TreeViewHarness::modelIndexAt(int row) const
{
    return call("getModelIndex", {row}).value<QModelIndex>();
}

QList<QQuickItem *> TreeViewHarness::delegates() const
{
    QList<QQuickItem *> shown;
    for (QQuickItem *child : contentItem()->childItems()) {
        if (child->isVisible())
            shown.append(child);
    }
    std::sort(shown.begin(), shown.end(),
              [](const QQuickItem *a, const QQuickItem *b) { return a->y() < b->y(); });
    return shown;
}

int TreeViewHarness::heldDelegates() const
{
    return contentItem()->childItems().size();
}

QQuickItem *TreeViewHarness::delegateForRow(int row) const
{
    for (QQuickItem *item : delegates()) {
        if (contextProperty(item, QStringLiteral("ItemIndex")).toInt() == row)
            return item;
    }
    return nullptr;
}

QVariant TreeViewHarness::contextProperty(QQuickItem *delegate, const QString &name)
{
    // The view sets them on the context above the delegate's own.
    const QQmlContext *own = QQmlEngine::contextForObject(delegate);
    const QQmlContext *properties = own ? own->parentContext() : nullptr;
    return properties ? properties->contextProperty(name) : QVariant();
}

void TreeViewHarness::settle() const
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
