#pragma once

#include <string>

// Figures as the views write them in the user's units. Each view has its own
// widths and decimals per pressure unit; the conversion is the same for all.

namespace zephirax {

// Field width and decimals of a pressure, per display unit.
struct PressureFormat {
  int BarWidth, BarDecimals;
  int MpaWidth, MpaDecimals;
  int PsiWidth, PsiDecimals;
};

// `bar` converted to `pressureUnit` (an unknown code counts as bar) and written
// with that unit's width and decimals.
std::string PressureText(double bar, int pressureUnit, const PressureFormat& format);

// A speed: idle speeds below 200 1/min keep one decimal (5 wide), running
// speeds are written whole (4 wide).
std::string RpmText(double rpm);

}  // namespace zephirax
