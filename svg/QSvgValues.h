#pragma once

#include <QtCore/QString>
#include <QtCore/QStringView>
#include <QtCore/QVector>
#include <QtGui/QColor>
#include <QtGui/QPainterPath>
#include <QtGui/QPolygonF>
#include <QtGui/QTransform>

// The value syntaxes of SVG Tiny attributes: numbers, number lists, lengths,
// colours, transform lists, path data, point lists and url references.
// Plain functions over strings, with no document or parser state.
namespace orbsvg {

enum class LengthType { Percent = 0, Px, Pc, Pt, Mm, Cm, In, Other };

namespace values {

// Reads one number at str and advances str past it (to the first character
// that does not fit). An empty or non-numeric start reads as 0 and leaves str.
// A value that overflows the double range also reads as 0.
qreal readNumber(const QChar *&str, const QChar *end);

// The whole of text as a number; ok is false when characters remain after it.
qreal toDouble(QStringView text, bool *ok = nullptr);

// A list of numbers separated by white space and at most one comma; stops at
// the first character that cannot start a number.
QVector<qreal> readNumberList(const QChar *&str, const QChar *end);
QVector<qreal> parseNumberList(QStringView text);
// As readNumberList, also skipping one "%" after each number (for rgb()).
QVector<qreal> readPercentageList(const QChar *&str, const QChar *end);

// A length with an optional unit suffix; without a suffix the unit is
// defaultType. ok is false when the number does not use up the rest.
qreal parseLength(QStringView text, LengthType &type, bool *ok = nullptr,
                  LengthType defaultType = LengthType::Px);
// pt, mm, cm and in to pixels; other units stay as they are.
qreal convertToPixels(qreal length, LengthType type);

// A colour value ("#rgb", "#rrggbb", rgb(), a colour name, "currentColor").
// Returns false for no colour (also for an empty value and "inherit").
bool parseColor(QStringView text, const QColor &currentColor, QColor &color);
// A colour with an opacity attribute as its alpha (clamped to [0, 1]; an
// opacity that does not parse gives alpha 1, an empty one leaves the alpha).
bool parseColorWithOpacity(QStringView colorText, QStringView opacityText,
                           const QColor &currentColor, QColor &color);

// A transform list; stops at the first entry it cannot read and returns the
// transform built so far.
QTransform parseTransform(QStringView text);

// Path data into path (which gets the winding fill rule); stops at the first
// character that is no command and keeps what was built so far. A point that
// would not be finite, or that QPainterPath refuses as out of range, also ends
// the parse; an arc whose ellipse cannot be computed (a zero radius) is drawn
// as a straight line.
void parsePathData(QStringView data, QPainterPath &path);

// The vertices of a "points" value; an odd last number is ignored.
QPolygonF parsePoints(QStringView text);

// The id of a url reference: the text after "url", with white space, an
// optional "(", white space and an optional "#" skipped, up to ")" or the end.
QString idFromUrl(QStringView textAfterUrl);

} // namespace values
} // namespace orbsvg
