#include "measurement/PscavCorrection.h"

#include <algorithm>

#include "platform/Rounding.h"

namespace zephirax {

void ApplyPscavCorrection(MeasurementData& data, double newPscav) {
  const double oldPscav = data.Pscav;
  const int cylinders = std::clamp(data.CylCount, 0, MaxCylinders);
  const int strokes = std::clamp(data.StrokeCount, 0, MaxStrokes);
  double pmaxSum = 0;
  for (int c = 1; c <= cylinders; ++c) {
    for (int s = 1; s <= SamplesPerCurve; ++s) {
      float& p = data.PressureCurve[c][s];
      p = static_cast<float>(p - oldPscav + newPscav);
    }
    for (int32_t* pmax : {&data.PmaxMean[c], &data.PmaxHigh[c], &data.PmaxLow[c]}) {
      *pmax = RoundHalfEven(*pmax - oldPscav + newPscav);
    }
    for (int k = 1; k <= strokes; ++k) {
      data.StrokePmax[c][k] = RoundHalfEven(data.StrokePmax[c][k] - oldPscav + newPscav);
    }
    pmaxSum += data.PmaxMean[c];
  }
  if (cylinders > 0) data.EnginePmaxMean = static_cast<float>(pmaxSum / cylinders);
  data.Pscav = newPscav;
}

}  // namespace zephirax
