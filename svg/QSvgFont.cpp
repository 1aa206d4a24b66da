#include "QSvgFont.h"

#include <QtGui/QPainter>

namespace orbsvg {

QSvgFont::QSvgFont(double horizAdvX)
    : m_horizAdvX(horizAdvX)
{
}

void QSvgFont::addGlyph(QChar unicode, const QPainterPath &path, double horizAdvX)
{
    m_glyphs.insert(unicode, QSvgFontGlyph{unicode, path, horizAdvX});
}

const QSvgFontGlyph *QSvgFont::glyphFor(QChar character) const
{
    auto glyph = m_glyphs.constFind(character);
    if (glyph == m_glyphs.constEnd())
        glyph = m_glyphs.constFind(QChar(0)); // the missing glyph
    return glyph == m_glyphs.constEnd() ? nullptr : &glyph.value();
}

int QSvgFont::textWidth(const QString &text) const
{
    int width = 0;
    for (QChar character : text) {
        if (const QSvgFontGlyph *glyph = glyphFor(character))
            width += int(glyph->horizAdvX);
    }
    return width;
}

void QSvgFont::draw(QPainter *p, const QPointF &point, const QString &text, double pixelSize,
                    Qt::Alignment anchor) const
{
    if (m_unitsPerEm <= 0 || pixelSize <= 0)
        return;
    const double scale = pixelSize / m_unitsPerEm;
    p->save();
    p->translate(point);
    p->scale(scale, -scale); // glyph outlines have y pointing up

    const int width = textWidth(text);
    if (anchor == Qt::AlignHCenter)
        p->translate(-(width / 2), 0);
    else if (anchor == Qt::AlignRight)
        p->translate(-width, 0);

    // Strokes keep their width in user units.
    QPen pen = p->pen();
    pen.setWidthF(pen.widthF() / scale);
    p->setPen(pen);

    for (QChar character : text) {
        if (const QSvgFontGlyph *glyph = glyphFor(character)) {
            p->drawPath(glyph->path);
            p->translate(glyph->horizAdvX, 0);
        }
    }
    p->restore();
}

} // namespace orbsvg
