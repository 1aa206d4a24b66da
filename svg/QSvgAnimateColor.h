#pragma once

#include "QSvgAnimationTiming.h"
#include "QSvgStyleProperty.h"

#include <QtCore/QList>
#include <QtGui/QBrush>
#include <QtGui/QColor>
#include <QtGui/QPen>

namespace orbsvg {

// "animateColor": the fill or stroke colour interpolated over the document clock.
class QSvgAnimateColor : public QSvgStyleProperty
{
public:
    // from and to in milliseconds of the document clock.
    QSvgAnimateColor(int from, int to, int by);

    void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) override;
    void revert(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return AnimateColor; }

    void setArgs(bool fill, const QList<QColor> &colors);
    void setFreeze(bool freeze) { m_timing.setFreeze(freeze); }
    void setRepeatCount(qreal count) { m_timing.setRepeatCount(count); }

    QList<QColor> colors() const { return m_colors; }
    bool animatesFill() const { return m_fill; }
    bool isFrozen() const { return m_timing.isFrozen(); }
    qreal repeatCount() const { return m_timing.repeatCount(); }

private:
    QSvgAnimationTiming m_timing;
    QList<QColor> m_colors;
    QBrush m_oldBrush;
    QPen m_oldPen;
    bool m_fill = false;
    bool m_replaced = false; // this apply changed the brush or pen
};

} // namespace orbsvg
