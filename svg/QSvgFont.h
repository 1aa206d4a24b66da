#pragma once

#include "QSvgFontGlyph.h"
#include "QSvgRefCounted.h"

#include <QtCore/QHash>
#include <QtCore/QString>

class QPainter;
class QPointF;

namespace orbsvg {

// A font defined inside the document by "font", "font-face" and "glyph" elements.
class QSvgFont : public QSvgRefCounted
{
public:
    explicit QSvgFont(double horizAdvX);

    QString familyName() const { return m_familyName; }
    void setFamilyName(const QString &name) { m_familyName = name; }
    double unitsPerEm() const { return m_unitsPerEm; }
    void setUnitsPerEm(double units) { m_unitsPerEm = units; }
    double horizAdvX() const { return m_horizAdvX; }
    double ascent() const { return m_ascent; }
    double descent() const { return m_descent; }

    void addGlyph(QChar unicode, const QPainterPath &path, double horizAdvX);
    bool hasGlyph(QChar unicode) const { return m_glyphs.contains(unicode); }
    int glyphCount() const { return m_glyphs.size(); }

    // Width of text in font units as draw() lays it out.
    int textWidth(const QString &text) const;
    // Draws text with its baseline start at point; anchor is left, centre or right.
    void draw(QPainter *p, const QPointF &point, const QString &text, double pixelSize,
              Qt::Alignment anchor) const;

private:
    const QSvgFontGlyph *glyphFor(QChar character) const;

    QString m_familyName;
    double m_unitsPerEm = 1000;
    double m_ascent = 0;
    double m_descent = 0;
    double m_horizAdvX;
    QHash<QChar, QSvgFontGlyph> m_glyphs;
};

} // namespace orbsvg
