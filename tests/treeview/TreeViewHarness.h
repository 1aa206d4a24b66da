#pragma once

#include "ViewScene.h"

#include <QtCore/QModelIndex>
#include <QtCore/QVariant>
#include <QtCore/QVariantMap>

class QObject;
class QQmlEngine;
class QQuickItem;
class QQuickWindow;

// An ORBTreeView in a real window: the plugin loaded by a QML engine from its
// import path, objects given to QML as context properties, and the view's
// slots called through its meta-object, as QML calls them.
class TreeViewHarness
{
public:
    explicit TreeViewHarness(const orbHostEnvironment &host);
    ~TreeViewHarness();

    // items: QML placed inside the view's window; the view has objectName "view".
    bool show(const QByteArray &items, const QVariantMap &contextObjects, int width = 300,
              int height = 200);
    QQmlEngine &engine() const { return m_scene.engine(); }
    QQuickWindow *window() const { return m_scene.window(); }
    QQuickItem *view() const { return m_scene.view(); }
    QQuickItem *contentItem() const;

    QVariant call(const char *method, const QVariantList &arguments = {}) const;
    int rowCount() const;
    int currentIndex() const;
    QModelIndex modelIndexAt(int row) const;

    // The visible delegate items, ordered by their y.
    QList<QQuickItem *> delegates() const;
    // Every delegate item the view holds, visible or kept for reuse.
    int heldDelegates() const;
    QQuickItem *delegateForRow(int row) const;
    static QVariant contextProperty(QQuickItem *delegate, const QString &name);
    // Runs pending deferred deletions and lets the window render.
    void settle() const;

private:
    orbtest::ViewScene m_scene;
};
