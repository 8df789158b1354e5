#pragma once

#include "measurement/MeasurementData.h"

// Moving one cylinder's curves against the crank angle by quarter degrees, to
// correct its TDC, with the values that follow from the shifted curve.

namespace zephirax {

struct TdcShiftState {
  int RefCylinder = 1;             // the cylinder the others are aligned with
  float RefShift = 0;              // total shift of the reference cylinder [deg]
  double CompressionMismatch = 0;  // of the last shifted cylinder against the reference
};

// Sum of the squared pressure differences between `cylinder` and
// `refCylinder` from 60 to 20 deg before TDC (samples 480..640).
double CompressionMismatchOf(const MeasurementData& data, int cylinder, int refCylinder);

// One sample towards the start (TdcShift - 0.25) or the end (+ 0.25); the
// sample at the far end keeps its value. The second curve moves along; MIP,
// indicated power and the mismatch are worked out again.
void ShiftCurveLeft(MeasurementData& data, TdcShiftState& state, int cylinder);
void ShiftCurveRight(MeasurementData& data, TdcShiftState& state, int cylinder);

}  // namespace zephirax
