#include "QSvgFillStyle.h"

#include "QSvgFillStyleProperty.h"

#include <QtGui/QPainter>

namespace orbsvg {

void QSvgFillStyle::setFillRule(Qt::FillRule rule)
{
    m_fillRule = rule;
    m_fillRuleSet = true;
}

void QSvgFillStyle::setFillOpacity(double opacity)
{
    m_fillOpacity = opacity;
    m_fillOpacitySet = true;
}

void QSvgFillStyle::setBrush(const QBrush &brush)
{
    m_brush = brush;
    m_server = nullptr;
    m_fillSet = true;
}

void QSvgFillStyle::setFillStyle(QSvgFillStyleProperty *server)
{
    m_server = server;
    m_fillSet = true;
}

void QSvgFillStyle::apply(QPainter *p, const QSvgNode *, QSvgDrawState &state)
{
    m_oldBrush = p->brush();
    m_oldFillRule = state.fillRule;
    m_oldFillOpacity = state.fillOpacity;

    if (m_fillRuleSet)
        state.fillRule = m_fillRule;
    if (m_fillSet)
        p->setBrush(m_server ? m_server->brush(p, state) : m_brush);
    if (m_fillOpacitySet)
        state.fillOpacity = m_fillOpacity;
}

void QSvgFillStyle::revert(QPainter *p, QSvgDrawState &state)
{
    if (m_fillOpacitySet)
        state.fillOpacity = m_oldFillOpacity;
    if (m_fillSet)
        p->setBrush(m_oldBrush);
    if (m_fillRuleSet)
        state.fillRule = m_oldFillRule;
}

} // namespace orbsvg
