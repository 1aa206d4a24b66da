#pragma once

#include <QtCore/QObject>
#include <QtGui/QMatrix4x4>
#include <QtQuick/QSGTransformNode>

class QQuickItem;

// An item's transform node that reports, from the render thread, when the
// matrix the scene graph gave it has changed. Receivers connect queued.
class RedirectingTransformNode : public QObject, public QSGTransformNode
{
    Q_OBJECT

public:
    explicit RedirectingTransformNode(QQuickItem *item);

    void preprocess() override;
    QQuickItem *item() const { return m_item; }

signals:
    void transformChanged();

private:
    QQuickItem *m_item;
    QMatrix4x4 m_lastMatrix;
};
