#pragma once

#include "QSvgNode.h"

namespace orbsvg {

// A "path" element. Its fill rule follows the draw state at each draw.
class QSvgPath : public QSvgNode
{
public:
    QSvgPath(QSvgNode *parent, const QPainterPath &path);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Path; }
    QRectF bounds(QPainter *p, QSvgDrawState &state) const override;
    const QPainterPath *outlinePath() const override { return &m_path; }

    const QPainterPath &path() const { return m_path; }

private:
    QPainterPath m_path;
};

} // namespace orbsvg
