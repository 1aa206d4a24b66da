#include "QSvgAnimationTiming.h"

#include <cmath>

namespace orbsvg {

QSvgAnimationTiming::QSvgAnimationTiming(double from, double to)
    : m_from(from)
    , m_to(to)
    , m_totalRunningTime(to - from)
{
}

bool QSvgAnimationTiming::isActive(double t) const
{
    if (t < m_from)
        return false;
    return m_freeze || m_repeatCount < 0 || m_totalRunningTime == 0
        || (t - m_from) / m_totalRunningTime <= m_repeatCount;
}

std::optional<double> QSvgAnimationTiming::progressAt(double t)
{
    if (t < m_from || m_finished)
        return std::nullopt;
    double progress = m_totalRunningTime == 0 ? 0 : (t - m_from) / m_totalRunningTime;
    if (m_repeatCount >= 0 && progress > m_repeatCount) {
        m_finished = true;
        progress = m_repeatCount;
    }
    if (progress > 1)
        progress -= std::floor(progress);
    return progress;
}

} // namespace orbsvg
