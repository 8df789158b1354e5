#pragma once

#include <array>

// The fixed scale tables of the p/alpha diagram: which ticks, grid lines and
// labels the pressure axis gets for a unit and axis maximum, and the labels of
// the fuel-pressure axis on the right. Lists end at the first 0.

namespace zephirax {

struct PressureScale {
  int Unit;      // 0 bar, 1 MPa, 2 psi
  int Maximum;   // in bar for bar and MPa, in psi for psi
  int TickStep;  // same unit as Maximum
  std::array<int, 10> Grid;
  std::array<int, 10> Labels;
  int LabelDivisor;    // MPa writes the bar value divided by 10
  bool BlackZeroLine;  // the 50 bar scale also draws its zero line, in black
};

// The row for `unit` and `maximum`, or nullptr when that pair has no scale.
const PressureScale* FindPressureScale(int unit, float maximum);

struct FuelScale {
  int BarMaximum;
  std::array<int, 5> BarLabels;
  int PsiMaximum;
  std::array<int, 5> PsiLabels;
};

// The row for a fuel axis maximum in bar, or nullptr when there is none.
const FuelScale* FindFuelScale(float extraAxisMax);

}  // namespace zephirax
