#pragma once

#include <QtQuick/QSGNode>

class orbSvgPathNode;
class orbSvgPathStrokeNode;

// The pair of nodes that draw one SVG element: its stroke, then its fill
// over it. A hidden part is detached from the tree (render thread).
class orbSvgNode : public QSGNode
{
public:
    // Takes ownership of both.
    orbSvgNode(orbSvgPathNode *fill, orbSvgPathStrokeNode *stroke);
    ~orbSvgNode() override;

    orbSvgPathNode *fillNode() const { return m_fill; }
    orbSvgPathStrokeNode *strokeNode() const { return m_stroke; }
    bool isFillVisible() const { return m_fillVisible; }
    bool isStrokeVisible() const { return m_strokeVisible; }

    void setFillVisible(bool visible);
    void setStrokeVisible(bool visible);
    // Forwarded to both path nodes, which apply it at their next update.
    void setOpacity(float opacity);

private:
    orbSvgPathNode *m_fill;
    orbSvgPathStrokeNode *m_stroke;
    bool m_fillVisible = true;
    bool m_strokeVisible = true;
};
