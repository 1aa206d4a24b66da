#pragma once

#include <QtCore/QtGlobal>

#include <optional>

namespace orbsvg {

// When an animation runs on the document clock and how far it has got: the
// timing animateTransform and animateColor share.
class QSvgAnimationTiming
{
public:
    // from and to in milliseconds of the document clock.
    QSvgAnimationTiming(double from, double to);

    void setFreeze(bool freeze) { m_freeze = freeze; }
    bool isFrozen() const { return m_freeze; }
    // A negative count repeats without end.
    void setRepeatCount(qreal count) { m_repeatCount = count; }
    qreal repeatCount() const { return m_repeatCount; }
    double from() const { return m_from; }
    double to() const { return m_to; }

    // Whether the animation takes part at time t.
    bool isActive(double t) const;
    // The progress at time t (repeats folded back into [0, 1]), or none before
    // the start and once finished; the end of the last repeat finishes it.
    std::optional<double> progressAt(double t);

private:
    double m_from;
    double m_to;
    double m_totalRunningTime;
    qreal m_repeatCount = 1;
    bool m_freeze = false;
    bool m_finished = false;
};

} // namespace orbsvg
