#pragma once

#include "ViewScene.h"

#include <QtCore/QByteArray>
#include <QtCore/QList>
#include <QtCore/QVariant>

class QObject;
class QQmlEngine;
class QQuickItem;
class QQuickWindow;

// An ORBColumnView in a real window: the plugin loaded by a QML engine from
// its import path, objects given to QML as context properties. Rows and
// cells are found by their class names, as the test does not link the plugin.
class ColumnViewHarness
{
public:
    explicit ColumnViewHarness(const orbHostEnvironment &host);
    ~ColumnViewHarness();

    // items: QML placed in the window; the view has objectName "view".
    bool show(const QByteArray &items, const QVariantMap &contextObjects, int width = 400,
              int height = 200);
    QQmlEngine &engine() const { return m_scene.engine(); }
    QQuickWindow *window() const { return m_scene.window(); }
    QQuickItem *view() const { return m_scene.view(); }
    QObject *find(const char *objectName) const;
    void destroyWindow();

    // The shown rows (visible, index 0 or more), ordered by index.
    QList<QQuickItem *> rows() const;
    QQuickItem *row(int index) const;
    // Every row item the view holds, shown or pooled.
    int heldRows() const;
    static QList<QQuickItem *> cells(QQuickItem *row);
    // The cell of a row whose column shows role.
    static QQuickItem *cell(QQuickItem *row, const QString &role);
    // Lets queued work and the time-sliced layout run.
    void settle(int milliseconds = 30) const;

private:
    orbtest::ViewScene m_scene;
};
