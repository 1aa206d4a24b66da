#include "QSvgText.h"

#include "QSvgFont.h"

#include <QtGui/QPaintDevice>
#include <QtGui/QTextLayout>

#include <limits>

namespace orbsvg {

namespace {

// One paragraph of styled text, ready for QTextLayout.
struct Paragraph
{
    QString text;
    QVector<QTextLayout::FormatRange> formats;
};

// White space as the run's mode wants it: line ends and tabs become spaces;
// by default runs of spaces also collapse to one, also across runs.
void appendNormalized(Paragraph &paragraph, const QString &text, QSvgTspan::WhitespaceMode mode)
{
    for (QChar character : text) {
        if (character == QLatin1Char('\n') || character == QLatin1Char('\r')
            || character == QLatin1Char('\t'))
            character = QLatin1Char(' ');
        if (mode == QSvgTspan::Default && character == QLatin1Char(' ')
            && (paragraph.text.isEmpty() || paragraph.text.endsWith(QLatin1Char(' '))))
            continue;
        paragraph.text.append(character);
    }
}

// Collapsed text keeps no space at its end (its start never gets one).
void dropTrailingSpace(Paragraph &paragraph)
{
    if (!paragraph.text.endsWith(QLatin1Char(' ')))
        return;
    paragraph.text.chop(1);
    for (QTextLayout::FormatRange &range : paragraph.formats)
        range.length = qMin(range.length, paragraph.text.size() - range.start);
}

// SVG font sizes are in user units; the painter's font counts points of its
// device. The font that lays the text out therefore has the size in pixels.
QFont layoutFont(QPainter *p)
{
    QFont font = p->font();
    const int dpi = p->device() ? p->device()->logicalDpiY() : 72;
    if (dpi > 0 && font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 72.0 / dpi);
    return font;
}

QTextCharFormat formatOf(QPainter *p)
{
    QTextCharFormat format;
    format.setFont(layoutFont(p));
    format.setForeground(p->brush());
    const QPen &pen = p->pen();
    if (pen.widthF() != 0 && pen.style() != Qt::NoPen && pen.brush().style() != Qt::NoBrush)
        format.setTextOutline(pen);
    return format;
}

} // namespace

QSvgText::QSvgText(QSvgNode *parent, const QPointF &coord)
    : QSvgNode(parent)
    , m_coord(coord)
{
}

QSvgText::~QSvgText() = default;

void QSvgText::setTextArea(const QSizeF &size)
{
    m_type = TextArea;
    m_size = size;
}

void QSvgText::addTspan(QSvgTspan *tspan)
{
    m_tspans.emplace_back(tspan);
}

void QSvgText::addText(const QString &text)
{
    auto *run = new QSvgTspan(this, false);
    run->setWhitespaceMode(m_mode);
    run->addText(text);
    addTspan(run);
}

void QSvgText::addLineBreak()
{
    addTspan(QSvgTspan::lineBreak(this));
}

void QSvgText::drawWithSvgFont(QPainter *p, QSvgDrawState &state)
{
    QString text;
    for (const auto &run : m_tspans) {
        if (!run->isLineBreak())
            text += run->text().simplified();
    }
    const qreal opacity = p->opacity();
    p->setOpacity(opacity * state.fillOpacity);
    state.svgFont->draw(p, m_coord, text, p->font().pointSizeF(), state.textAnchor);
    p->setOpacity(opacity);
}

void QSvgText::draw(QPainter *p, QSvgDrawState &state)
{
    applyStyle(p, state);
    if (state.svgFont) {
        drawWithSvgFont(p, state);
        revertStyle(p, state);
        return;
    }

    // Split into paragraphs at line breaks; each run brings its own format.
    QVector<Paragraph> paragraphs(1);
    for (const auto &run : m_tspans) {
        if (run->isLineBreak()) {
            paragraphs.append(Paragraph());
            continue;
        }
        if (run->isTspan())
            run->applyStyle(p, state);
        Paragraph &paragraph = paragraphs.last();
        const int start = paragraph.text.size();
        appendNormalized(paragraph, run->text(), run->whitespaceMode());
        paragraph.formats.append({start, paragraph.text.size() - start, formatOf(p)});
        if (run->isTspan())
            run->revertStyle(p, state);
    }

    const bool area = m_type == TextArea;
    const qreal areaWidth = area && m_size.width() > 0 ? m_size.width() : 0;
    const qreal lineWidth = areaWidth > 0 ? areaWidth : std::numeric_limits<qreal>::max() / 4;
    const qreal opacity = p->opacity();
    p->setOpacity(opacity * state.fillOpacity);

    qreal y = m_coord.y();
    bool firstLine = true;
    for (Paragraph &paragraph : paragraphs) {
        if (m_mode == QSvgTspan::Default)
            dropTrailingSpace(paragraph);
        QTextLayout layout(paragraph.text, layoutFont(p));
        layout.setFormats(paragraph.formats);
        QTextOption option;
        option.setWrapMode(areaWidth > 0 ? QTextOption::WordWrap : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(lineWidth);
            // A text's position is its first baseline; a text area's its top.
            if (firstLine && !area)
                y -= line.ascent();
            firstLine = false;
            const qreal width = line.naturalTextWidth();
            qreal x = m_coord.x();
            const qreal span = areaWidth > 0 ? areaWidth : 0;
            if (state.textAnchor & Qt::AlignHCenter)
                x += (span - width) / 2;
            else if (state.textAnchor & Qt::AlignRight)
                x += span - width;
            line.setPosition(QPointF(x, y));
            y += line.height();
        }
        layout.endLayout();
        layout.draw(p, QPointF(0, 0));
    }
    p->setOpacity(opacity);
    revertStyle(p, state);
}

} // namespace orbsvg
