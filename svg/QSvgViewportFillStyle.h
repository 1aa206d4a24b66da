#pragma once

#include "QSvgStyleProperty.h"

#include <QtGui/QBrush>

namespace orbsvg {

// The brush of a viewport fill; the parser does not produce it.
class QSvgViewportFillStyle : public QSvgStyleProperty
{
public:
    explicit QSvgViewportFillStyle(const QBrush &brush);

    void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) override;
    void revert(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return ViewportFill; }

    QBrush qbrush() const { return m_brush; }

private:
    QBrush m_brush;
    QBrush m_oldBrush;
};

} // namespace orbsvg
