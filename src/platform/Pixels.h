#pragma once

#include <algorithm>

#include "platform/Rounding.h"

// Pixel positions from computed values. A corrupt file or a wild spike can put
// a value far off the picture; positions are held within this range so that no
// int arithmetic on them (here or in the paint engine) can overflow. A line
// leaving the picture by a million pixels looks the same as one leaving it by
// more.

namespace zephirax {

inline constexpr long long PixelLimit = 1 << 20;

inline int Pixel(long long value) {
  return static_cast<int>(std::clamp(value, -PixelLimit, PixelLimit));
}

// A computed position rounded to the nearest pixel, halves to even.
inline int PixelRound(double value) {
  return Pixel(RoundHalfEven(value));
}

// `base` minus / plus the rounded offset, as the y and x positions of a plot.
inline int Above(int base, double offset) {
  return Pixel(static_cast<long long>(base) - RoundHalfEven(offset));
}
inline int RightOf(int base, double offset) {
  return Pixel(static_cast<long long>(base) + RoundHalfEven(offset));
}

}  // namespace zephirax
