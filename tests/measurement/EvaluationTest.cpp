#include "measurement/Evaluation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "measurement/Units.h"

namespace zephirax {
namespace {

std::unique_ptr<MeasurementData> OneCylinder(bool hasMipBlock = true) {
  auto d = std::make_unique<MeasurementData>();
  d->CylCount = 1;
  d->HasMipBlock = hasMipBlock;
  return d;
}

TEST(PeakPreservingSmooth, LeavesWhatItMustNotChange) {
  Curve source{}, dest{};
  // A curve that never exceeds 0.1 passes unchanged, however rough.
  for (int k = 1; k <= SamplesPerCurve; ++k) source[k] = (k % 2) * 0.1f;
  PeakPreservingSmooth(source, dest, SamplesPerCurve);
  EXPECT_EQ(source, dest);

  // A constant curve passes unchanged: the weights always add up to 1.
  source.fill(37.5f);
  dest.fill(0);
  PeakPreservingSmooth(source, dest, SamplesPerCurve);
  for (int k = 1; k <= SamplesPerCurve; ++k) ASSERT_FLOAT_EQ(dest[k], 37.5f) << k;

  // The first two and last two samples are copied; samples after n are not touched.
  for (int n : {SamplesPerCurve, CoarseSamples}) {
    for (int k = 1; k <= SamplesPerCurve; ++k) source[k] = static_cast<float>((k * 7919) % 101);
    dest.fill(-1);
    PeakPreservingSmooth(source, dest, n);
    for (int k : {1, 2, n - 1, n}) EXPECT_EQ(dest[k], source[k]) << n << " " << k;
    EXPECT_NE(dest[3], source[3]);
    if (n < SamplesPerCurve) {
      EXPECT_EQ(dest[n + 1], -1);
    }
  }
}

TEST(PeakPreservingSmooth, WeighsThePeakMoreThanTheFoot) {
  // At the peak the weights are 0.1, 0.1, 0.6, 0.1, 0.1; at height 0 a plain mean.
  EXPECT_FLOAT_EQ(SmoothWeight(0, 0, 100, 0, 0, 100), 60.0f);
  EXPECT_FLOAT_EQ(SmoothWeight(10, 20, 0, 30, 40, 100), 20.0f);
  EXPECT_FLOAT_EQ(SmoothWeight(1, 2, 50, 3, 4, 100), 0.15f * 10 + 0.4f * 50);
  EXPECT_FLOAT_EQ(SmoothWeight(1, 2, 0.05f, 3, 4, 0.1f), 0.05f);
}

TEST(CylinderValues, ReadsTheCurveAtItsFixedSamples) {
  auto d = OneCylinder();
  Curve& p = d->PressureCurve[1];
  for (int s = 1; s <= SamplesPerCurve; ++s) p[s] = static_cast<float>(s) / 100;
  p[761] = 150;
  CylinderResult v = CylinderValues(*d, 1);
  EXPECT_FLOAT_EQ(v.pmax, 150);
  EXPECT_FLOAT_EQ(v.apmax, 10.0f);
  EXPECT_FLOAT_EQ(v.pTDC, 7.21f);
  EXPECT_FLOAT_EQ(v.pexp, 8.65f);

  p[717] = 150;  // equal maxima: the earlier one counts
  EXPECT_FLOAT_EQ(CylinderValues(*d, 1).apmax, -1.0f);
  p[717] = p[761] = 1;
  p[721] = 150;
  EXPECT_FLOAT_EQ(CylinderValues(*d, 1).apmax, 0.0f);

  // The old layout searches only its 180 samples.
  auto coarse = OneCylinder(false);
  coarse->PressureCurve[1][90] = 60;
  coarse->PressureCurve[1][500] = 99;
  EXPECT_FLOAT_EQ(CylinderValues(*coarse, 1).pmax, 60);

  // A curve that never rises above 0 has pmax 0, placed at TDC.
  auto flat = OneCylinder();
  flat->PressureCurve[1].fill(-1);
  EXPECT_FLOAT_EQ(CylinderValues(*flat, 1).pmax, 0);
  EXPECT_FLOAT_EQ(CylinderValues(*flat, 1).apmax, 0);

  // Out-of-range cylinder numbers read nothing.
  EXPECT_FLOAT_EQ(CylinderValues(*d, 2).pmax, 0);
  EXPECT_FLOAT_EQ(CylinderValues(*d, 0).pmax, 0);
}

TEST(IntegrateMip, IntegratesPressureOverVolume) {
  auto d = OneCylinder();
  d->Bore = 500;
  Curve& p = d->PressureCurve[1];
  p.fill(12.5f);
  EXPECT_NEAR(IntegrateMip(*d, 1, 2000, 2000), 0, 1e-4);  // no work without a cycle

  // 1 bar during the expansion stroke only: the work is one swept volume, so MIP is 1.
  for (int s = 1; s <= SamplesPerCurve; ++s) p[s] = s > TdcSample ? 1.0f : 0.0f;
  EXPECT_NEAR(IntegrateMip(*d, 1, 2000, 2000), 1.0, 0.01);
  // Only ratios matter: the same engine in other units gives the same MIP.
  const float mm = IntegrateMip(*d, 1, 2000, 2000);
  d->Bore = 50;
  EXPECT_NEAR(IntegrateMip(*d, 1, 200, 200), mm, 1e-4);

  // A degenerate geometry gives 0 instead of a division by zero.
  EXPECT_EQ(IntegrateMip(*d, 1, 0, 2000), 0);
  EXPECT_EQ(IntegrateMip(*d, 1, 2000, 0), 0);
  d->Bore = 0;
  EXPECT_EQ(IntegrateMip(*d, 1, 2000, 2000), 0);
}

// The volumes are worked out once per engine geometry: each change of bore,
// stroke or rod must be seen, and coming back gives the same figure again.
TEST(IntegrateMip, FollowsEachChangeOfEngine) {
  auto d = OneCylinder();
  d->Bore = 500;
  Curve& p = d->PressureCurve[1];
  for (int s = 1; s <= SamplesPerCurve; ++s) p[s] = s > TdcSample ? 1.0f + 0.001f * s : 0.0f;
  const float first = IntegrateMip(*d, 1, 2000, 2000);
  EXPECT_NE(IntegrateMip(*d, 1, 2000, 1000), first);  // the rod changes the volume curve
  EXPECT_NE(IntegrateMip(*d, 1, 1000, 2000), first);  // so does the stroke against the rod
  d->Bore = 250;
  EXPECT_NEAR(IntegrateMip(*d, 1, 2000, 2000), first, 1e-5);  // the bore scales work and volume
  d->Bore = 500;
  EXPECT_EQ(IntegrateMip(*d, 1, 2000, 2000), first);
}

TEST(IndicatedPower, FollowsTheEngineFormula) {
  // 2 x 0.833 x 18 bar x 100/min x 0.785375 x 0.5^2 x 2000 / 1000
  EXPECT_NEAR(IndicatedPower(2, 100, 18, 500, 2000), 1177.596, 0.01);
  EXPECT_FLOAT_EQ(IndicatedPower(4, 100, 18, 500, 2000), IndicatedPower(2, 100, 18, 500, 2000) / 2);
  EXPECT_FLOAT_EQ(IndicatedPower(2, 200, 18, 500, 2000), 2 * IndicatedPower(2, 100, 18, 500, 2000));
}

TEST(PistonTravel, UsesTheSecondOrderCrankRelation) {
  EXPECT_NEAR(PistonTravel(0, 100, 400), 0, 1e-6);
  EXPECT_NEAR(PistonTravel(180, 100, 400), 200, 1e-3);
  EXPECT_NEAR(PistonTravel(90, 100, 400), 100 + 100.0 * 100 / 800, 0.01);
  // A connecting rod below 0.1 counts as 0.1.
  EXPECT_FLOAT_EQ(PistonTravel(90, 1, 0), PistonTravel(90, 1, 0.1f));
  EXPECT_TRUE(std::isfinite(PistonTravel(90, 1, -5)));
}

TEST(Deviations, BetweenCylinders) {
  MeasurementData d;
  d.CylCount = 4;
  d.PmaxMean = {0, 100, 110, 90, 100};
  d.CylMip = {0, 20, 22, 18, 20};
  EXPECT_FLOAT_EQ(PmaxMeanOfCylinders(d), 100);
  EXPECT_FLOAT_EQ(PmaxDeviationPercent(d, 2), 10);
  EXPECT_FLOAT_EQ(MipDeviationPercent(d, 3), -10);

  // A mean pmax of 0 is raised to 0.1: every cylinder then deviates by -100 %.
  d.PmaxMean.fill(0);
  EXPECT_FLOAT_EQ(PmaxDeviationPercent(d, 1), -100);
  // No MIP values at all (a file without MIP item) gives no deviation, not NaN.
  d.CylMip.fill(0);
  EXPECT_FLOAT_EQ(MipDeviationPercent(d, 1), 0);
}

TEST(Units, ConvertOnlyForDisplay) {
  EXPECT_DOUBLE_EQ(PressureToDisplay(100, UnitBar), 100);
  EXPECT_DOUBLE_EQ(PressureToDisplay(100, UnitMPa), 10);
  EXPECT_DOUBLE_EQ(PressureToDisplay(100, UnitPsi), 1452.5);
  EXPECT_DOUBLE_EQ(PowerToDisplay(1000, UnitHp), 1359.6);
  EXPECT_DOUBLE_EQ(PowerToDisplayAddData(1000, UnitHp), 1341.02);
  EXPECT_DOUBLE_EQ(TempToDisplay(100, UnitDegF), 212);
  EXPECT_DOUBLE_EQ(LengthToDisplay(254, UnitInch), 10);
  EXPECT_STREQ(PressureUnitName(UnitMPa), "MPa");
}

}  // namespace
}  // namespace zephirax
