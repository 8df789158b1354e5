#pragma once

#include "charts/ChartFrame.h"

// The value axes of the cylinder bar charts other than pmax: the stepped
// maximum each chart picks from its largest value, and the ticks and labels
// that go with it. Every ladder is in the unit the chart's bars are scaled in.

namespace zephirax {

// MIP: the maximum is the first of 5, 10, 15, 20, 25 bar not below the
// largest MIP, else 30. Bar and MPa axes are scaled in bar (MPa labels read
// bar / 10 with one decimal); the psi axis runs to 15 psi per bar of that
// maximum.
AxisLadder MipLadder(int pressureUnit, double largestMipBar);

// Pind in kW or hp (the largest Pind converted first). A maximum without
// ticks and labels of its own (4500 hp) gives a bare axis.
AxisLadder PindLadder(int powerUnit, double largestPindKW);

// Speed in 1/min.
AxisLadder RpmLadder(double largestRpm);

// Exhaust-gas temperature in the display unit (deg C or deg F).
AxisLadder TexhLadder(double largestDisplayTexh);

}  // namespace zephirax
