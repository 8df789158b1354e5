#include "analysis/CurveShift.h"

#include <algorithm>

#include "measurement/Evaluation.h"
#include "platform/Rounding.h"

namespace zephirax {

namespace {

bool Valid(const MeasurementData& data, int cylinder) {
  return cylinder >= 1 && cylinder <= std::min(data.CylCount, MaxCylinders);
}

void AfterShift(MeasurementData& data, TdcShiftState& state, int c) {
  data.CylMip[c] =
      IntegrateMip(data, c, static_cast<float>(data.Stroke), static_cast<float>(data.ConRod));
  state.CompressionMismatch = CompressionMismatchOf(data, c, state.RefCylinder);
  data.CylPind[c] =
      RoundHalfEven(IndicatedPower(data.StrokeCycle, data.CylRpm[c], data.CylMip[c],
                                   static_cast<float>(data.Bore), static_cast<float>(data.Stroke)));
}

void Shift(MeasurementData& data, TdcShiftState& state, int c, int direction) {
  if (!Valid(data, c)) return;
  const float step = 0.25f * static_cast<float>(direction);
  data.TdcShift[c] += step;
  if (c == state.RefCylinder) state.RefShift += step;
  auto move = [direction](Curve& curve) {
    if (direction < 0) {
      std::copy(curve.begin() + 2, curve.end(), curve.begin() + 1);
    } else {
      std::copy_backward(curve.begin() + 1, curve.end() - 1, curve.end());
    }
  };
  move(data.PressureCurve[c]);
  if (data.HasExtraChannel) move(data.ExtraCurve[c]);
  AfterShift(data, state, c);
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

void ShiftCurveLeft(MeasurementData& data, TdcShiftState& state, int cylinder) {
  Shift(data, state, cylinder, -1);
}

void ShiftCurveRight(MeasurementData& data, TdcShiftState& state, int cylinder) {
  Shift(data, state, cylinder, +1);
}

}  // namespace zephirax
