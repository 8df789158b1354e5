#pragma once

#include <string>

// Numbers as the views and files write them: right-aligned in a field of
// `width` characters, widened when the number needs more room.

namespace zephirax {

// Fixed-point with `decimals` decimals ("%*.*f").
std::string FormatFixed(double value, int width, int decimals);
// A whole number ("%*d").
std::string FormatInt(long long value, int width);

}  // namespace zephirax
