#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

// The `q` quantile (0..1) of `values`, linearly interpolated between the two
// nearest; 0 for none. Sorts `values` in place.
inline double quantile(std::vector<double>& values, double q)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const double position = q * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(position));
    const std::size_t above = std::min(below + 1, values.size() - 1);
    const double fraction = position - static_cast<double>(below);
    return values[below] + (values[above] - values[below]) * fraction;
}
