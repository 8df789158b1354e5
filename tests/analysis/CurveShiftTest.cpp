#include "analysis/CurveShift.h"

#include <gtest/gtest.h>

#include <cmath>

#include "measurement/Evaluation.h"

namespace zephirax {
namespace {

MeasurementData TwoCylinders() {
  MeasurementData d;
  d.CylCount = 2;
  d.Bore = 500;
  d.Stroke = 2000;
  d.ConRod = 2000;
  d.StrokeCycle = 2;
  d.CylRpm = {0, 100, 100};
  d.HasExtraChannel = true;
  for (int s = 1; s <= SamplesPerCurve; ++s) {
    const float bump = s >= 600 && s <= 760 ? static_cast<float>(760 - s) : 0.0f;
    d.PressureCurve[1][s] = d.PressureCurve[2][s] = 2.0f + bump;
    d.ExtraCurve[2][s] = static_cast<float>(s);
  }
  return d;
}

TEST(CurveShift, MovesTheCurvesAndKeepsTheEnds) {
  MeasurementData d = TwoCylinders();
  TdcModeState state;
  ShiftCurveLeft(d, state, 2, 1);
  EXPECT_FLOAT_EQ(d.TdcShift[2], -0.25f);
  EXPECT_FLOAT_EQ(d.ExtraCurve[2][1], 2);
  EXPECT_FLOAT_EQ(d.ExtraCurve[2][1439], 1440);
  EXPECT_FLOAT_EQ(d.ExtraCurve[2][1440], 1440);  // the last value keeps its content
  ShiftCurveRight(d, state, 2, 1);
  ShiftCurveRight(d, state, 2, 1);
  EXPECT_FLOAT_EQ(d.TdcShift[2], 0.25f);
  EXPECT_FLOAT_EQ(d.ExtraCurve[2][1], 2);  // the first value keeps its content
  EXPECT_FLOAT_EQ(d.ExtraCurve[2][3], 2);
  EXPECT_FLOAT_EQ(d.ExtraCurve[2][1440], 1439);
  EXPECT_FLOAT_EQ(state.RefShift, 0);  // cylinder 2 is not the reference

  // Shifting the reference cylinder is counted in RefShift too.
  ShiftCurveLeft(d, state, 1, 1);
  EXPECT_FLOAT_EQ(state.RefShift, -0.25f);
  ShiftCurveLeft(d, state, 3, 1);  // no such cylinder: nothing happens
  EXPECT_FLOAT_EQ(d.TdcShift[3], 0);
}

TEST(CurveShift, RecomputesMipPowerAndMismatch) {
  MeasurementData d = TwoCylinders();
  TdcModeState state;
  EXPECT_EQ(CompressionMismatchOf(d, 2, 1), 0);
  ShiftCurveRight(d, state, 2, 1);
  // One sample later: the bump's 160 bar step at sample 600 now misses it,
  // and samples 601..640 of its slope differ by 1 each.
  EXPECT_DOUBLE_EQ(state.CompressionMismatch, 160.0 * 160 + 40);
  EXPECT_FLOAT_EQ(d.CylMip[2], IntegrateMip(d, 2, 2000, 2000));
  EXPECT_EQ(d.CylPind[2],
            static_cast<int32_t>(std::nearbyint(IndicatedPower(2, 100, d.CylMip[2], 500, 2000))));
  ShiftCurveLeft(d, state, 2, 1);
  EXPECT_DOUBLE_EQ(state.CompressionMismatch, 0);
}

}  // namespace
}  // namespace zephirax
