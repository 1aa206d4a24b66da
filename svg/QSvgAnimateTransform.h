#pragma once

#include "QSvgAnimationTiming.h"
#include "QSvgStyleProperty.h"

#include <QtCore/QVector>
#include <QtGui/QTransform>

namespace orbsvg {

// "animateTransform": a transform interpolated over the document clock.
class QSvgAnimateTransform : public QSvgStyleProperty
{
public:
    enum TransformType { Empty = 0, Translate, Scale, Rotate, SkewX, SkewY };
    enum Additive { Sum = 0, Replace };

    // from and to in milliseconds of the document clock.
    QSvgAnimateTransform(int from, int to, int by);

    void apply(QPainter *p, const QSvgNode *node, QSvgDrawState &state) override;
    void revert(QPainter *p, QSvgDrawState &state) override;
    Type type() const override { return AnimateTransform; }

    // Value triples; their count is args.size() / 3.
    void setArgs(TransformType type, Additive additive, const QVector<qreal> &args);
    void setFreeze(bool freeze) { m_timing.setFreeze(freeze); }
    void setRepeatCount(qreal count) { m_timing.setRepeatCount(count); }

    TransformType transformType() const { return m_type; }
    Additive additiveType() const { return m_additive; }
    QVector<qreal> args() const { return m_args; }
    bool isFrozen() const { return m_timing.isFrozen(); }
    qreal repeatCount() const { return m_timing.repeatCount(); }
    double from() const { return m_timing.from(); }
    double to() const { return m_timing.to(); }

    // Whether the animation takes part at document time t (ms).
    bool isActive(double t) const { return m_timing.isActive(t); }
    // The transform at document time t; outside its window the last one computed.
    QTransform transformAt(double t);
    bool transformApplied() const { return m_transformApplied; }
    void clearTransformApplied() { m_transformApplied = false; }

private:
    QSvgAnimationTiming m_timing;
    TransformType m_type = Empty;
    Additive m_additive = Replace;
    QVector<qreal> m_args;
    int m_count = 0;
    QTransform m_transform;
    QTransform m_oldWorldTransform;
    bool m_transformApplied = false;
};

} // namespace orbsvg
