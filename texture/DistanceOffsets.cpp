#include "DistanceField.h"

#include <algorithm>

namespace orbsdf {

namespace {

constexpr int Reach = 128; // exclusive bound of the offset distance

std::vector<DistanceOffset> buildOffsets()
{
    struct Candidate
    {
        int squared;
        int dx;
        int dy;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(51429);
    for (int dy = 1 - Reach; dy < Reach; ++dy) {
        for (int dx = 1 - Reach; dx < Reach; ++dx) {
            const int squared = dx * dx + dy * dy;
            if (squared < Reach * Reach)
                candidates.push_back({squared, dx, dy});
        }
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        if (a.squared != b.squared)
            return a.squared < b.squared;
        if (a.dy != b.dy)
            return a.dy < b.dy;
        return a.dx < b.dx;
    });

    std::vector<DistanceOffset> offsets;
    offsets.reserve(candidates.size());
    int d = 0; // floor(sqrt(squared)), advanced as the sorted squares grow
    for (const Candidate &c : candidates) {
        while ((d + 1) * (d + 1) <= c.squared)
            ++d;
        offsets.push_back({std::int16_t(c.dx), std::int16_t(c.dy), std::int16_t(d)});
    }
    return offsets;
}

} // namespace

const std::vector<DistanceOffset> &distanceOffsets()
{
    static const std::vector<DistanceOffset> table = buildOffsets();
    return table;
}

int offsetCount(int searchLevel)
{
    // The shorter reaches stop one entry before the last offset of distance
    // 16, 32 and 64, so that offset itself is never visited.
    switch (searchLevel) {
    case 0:
        return 888;
    case 1:
        return 3404;
    case 2:
        return 13236;
    default:
        return 51429;
    }
}

} // namespace orbsdf
