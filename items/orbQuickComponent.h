#pragma once

#include <QtCore/QVariantMap>

class QQmlComponent;
class QQmlContext;
class QQuickItem;

// Turns a QML component into a visual item, for every item of the module that
// instantiates delegates. GUI thread.
namespace orbQuickComponent {

// Creates one instance of component in a new context under parentContext (null:
// the component's creation context) that carries properties as context
// properties. Returns the item, which owns that context; null for a null
// component, a failed creation or a result that is no Item (deleted, warned).
// Later reads and writes of those properties go to the parent of the item's
// own context: QQmlEngine::contextForObject(item)->parentContext().
QQuickItem *createItem(QQmlComponent *component, QQmlContext *parentContext = nullptr,
                       const QVariantMap &properties = {});

} // namespace orbQuickComponent
