#pragma once

#include "QSvgFillStyleProperty.h"
#include "QSvgRefPtr.h"
#include "QSvgStyleProperty.h"

#include <QtCore/QString>
#include <QtCore/QVector>
#include <QtGui/QPen>

namespace orbsvg {

// The stroke attributes of one element. Only what was set changes the
// inherited pen; dash patterns are kept in units of the pen width, as QPen
// wants them, and rescaled when an element changes only the width.
class QSvgStrokeStyle : public QSvgStyleProperty
{
public:
    QSvgStrokeStyle();

    void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) override;
    void revert(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return Stroke; }

    void setStroke(const QBrush &brush);
    // The paint server to stroke with.
    void setStyle(QSvgFillStyleProperty *server);
    void setWidth(double width);
    // Dash lengths in user units; the width must be set first.
    void setDashArray(const QVector<qreal> &dashes);
    void setDashArrayNone();
    void setDashOffset(double offset);
    void setLineCap(Qt::PenCapStyle cap);
    void setLineJoin(Qt::PenJoinStyle join);
    void setMiterLimit(double limit);
    void setOpacity(double opacity);
    void setVectorEffect(bool nonScaling);
    void setGradientId(const QString &id) { m_gradientId = id; }
    void setGradientResolved(bool resolved) { m_gradientResolved = resolved; }

    const QPen &qpen() const { return m_pen; }
    QSvgFillStyleProperty *style() const { return m_server.get(); }
    double strokeOpacity() const { return m_strokeOpacity; }
    double dashOffset() const { return m_dashOffset; }
    bool vectorEffect() const { return m_vectorEffect; }
    QString gradientId() const { return m_gradientId; }
    bool isGradientResolved() const { return m_gradientResolved; }
    bool isStrokeSet() const { return m_strokeSet; }
    bool isWidthSet() const { return m_widthSet; }
    bool isDashArraySet() const { return m_dashArraySet; }

private:
    double m_strokeOpacity = 1.0;
    double m_oldStrokeOpacity = 0;
    double m_dashOffset = 0;
    double m_oldDashOffset = 0;
    // Counted: a server replaced under its id elsewhere must stay alive for us.
    QSvgRefPtr<QSvgFillStyleProperty> m_server;
    QString m_gradientId;
    bool m_gradientResolved = true;
    bool m_vectorEffect = false;
    bool m_oldVectorEffect = false;
    bool m_strokeSet = false;
    bool m_dashArraySet = false;
    bool m_dashOffsetSet = false;
    bool m_lineCapSet = false;
    bool m_lineJoinSet = false;
    bool m_miterLimitSet = false;
    bool m_opacitySet = false;
    bool m_widthSet = false;
    bool m_vectorEffectSet = false;
    QPen m_pen;
    QPen m_oldPen;
};

} // namespace orbsvg
