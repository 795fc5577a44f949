// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <limits>

namespace rb {

// Rounding to a whole number, halves to the even neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
// Not-a-number gives 0; values beyond the int range saturate at its ends, so a result is
// always defined.
inline int roundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    const double r = std::nearbyint(value);
    if (r <= lowest) {
        return std::numeric_limits<int>::min();
    }
    if (r >= highest) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(r);
}

// Rounding down to a whole number, with the same rules for NaN and out-of-range values.
inline int roundDown(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return roundHalfEven(std::floor(value));
}

} // namespace rb
