#include "analysis/PAlphaPlot.h"

namespace zephirax {

float PAlphaAxisMax(const MeasurementData& data, int) { return data.PressureAxisMax; }
void MakeWorkingCurve(const Curve& stored, bool, WorkCurve& work) {
  for (int k = 0; k < SamplesPerCurve; ++k) work[k] = stored[k + 1];
}
void DrawPAlphaFrame(AppState&, Canvas&, float) {}
void DrawPAlphaCurve(AppState&, Canvas&, int, Color) {}

}  // namespace zephirax
