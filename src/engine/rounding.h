#pragma once
// The two rounding rules of the converter: sizes derived from a ratio round
// halves away from zero, percentage sizes round halves to even.

#include <cmath>
#include <cstdint>
#include <limits>

namespace plotvale::engine {

inline float roundHalfAwayFromZero(float value) {
    return value > 0.0f ? std::floor(value + 0.5f) : std::ceil(value - 0.5f);
}

inline double roundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) return below + 1.0;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

// Converts to int32, saturating instead of overflowing; NaN gives 0.
inline int32_t saturatingInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

}  // namespace plotvale::engine
