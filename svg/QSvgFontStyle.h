#pragma once

#include "QSvgFont.h"
#include "QSvgRefPtr.h"
#include "QSvgStyleProperty.h"

#include <QtGui/QFont>

namespace orbsvg {

class QSvgTinyDocument;

// The font attributes of one element (and the "font" element's own style).
// Only what was set changes the inherited font.
class QSvgFontStyle : public QSvgStyleProperty
{
public:
    // CSS relative weights, stored in place of a number.
    static constexpr int Bolder = 1;
    static constexpr int Lighter = -1;

    QSvgFontStyle(QSvgFont *svgFont, QSvgTinyDocument *document);
    QSvgFontStyle();

    void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) override;
    void revert(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Font; }

    void setSvgFont(QSvgFont *font) { m_svgFont = font; }
    QSvgFont *svgFont() const { return m_svgFont.get(); }
    QSvgTinyDocument *document() const { return m_document; }
    void setFamily(const QString &family);
    void setSize(qreal pointSize);
    void setStyle(QFont::Style style);
    void setVariant(QFont::Capitalization variant);
    void setWeight(int cssWeight);
    void setTextAnchor(Qt::Alignment anchor);

    const QFont &qfont() const { return m_font; }
    int weight() const { return m_weight; }
    Qt::Alignment textAnchor() const { return m_textAnchor; }

    // The QFont weight that renders a CSS weight.
    static int qtWeight(int cssWeight);

private:
    // Counted: a font made by a "font" element without an id lives only here.
    QSvgRefPtr<QSvgFont> m_svgFont;
    QSvgTinyDocument *m_document = nullptr;
    QFont m_font;
    int m_weight = 400;
    Qt::Alignment m_textAnchor = Qt::AlignLeft;
    QSvgFont *m_oldSvgFont = nullptr;
    QFont m_oldFont;
    Qt::Alignment m_oldTextAnchor = Qt::AlignLeft;
    int m_oldWeight = 400;
    bool m_familySet = false;
    bool m_sizeSet = false;
    bool m_styleSet = false;
    bool m_variantSet = false;
    bool m_weightSet = false;
    bool m_textAnchorSet = false;
};

} // namespace orbsvg
