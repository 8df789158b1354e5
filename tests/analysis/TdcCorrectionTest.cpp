#include "analysis/TdcCorrection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "analysis/CurveShift.h"

namespace zephirax {
namespace {

// Cylinder c's curve is the same smooth combustion bump, its peak `offsets[c]`
// samples after TDC; the best alignment with cylinder r is therefore a shift
// by offsets[r] - offsets[c] samples.
std::unique_ptr<MeasurementData> Bumps(const std::vector<int>& offsets) {
  auto d = std::make_unique<MeasurementData>();
  d->CylCount = static_cast<int32_t>(offsets.size()) - 1;
  d->HasMipBlock = true;
  d->Bore = 500;
  d->Stroke = 2000;
  d->ConRod = 4000;
  d->StrokeCycle = 2;
  for (int c = 1; c <= d->CylCount; ++c) {
    d->CylRpm[c] = 100;
    for (int s = 1; s <= SamplesPerCurve; ++s) {
      const double x = (s - 721 - offsets[static_cast<size_t>(c)]) / 120.0;
      d->PressureCurve[c][s] = static_cast<float>(2 + 100 * std::exp(-x * x));
    }
  }
  return d;
}

ViewState TdcView(int view, int refCylinder, int currentCylinder) {
  ViewState v;
  StartTdcMode(v, view);
  v.RefCylinder = refCylinder;
  v.CurrentCylinder = currentCylinder;
  return v;
}

TEST(TdcCorrection, ReferenceShiftHasADeadZoneAndWholeSteps) {
  struct Case {
    float DevFromTdc;  // quarter degrees
    int Steps;
  } cases[] = {{0, 0},      {0.5f, 0},  {-0.5f, 0},   {0.504f, -1}, {1.0f, -1},    {1.04f, -2},
               {-1.04f, 2}, {-8.0f, 8}, {10.0f, -10}, {NAN, 0},     {INFINITY, 0}, {1e9f, -1440}};
  for (const Case& c : cases) {
    EXPECT_EQ(ReferenceShiftSteps(c.DevFromTdc), c.Steps) << c.DevFromTdc;
  }
}

TEST(TdcCorrection, MarkerStopsAtItsLimits) {
  TdcModeState tdc;
  EXPECT_TRUE(MoveMarker(tdc, -1, 0));
  EXPECT_EQ(tdc.MarkerOffset, -6);
  tdc.MarkerOffset = -200;
  tdc.MarkerSlope = 120;
  EXPECT_FALSE(MoveMarker(tdc, -1, 1));
  EXPECT_EQ(tdc.MarkerOffset, -200);
  EXPECT_EQ(tdc.MarkerSlope, 120);
  tdc.MarkerOffset = 1040;
  tdc.MarkerSlope = -120;
  EXPECT_FALSE(MoveMarker(tdc, 1, -1));
  EXPECT_TRUE(MoveMarker(tdc, -1, 1));
  EXPECT_EQ(tdc.MarkerOffset, 1039);
  EXPECT_EQ(tdc.MarkerSlope, -119);
}

// The manual view aligns the current cylinder only; one already in place ends
// where it began after its left, two rights and a left.
TEST(TdcCorrection, AlignsOneCylinderByStrictDescent) {
  struct Case {
    int Offset;   // of cylinder 2 against cylinder 1, in samples
    float Shift;  // its TdcShift afterwards [deg]
    int Redraws;
  } cases[] = {{0, 0, 3}, {8, -2.0f, 10}, {-3, 0.75f, 6}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Offset);
    auto d = Bumps({0, 0, c.Offset, 0});
    const auto untouched = std::make_unique<MeasurementData>(*d);
    ViewState view = TdcView(ViewTdcManual, 1, 2);
    int redraws = 0;
    AutoTdcCorrect(*d, view, 99.0f, [&] { ++redraws; });
    EXPECT_FLOAT_EQ(d->TdcShift[2], c.Shift);
    EXPECT_EQ(redraws, c.Redraws);
    EXPECT_NEAR(view.Tdc.CompressionMismatch, 0, 1e-6);
    EXPECT_EQ(d->PressureCurve[1], untouched->PressureCurve[1]);  // the reference stays
    EXPECT_EQ(d->PressureCurve[3], untouched->PressureCurve[3]);
    EXPECT_FLOAT_EQ(view.Tdc.RefShift, 0);
    EXPECT_EQ(view.CurrentCylinder, 2);
  }
}

// The automatic view moves the reference cylinder to the marker's TDC first
// and then brings every other cylinder onto it.
TEST(TdcCorrection, AutomaticViewAlignsEveryCylinderWithTheMovedReference) {
  auto d = Bumps({0, 5, 0, -2, 9});
  ViewState view = TdcView(ViewTdcAuto, 2, 2);
  AutoTdcCorrect(*d, view, 4.0f, {});  // one degree: four steps to the left
  EXPECT_FLOAT_EQ(view.Tdc.RefShift, -1.0f);
  EXPECT_FLOAT_EQ(d->TdcShift[2], -1.0f);
  // The reference's peak now lies 4 samples before TDC.
  const float expected[] = {0, -2.25f, -1.0f, -0.5f, -3.25f};
  for (int c = 1; c <= 4; ++c) EXPECT_FLOAT_EQ(d->TdcShift[c], expected[c]) << c;
  EXPECT_EQ(view.CurrentCylinder, 2);
  EXPECT_EQ(view.RefCylinder, 2);
  // MIP and power follow the shifted curves, which are now the same curve.
  EXPECT_NE(d->CylMip[1], 0);
  for (int c = 2; c <= 4; ++c) {
    EXPECT_NEAR(d->CylMip[c], d->CylMip[1], 1e-3) << c;
    EXPECT_EQ(d->CylPind[c], d->CylPind[1]) << c;
  }
}

}  // namespace
}  // namespace zephirax
