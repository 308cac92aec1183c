#pragma once
// Every conversion of a computed value to an integer rounds to the nearest integer with
// halves to even. This is the one place that does it.
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/errors.h"

namespace solifa {

// Rounds half to even under the default rounding mode.
inline double roundHalfEven(double v) {
    return std::nearbyint(v);
}

// Rounds half to even into a 16-bit integer; a value outside its range is an overflow.
inline int16_t roundToInt16(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= std::numeric_limits<int16_t>::min() && r <= std::numeric_limits<int16_t>::max()))
        throw ComputationError("16-bit overflow");
    return static_cast<int16_t>(r);
}

// Rounds half to even into a 32-bit integer (the point buffer of the painter).
inline int32_t roundToInt32(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max()))
        throw ComputationError("32-bit overflow");
    return static_cast<int32_t>(r);
}

} // namespace solifa
