#pragma once

#include <algorithm>
#include <vector>

// Order statistics of the benchmarks' samples: the value at fraction p of the
// sorted samples (the upper one of the middle two for p = 0.5); 0 without
// samples.
inline double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    const size_t at = std::min(values.size() - 1, size_t(p * double(values.size())));
    std::nth_element(values.begin(), values.begin() + long(at), values.end());
    return values[at];
}

inline double median(std::vector<double> values)
{
    return percentile(std::move(values), 0.5);
}
