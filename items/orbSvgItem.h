#pragma once

#include "ref_ptr.h"

#include <QtCore/QHash>
#include <QtCore/QSizeF>
#include <QtCore/QUrl>
#include <QtQuick/QQuickItem>

class orbSvgCache;
class QSGNode;

// Shows one SVG document scaled to the item's size, as distance-field quads
// built by the engine's texture cache. ORBSvgNode children restyle and move
// single elements by id. GUI thread, except updatePaintNode (render thread).
class orbSvgItem : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(QSizeF sourceSize READ sourceSize NOTIFY sourceSizeChanged)

public:
    explicit orbSvgItem(QQuickItem *parent = nullptr);
    ~orbSvgItem() override;

signals:
    void sourceChanged();
    // A new tree was built (emitted from the render thread).
    void nodesChanged();
    void sourceSizeChanged();

public slots:
    QUrl source() const { return m_source; }
    // Every write notifies and repaints; only a new URL rebuilds the tree.
    void setSource(const QUrl &url);
    QSizeF sourceSize() const { return m_sourceSize; }

protected:
    void itemChange(ItemChange change, const ItemChangeData &value) override;
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data) override;

private:
    void takeCacheOfWindow();
    void syncChildren();

    QUrl m_source;
    orb::ref_ptr<orbSvgCache> m_cache;
    bool m_sourceDirty = false;
    QHash<QString, QSGNode *> m_nodesById;
    QSizeF m_sourceSize;
};
