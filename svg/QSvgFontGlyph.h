#pragma once

#include <QtCore/QChar>
#include <QtGui/QPainterPath>

namespace orbsvg {

// One glyph of an SVG font: its outline (y up, in font units) and advance.
struct QSvgFontGlyph
{
    QChar unicode;
    QPainterPath path;
    double horizAdvX = 0;
};

} // namespace orbsvg
