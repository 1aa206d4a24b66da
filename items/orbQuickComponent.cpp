#include "orbQuickComponent.h"

#include "ItemsLog.h"

#include <QtCore/QDebug>
#include <QtQml/QQmlComponent>
#include <QtQml/QQmlContext>
#include <QtQml/QQmlEngine>
#include <QtQuick/QQuickItem>

#include <memory>

QQuickItem *orbQuickComponent::createItem(QQmlComponent *component, QQmlContext *parentContext,
                                          const QVariantMap &properties)
{
    if (!component)
        return nullptr;
    QQmlContext *outer = parentContext ? parentContext : component->creationContext();
    // A component made in C++ has no creation context.
    if (!outer && component->engine())
        outer = component->engine()->rootContext();
    if (!outer) {
        qCWarning(lcItems)
            << "orbQuickComponent::createItem: the component has no context to create in"
            << component->url();
        return nullptr;
    }
    auto context = std::make_unique<QQmlContext>(outer);
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        context->setContextProperty(it.key(), it.value());

    std::unique_ptr<QObject> object(component->beginCreate(context.get()));
    if (!object) {
        qCWarning(lcItems).noquote()
            << "orbQuickComponent::createItem:" << component->errorString();
        return nullptr;
    }
    component->completeCreate();

    auto *item = qobject_cast<QQuickItem *>(object.get());
    if (!item) {
        qCWarning(lcItems) << "orbQuickComponent::createItem: the component made a"
                           << object->metaObject()->className() << "which is no Item";
        return nullptr;
    }
    // The context lives as long as the item that reads it.
    context.release()->setParent(item);
    return static_cast<QQuickItem *>(object.release());
}
