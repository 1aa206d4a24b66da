#include "QSvgGradientStyle.h"

#include "QSvgTinyDocument.h"

#include <QtGui/QGradient>

namespace orbsvg {

QSvgGradientStyle::QSvgGradientStyle(QGradient *gradient)
    : m_gradient(gradient)
{
}

QSvgGradientStyle::~QSvgGradientStyle() = default;

void QSvgGradientStyle::setStopLink(const QString &link, QSvgTinyDocument *document)
{
    m_stopLink = link;
    m_document = document;
}

void QSvgGradientStyle::resolveStops()
{
    if (m_stopLink.isEmpty() || !m_document || m_resolving)
        return;
    m_resolving = true;
    QSvgFillStyleProperty *linked = m_document->styleById(m_stopLink);
    if (!linked) {
        qWarning("Could not resolve property : %s", qPrintable(m_stopLink));
    } else if (linked->type() == Gradient) {
        auto *gradient = static_cast<QSvgGradientStyle *>(linked);
        gradient->resolveStops();
        m_gradient->setStops(gradient->qgradient()->stops());
        m_stopsSet = gradient->stopsSet();
    }
    m_stopLink.clear();
    m_resolving = false;
}

QBrush QSvgGradientStyle::brush(QPainter *, QSvgDrawState &)
{
    if (!m_stopLink.isEmpty())
        resolveStops();
    if (!m_stopsSet) {
        m_gradient->setStops({{0.0, QColor(0, 0, 0, 0)}});
        m_stopsSet = true;
    }
    QBrush brush(*m_gradient);
    if (!m_matrix.isIdentity())
        brush.setTransform(m_matrix);
    return brush;
}

} // namespace orbsvg
