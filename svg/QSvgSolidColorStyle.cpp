#include "QSvgSolidColorStyle.h"

namespace orbsvg {

QSvgSolidColorStyle::QSvgSolidColorStyle(const QColor &color)
    : m_color(color)
{
}

QBrush QSvgSolidColorStyle::brush(QPainter *, QSvgDrawState &)
{
    return QBrush(m_color, Qt::SolidPattern);
}

} // namespace orbsvg
