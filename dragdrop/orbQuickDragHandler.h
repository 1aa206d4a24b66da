#pragma once

#include "orbDragHandlerEvent.h"

#include <QtCore/QMap>
#include <QtCore/QPointF>
#include <QtGui/QPixmap>
#include <QtQuick/private/qquickshadereffectsource_p.h>

#include <atomic>

class QDrag;
class QMimeData;
class QQmlComponent;

// What a system drag carries (MIME entries, allowed and default actions) and
// how it looks: the delegate, rendered once into a layer, is the drag image.
// executeDrag() asks for a frame; the render thread reads the layer back and
// signals delegateUpdated, which runs the blocking drag on the GUI thread.
// Created and destroyed on the GUI thread; updatePaintNode runs on the render thread.
class orbQuickDragHandler : public QQuickShaderEffectSource
{
    Q_OBJECT
    Q_PROPERTY(QQmlComponent *delegate READ delegate WRITE setDelegate)
    Q_PROPERTY(QPointF hotSpot READ hotSpot WRITE setHotSpot NOTIFY hotSpotChanged)
    Q_PROPERTY(Qt::DropAction supportedActions READ supportedActions WRITE setSupportedActions)
    Q_PROPERTY(Qt::DropAction defaultAction READ defaultAction WRITE setDefaultAction)

public:
    explicit orbQuickDragHandler(QQuickItem *parent = nullptr);
    ~orbQuickDragHandler() override;

    QQmlComponent *delegate() const { return m_delegate; }
    void setDelegate(QQmlComponent *delegate);
    QPointF hotSpot() const { return m_hotSpot; }
    void setHotSpot(const QPointF &hotSpot);
    Qt::DropAction supportedActions() const { return m_supportedActions; }
    void setSupportedActions(Qt::DropAction actions) { m_supportedActions = actions; }
    Qt::DropAction defaultAction() const { return m_defaultAction; }
    void setDefaultAction(Qt::DropAction action) { m_defaultAction = action; }

    QQuickItem *delegateItem() const { return m_delegateItem; }
    bool isDragging() const { return m_dragging; }

    Q_INVOKABLE void executeDrag();

signals:
    void dragStarted();
    void dragFinished(orbDragHandlerEvent *event);
    void delegateUpdated();
    void hotSpotChanged();

public slots:
    void setMimeData(const QString &mimeType, const QString &mimeData);
    void clearMimeData();

private slots:
    void startDragEvent();

protected:
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data) override;

private:
    void renderDragImage();
    QPoint dragHotSpot() const;
    QMimeData *makeMimeData() const;
    void nudgeCursor() const;

    bool m_dragging = false;
    QQmlComponent *m_delegate = nullptr;  // not owned
    QQuickItem *m_delegateItem = nullptr; // owned
    QPixmap m_dragImage;                  // written on the render thread while the GUI thread waits
    std::atomic_bool m_grabPending{false};
    QPointF m_hotSpot;
    bool m_hotSpotSet = false;
    QMap<QString, QString> m_mimeEntries;
    Qt::DropAction m_supportedActions = Qt::CopyAction;
    Qt::DropAction m_defaultAction = Qt::CopyAction;
    QDrag *m_drag = nullptr; // the running drag, owned by startDragEvent and the drag manager
};
