#include "QSvgAnimateColor.h"

#include "QSvgNode.h"
#include "QSvgTinyDocument.h"

#include <QtGui/QPainter>

#include <cmath>

namespace orbsvg {

QSvgAnimateColor::QSvgAnimateColor(int from, int to, int)
    : m_timing(from, to)
{
}

void QSvgAnimateColor::setArgs(bool fill, const QList<QColor> &colors)
{
    m_fill = fill;
    m_colors = colors;
}

void QSvgAnimateColor::apply(QPainter *p, const QSvgNode *node, QSvgDrawState &)
{
    m_replaced = false;
    const QSvgTinyDocument *document = node ? node->document() : nullptr;
    const double t = document ? document->currentElapsed() : 0;
    if (m_colors.isEmpty())
        return;
    const std::optional<double> progress = m_timing.progressAt(t);
    if (!progress)
        return;
    const double position = (m_colors.size() - 1) * *progress;
    const QColor start = m_colors.at(qBound(0, int(std::floor(position)), m_colors.size() - 1));
    const QColor end = m_colors.at(qBound(0, int(std::ceil(position)), m_colors.size() - 1));
    const double fraction = position > 1 ? position - std::floor(position) : position;
    auto mix = [fraction](int a, int b) { return qBound(0, int(a + (b - a) * fraction), 255); };
    const QColor color(mix(start.red(), end.red()), mix(start.green(), end.green()),
                       mix(start.blue(), end.blue()), mix(start.alpha(), end.alpha()));

    if (m_fill) {
        m_oldBrush = p->brush();
        QBrush brush = m_oldBrush;
        brush.setColor(color);
        p->setBrush(brush);
    } else {
        m_oldPen = p->pen();
        QPen pen = m_oldPen;
        pen.setColor(color);
        p->setPen(pen);
    }
    m_replaced = true;
}

void QSvgAnimateColor::revert(QPainter *p, QSvgDrawState &)
{
    if (!m_replaced)
        return;
    if (m_fill)
        p->setBrush(m_oldBrush);
    else
        p->setPen(m_oldPen);
    m_replaced = false;
}

} // namespace orbsvg
