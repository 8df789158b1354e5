#pragma once

#include <string>

// Numbers in the user's regional format, as spreadsheets expect them.

namespace zephirax {

// The regional number format, as cp1252 bytes; the desktop layer takes it from
// the user's locale.
struct NumberFormat {
  std::string DecimalSeparator = ".";
  std::string GroupSeparator = ",";
};

// Fixed-point with `decimals`, the integer part in groups of three.
std::string FormatRegionalNumber(double value, int decimals, const NumberFormat& format);

}  // namespace zephirax
