#pragma once

#include "orbSvgPathNode.h"

#include <QtGui/QPen>

// The stroke of an outline: the pen's stroke outline drawn as a filled path.
class orbSvgPathStrokeNode : public orbSvgPathNode
{
public:
    explicit orbSvgPathStrokeNode(orbSvgCache *cache);

    bool isSubtreeBlocked() const override;
    // Strokes path with the applied pen and draws the result.
    void setPath(const QPainterPath &path) override;
    // Applies the pending pen (restroking when it changed), then updates.
    void update() override;

    // Takes effect at the next update().
    void setPen(const QPen &pen);
    const QPen &pen() const { return m_pen; }
    const QPen &pendingPen() const { return m_pendingPen; }
    const QPainterPath &sourcePath() const { return m_sourcePath; }

private:
    QPen m_pen;
    QPen m_pendingPen;
    QPainterPath m_sourcePath;
};
