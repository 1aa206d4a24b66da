#pragma once

#include "QSvgNode.h"

#include <QtCore/QList>

namespace orbsvg {

// A node with children, which it owns and deletes with itself.
class QSvgStructureNode : public QSvgNode
{
public:
    explicit QSvgStructureNode(QSvgNode *parent = nullptr);
    ~QSvgStructureNode() override;

    QRectF bounds(QPainter *p, QSvgDrawState &state) const override;

    const QList<QSvgNode *> &children() const { return m_children; }
    // Appends child (taking ownership) and registers it in the document under id.
    void addChild(QSvgNode *child, const QString &id);
    QSvgNode *findNode(const QString &id) const;

protected:
    // Draws the visible, displayed children in order between the node's style.
    void drawChildren(QPainter *p, QSvgDrawState &state);

private:
    QList<QSvgNode *> m_children;
};

} // namespace orbsvg
