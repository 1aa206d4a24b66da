#pragma once

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
    void setFreeze(bool freeze) { m_freeze = freeze; }
    void setRepeatCount(qreal count) { m_repeatCount = count; }

    QList<QColor> colors() const { return m_colors; }
    bool animatesFill() const { return m_fill; }
    bool isFrozen() const { return m_freeze; }
    qreal repeatCount() const { return m_repeatCount; }

private:
    double m_from;
    double m_to;
    double m_totalRunningTime;
    QList<QColor> m_colors;
    QBrush m_oldBrush;
    QPen m_oldPen;
    bool m_fill = false;
    bool m_finished = false;
    bool m_freeze = false;
    qreal m_repeatCount = 1;
    bool m_replaced = false; // this apply changed the brush or pen
};

} // namespace orbsvg
