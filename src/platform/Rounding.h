#pragma once

#include <cmath>
#include <cstdint>

namespace zephirax {

// The processor's default rounding to a whole number: to nearest, halves to
// the even neighbour. Values beyond 32 bits are held at the limits and a value
// that is not a number gives 0, so no input makes the conversion undefined.
inline int32_t RoundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);
  if (rounded >= 2147483647.0) return INT32_MAX;
  if (rounded <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(rounded);
}

}  // namespace zephirax
