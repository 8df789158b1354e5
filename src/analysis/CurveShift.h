#pragma once

#include "analysis/ViewState.h"
#include "measurement/MeasurementData.h"

// Moving one cylinder's curves against the crank angle by quarter degrees, to
// correct its TDC, with the values that follow from the shifted curve.

namespace zephirax {

// Sum of the squared pressure differences between `cylinder` and
// `refCylinder` from 60 to 20 deg before TDC (samples 480..640).
double CompressionMismatchOf(const MeasurementData& data, int cylinder, int refCylinder);

// One sample towards the start (TdcShift - 0.25) or the end (+ 0.25); the
// sample at the far end keeps its value. The second curve moves along; MIP,
// indicated power and the mismatch against `refCylinder` are worked out again.
// A shift of `refCylinder` itself counts in RefShift.
void ShiftCurveLeft(MeasurementData& data, TdcModeState& state, int cylinder, int refCylinder);
void ShiftCurveRight(MeasurementData& data, TdcModeState& state, int cylinder, int refCylinder);

}  // namespace zephirax
