#pragma once

#include "measurement/MeasurementData.h"

// The arithmetic that turns a measurement's curves and values into the numbers
// the views, printouts and export show. Nothing here is cached: callers
// recompute on every redraw.

namespace zephirax {

// One weighted sample of the smoothing filter: the centre weight grows with the
// sample's height relative to `peak`, so the pressure peak is flattened less
// than the low-pressure parts. The five weights always add up to 1.
float SmoothWeight(float m2, float m1, float p, float q1, float q2, float peak);

// Five-point peak-preserving filter from `source` into `dest` over the first
// `sampleCount` samples (1440, or 180 in the old layout); the first two and
// last two of them are copied, samples after them are left as they are.
void PeakPreservingSmooth(const Curve& source, Curve& dest, int sampleCount);

struct CylinderResult {
  float pTDC = 0;   // pressure at TDC [bar]
  float pmax = 0;   // curve maximum [bar]
  float apmax = 0;  // crank angle of the maximum [deg CA]
  float pexp = 0;   // expansion pressure 36 deg after TDC [bar]
};

// Values read off the pressure curve of `cylinder` (1..CylCount).
CylinderResult CylinderValues(const MeasurementData& data, int cylinder);

// Mean indicated pressure of the cylinder's current curve by trapezoidal
// integration of p over the cylinder volume [in the unit of the curve].
// A degenerate geometry (no swept volume, connecting rod 0) gives 0.
float IntegrateMip(const MeasurementData& data, int cylinder, float stroke, float conRod);

// Indicated power [kW] of one cylinder, unrounded; bore and stroke in mm.
float IndicatedPower(int strokeCycle, float rpm, float mip, float bore, float stroke);

// Piston travel from TDC for the p/V diagrams; a connecting rod below 0.1 counts as 0.1.
float PistonTravel(float angleDeg, float crankRadius, float conRod);

// (value - mean) / mean x 100; 0 when the mean is 0.
float DeviationPercent(float value, float mean);

// Mean of PmaxMean over the cylinders, raised to 0.1 so that deviations never divide by 0.
float PmaxMeanOfCylinders(const MeasurementData& data);
// Mean of CylMip over the cylinders.
float MipMeanOfCylinders(const MeasurementData& data);

float PmaxDeviationPercent(const MeasurementData& data, int cylinder);
float MipDeviationPercent(const MeasurementData& data, int cylinder);

}  // namespace zephirax
