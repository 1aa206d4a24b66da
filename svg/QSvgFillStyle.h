#pragma once

#include "QSvgFillStyleProperty.h"
#include "QSvgRefPtr.h"
#include "QSvgStyleProperty.h"

#include <QtCore/QString>
#include <QtGui/QBrush>

namespace orbsvg {

// "fill", "fill-rule" and "fill-opacity" of one element. Only what was set
// changes the painter; the rest stays as the ancestors left it.
class QSvgFillStyle : public QSvgStyleProperty
{
public:
    void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) override;
    void revert(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Fill; }

    void setFillRule(Qt::FillRule rule);
    void setFillOpacity(double opacity);
    void setBrush(const QBrush &brush);
    // The paint server to fill with.
    void setFillStyle(QSvgFillStyleProperty *server);
    void setGradientId(const QString &id) { m_gradientId = id; }
    void setGradientResolved(bool resolved) { m_gradientResolved = resolved; }

    const QBrush &qbrush() const { return m_brush; }
    QSvgFillStyleProperty *style() const { return m_server.get(); }
    Qt::FillRule fillRule() const { return m_fillRule; }
    double fillOpacity() const { return m_fillOpacity; }
    QString gradientId() const { return m_gradientId; }
    bool isGradientResolved() const { return m_gradientResolved; }
    bool isFillSet() const { return m_fillSet; }
    bool isFillRuleSet() const { return m_fillRuleSet; }
    bool isFillOpacitySet() const { return m_fillOpacitySet; }

private:
    QBrush m_brush;
    QBrush m_oldBrush;
    // Counted: a server replaced under its id elsewhere must stay alive for us.
    QSvgRefPtr<QSvgFillStyleProperty> m_server;
    Qt::FillRule m_fillRule = Qt::WindingFill;
    Qt::FillRule m_oldFillRule = Qt::WindingFill;
    double m_fillOpacity = 1.0;
    double m_oldFillOpacity = 1.0;
    QString m_gradientId;
    bool m_gradientResolved = true;
    bool m_fillRuleSet = false;
    bool m_fillOpacitySet = false;
    bool m_fillSet = false;
};

} // namespace orbsvg
