#include "QSvgFontStyle.h"

#include <QtGui/QPainter>

#include <algorithm>

namespace orbsvg {

QSvgFontStyle::QSvgFontStyle(QSvgFont *svgFont, QSvgTinyDocument *document)
    : m_svgFont(svgFont)
    , m_document(document)
{
}

QSvgFontStyle::QSvgFontStyle() = default;

void QSvgFontStyle::setFamily(const QString &family)
{
    m_font.setFamily(family);
    m_familySet = true;
}

void QSvgFontStyle::setSize(qreal pointSize)
{
    // QFont refuses sizes that are not positive; keep the request anyway.
    if (pointSize > 0)
        m_font.setPointSizeF(pointSize);
    m_sizeSet = pointSize > 0;
}

void QSvgFontStyle::setStyle(QFont::Style style)
{
    m_font.setStyle(style);
    m_styleSet = true;
}

void QSvgFontStyle::setVariant(QFont::Capitalization variant)
{
    m_font.setCapitalization(variant);
    m_variantSet = true;
}

void QSvgFontStyle::setWeight(int cssWeight)
{
    m_weight = cssWeight;
    m_weightSet = true;
}

void QSvgFontStyle::setTextAnchor(Qt::Alignment anchor)
{
    m_textAnchor = anchor;
    m_textAnchorSet = true;
}

int QSvgFontStyle::qtWeight(int cssWeight)
{
    switch (cssWeight) {
    case 100:
    case 200:
        return QFont::Light;
    case 300:
    case 400:
        return QFont::Normal;
    case 500:
    case 600:
        return QFont::DemiBold;
    case 700:
    case 800:
        return QFont::Bold;
    case 900:
        return QFont::Black;
    default:
        return QFont::Normal;
    }
}

void QSvgFontStyle::apply(QPainter *p, const QSvgNode *, QSvgDrawState &state)
{
    m_oldFont = p->font();
    m_oldSvgFont = state.svgFont;
    m_oldTextAnchor = state.textAnchor;
    m_oldWeight = state.fontWeight;

    if (m_textAnchorSet)
        state.textAnchor = m_textAnchor;

    QFont font = m_oldFont;
    if (m_familySet) {
        state.svgFont = m_svgFont.get();
        font.setFamily(m_font.family());
    }
    if (m_sizeSet)
        font.setPointSizeF(m_font.pointSizeF());
    if (m_styleSet)
        font.setStyle(m_font.style());
    if (m_variantSet)
        font.setCapitalization(m_font.capitalization());
    if (m_weightSet) {
        if (m_weight == Bolder)
            state.fontWeight = std::min(state.fontWeight + 100, 900);
        else if (m_weight == Lighter)
            state.fontWeight = std::max(state.fontWeight - 100, 100);
        else
            state.fontWeight = m_weight;
        font.setWeight(qtWeight(state.fontWeight));
    }
    p->setFont(font);
}

void QSvgFontStyle::revert(QPainter *p, QSvgDrawState &state)
{
    p->setFont(m_oldFont);
    state.svgFont = m_oldSvgFont;
    state.textAnchor = m_oldTextAnchor;
    state.fontWeight = m_oldWeight;
}

} // namespace orbsvg
