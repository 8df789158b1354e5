#include "analysis/CurveShift.h"

#include <algorithm>

#include "measurement/Evaluation.h"
#include "platform/Rounding.h"

namespace zephirax {

namespace {

bool Valid(const MeasurementData& data, int cylinder) {
  return cylinder >= 1 && cylinder <= std::min(data.CylCount, MaxCylinders);
}

void AfterShift(MeasurementData& data, TdcModeState& state, int c, int ref) {
  data.CylMip[c] =
      IntegrateMip(data, c, static_cast<float>(data.Stroke), static_cast<float>(data.ConRod));
  state.CompressionMismatch = CompressionMismatchOf(data, c, ref);
  data.CylPind[c] =
      RoundHalfEven(IndicatedPower(data.StrokeCycle, data.CylRpm[c], data.CylMip[c],
                                   static_cast<float>(data.Bore), static_cast<float>(data.Stroke)));
}

void Shift(MeasurementData& data, TdcModeState& state, int c, int ref, int direction) {
  if (!Valid(data, c)) return;
  const float step = 0.25f * static_cast<float>(direction);
  data.TdcShift[c] += step;
  if (c == ref) state.RefShift += step;
  auto move = [direction](Curve& curve) {
    if (direction < 0) {
      std::copy(curve.begin() + 2, curve.end(), curve.begin() + 1);
    } else {
      std::copy_backward(curve.begin() + 1, curve.end() - 1, curve.end());
    }
  };
  move(data.PressureCurve[c]);
  if (data.HasExtraChannel) move(data.ExtraCurve[c]);
  AfterShift(data, state, c, ref);
}

}  // namespace

double CompressionMismatchOf(const MeasurementData& data, int cylinder, int refCylinder) {
  if (!Valid(data, cylinder) || !Valid(data, refCylinder)) return 0;
  double sum = 0;
  for (int s = 480; s <= 640; ++s) {
    const double d =
        static_cast<double>(data.PressureCurve[cylinder][s]) - data.PressureCurve[refCylinder][s];
    sum += d * d;
  }
  return sum;
}

void ShiftCurveLeft(MeasurementData& data, TdcModeState& state, int cylinder, int refCylinder) {
  Shift(data, state, cylinder, refCylinder, -1);
}

void ShiftCurveRight(MeasurementData& data, TdcModeState& state, int cylinder, int refCylinder) {
  Shift(data, state, cylinder, refCylinder, +1);
}

}  // namespace zephirax
