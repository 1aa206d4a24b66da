#include "orbPathHash.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {
// Truncates toward zero into 32 bits; coordinates beyond that range saturate
// instead of overflowing.
std::int32_t truncated(qreal value)
{
    if (!(value == value))
        return 0;
    constexpr qreal lowest = std::numeric_limits<std::int32_t>::min();
    constexpr qreal highest = std::numeric_limits<std::int32_t>::max();
    return std::int32_t(value < lowest ? lowest : value > highest ? highest : value);
}
} // namespace

uint pathHash(const QPainterPath &path, uint seed)
{
    std::uint32_t h = 0;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const std::uint32_t a = std::uint32_t(truncated(e.x * -1000.0));
        const std::uint32_t b = std::uint32_t(truncated(e.y * -1000.0));
        h += ((6534u - a) * 6534u - b) * 6534u + std::uint32_t(e.type);
    }
    return h ^ seed;
}
