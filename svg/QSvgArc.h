#pragma once

#include "QSvgNode.h"

namespace orbsvg {

// An open arc path: stroked only.
class QSvgArc : public QSvgNode
{
public:
    QSvgArc(QSvgNode *parent, const QPainterPath &path);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Arc; }
    QRectF bounds(QPainter *p, QSvgDrawState &state) const override;

    const QPainterPath &path() const { return m_path; }

private:
    QPainterPath m_path;
};

} // namespace orbsvg
