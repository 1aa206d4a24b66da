#pragma once

#include "QSvgNode.h"

#include <QtCore/QLineF>

namespace orbsvg {

// A line: stroked only.
class QSvgLine : public QSvgNode
{
public:
    QSvgLine(QSvgNode *parent, const QLineF &line);

    void draw(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Line; }
    QRectF bounds(QPainter *p, QSvgDrawState &state) const override;

    const QLineF &line() const { return m_line; }

private:
    QLineF m_line;
};

} // namespace orbsvg
