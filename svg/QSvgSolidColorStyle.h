#pragma once

#include "QSvgFillStyleProperty.h"

#include <QtGui/QColor>

namespace orbsvg {

// The "solidColor" paint server.
class QSvgSolidColorStyle : public QSvgFillStyleProperty
{
public:
    explicit QSvgSolidColorStyle(const QColor &color);

    Type type() const override { return SolidColor; }
    QBrush brush(QPainter *p, QSvgDrawState &state) override;

    const QColor &qcolor() const { return m_color; }

private:
    QColor m_color;
};

} // namespace orbsvg
