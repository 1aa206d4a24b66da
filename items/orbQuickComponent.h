#pragma once

#include <QtCore/QVariantMap>

class QQmlComponent;
class QQmlContext;
class QQuickItem;

// Turns a QML component into a visual item whose context carries the given
// properties. Used by every view and handler that instantiates delegates.
// GUI thread only.
class orbQuickComponent
{
public:
    // Null for a null component or a result that is not an item. The item owns
    // the context made for it (a child of parentContext, or of the component's
    // creation context when parentContext is null); the properties live there,
    // so later writes go to QQmlEngine::contextForObject(item)->parentContext().
    static QQuickItem *createItem(QQmlComponent *component, QQmlContext *parentContext = nullptr,
                                  const QVariantMap &properties = {});
};
