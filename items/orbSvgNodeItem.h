#pragma once

#include "orbGradient.h"
#include "orbStroke.h"

#include <QtCore/QRectF>
#include <QtGui/QColor>
#include <QtQuick/QQuickItem>

class orbSvgNode;
class orbSvgNodeItemPrivate;
class orbTransformNode;

// Restyles and moves one element, named by nodeId, of the document of its
// parent ORBSvgItem: colours, stroke, gradients, visibility, opacity, and the
// item's own x, y, rotation and scale in the element's coordinates. Setters
// run on the GUI thread; sync() and applyTransform() on the render thread,
// from the parent's paint-node update.
class orbSvgNodeItem : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QString nodeId READ nodeId WRITE setNodeId NOTIFY nodeIdChanged)
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor NOTIFY fillColorChanged)
    Q_PROPERTY(QColor strokeColor READ strokeColor WRITE setStrokeColor NOTIFY strokeColorChanged)
    Q_PROPERTY(orbStroke *stroke READ stroke CONSTANT)
    Q_PROPERTY(orbGradient *fillGradient READ fillGradient CONSTANT)
    Q_PROPERTY(orbGradient *strokeGradient READ strokeGradient CONSTANT)
    Q_PROPERTY(QRectF boundingBox READ boundingBox NOTIFY boundingBoxChanged)

public:
    explicit orbSvgNodeItem(QQuickItem *parent = nullptr);
    ~orbSvgNodeItem() override;

    // Applies the overrides to the element's nodes (render thread).
    void sync(orbSvgNode *node);
    // Moves a transform node by the item's own transform (render thread).
    void applyTransform(orbTransformNode *node);

signals:
    void nodeIdChanged();
    void fillColorChanged();
    void strokeColorChanged();
    void boundingBoxChanged();

public slots:
    void updateTransform();
    void setNodeId(const QString &nodeId);
    QString nodeId() const { return m_nodeId; }
    QRectF boundingBox() const { return m_boundingBox; }
    // Every write notifies and repaints the parent.
    void setFillColor(const QColor &color);
    QColor fillColor() const { return m_fillColor; }
    void setStrokeColor(const QColor &color);
    QColor strokeColor() const { return m_strokeColor; }
    orbStroke *stroke() { return &m_stroke; }
    orbGradient *fillGradient() { return &m_fillGradient; }
    orbGradient *strokeGradient() { return &m_strokeGradient; }

protected slots:
    void strokeChanged();
    void fillGradientChanged();
    void strokeGradientChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData &value) override;

private:
    Q_DECLARE_PRIVATE(orbSvgNodeItem)

    void attach(orbSvgNode *node);
    bool isBound(const char *property) const;
    void updateParent();

    orbSvgNode *m_target = nullptr;
    orbStroke m_stroke;
    orbGradient m_fillGradient;
    orbGradient m_strokeGradient;
    QString m_nodeId;
    QColor m_fillColor{Qt::transparent};
    QColor m_strokeColor{Qt::transparent};
    QRectF m_boundingBox;
    bool m_fillColorDirty = false;
    bool m_strokeColorDirty = false;
    bool m_fillGradientDirty = false;
    bool m_strokeGradientDirty = false;
    bool m_transformDirty = false;
};
