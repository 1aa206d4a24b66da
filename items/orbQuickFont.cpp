#include "orbQuickFont.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QScreen>

#include <algorithm>

namespace {
// 96 DPI is the reference the artwork's point sizes are written for.
float sizeScaleOfFirstScreen()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return 1.0f;
    return float(96.0 / std::max(1.0, screens.first()->logicalDotsPerInchX()));
}
} // namespace

orbQuickFont::orbQuickFont(QQuickItem *parent)
    : QQuickItem(parent)
    , m_metrics(m_font)
    , m_sizeScale(sizeScaleOfFirstScreen())
{
}

void orbQuickFont::setPointSizeF(float size)
{
    m_font.setPointSizeF(double(size * m_sizeScale));
    fontWasChanged();
}

void orbQuickFont::setWeight(int weight)
{
    m_font.setWeight(weight);
    fontWasChanged();
}

void orbQuickFont::setFamily(const QString &family)
{
    m_font.setFamily(family);
    fontWasChanged();
}

void orbQuickFont::setLetterSpacing(double spacing)
{
    m_font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    fontWasChanged();
}

void orbQuickFont::setCapitalization(int capitalization)
{
    m_font.setCapitalization(QFont::Capitalization(capitalization));
    fontWasChanged();
}

void orbQuickFont::setKerning(bool kerning)
{
    m_font.setKerning(kerning);
    fontWasChanged();
}

void orbQuickFont::setStretch(int stretch)
{
    m_font.setStretch(stretch);
    fontWasChanged();
}

void orbQuickFont::fontWasChanged()
{
    m_metrics = QFontMetricsF(m_font);
    emit fontChanged();
}
