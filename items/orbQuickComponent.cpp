#include "orbQuickComponent.h"

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
    if (!outer && component->engine())
        outer
            = component->engine()->rootContext(); // a component made in C++ has no creation context
    if (!outer)
        return nullptr;
    auto context = std::make_unique<QQmlContext>(outer);
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        context->setContextProperty(it.key(), it.value());

    QObject *object = component->beginCreate(context.get());
    if (object)
        component->completeCreate();

    auto *item = qobject_cast<QQuickItem *>(object);
    if (!item) {
        delete object;
        return nullptr;
    }
    context->setParent(item);
    context.release();
    return item;
}
