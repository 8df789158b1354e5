#include "analysis/TdcViews.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/RecordingCanvas.h"
#include "support/CanvasQuery.h"
#include "support/ViewFixture.h"

namespace zephirax {
namespace {

// 800 x 600 in bar: PlotLeft 30, PlotRight 770, TDC line at 400. With DpDaMax
// 10 a slope of 1 bar/deg is 20 pixels above the zero line at 300; cylinder 1
// rises 5 bar/deg, so its dp/da runs level at 200, the marker's lower end is
// at 425. The caller's reference is another file altogether.
test::ViewFixture MakeState() {
  test::ViewFixture state;
  MeasurementData& data = *state.Measurement;
  data.CylCount = 3;
  data.HasMipBlock = true;
  data.PressureAxisMax = 250;
  for (int k = 0; k < SamplesPerCurve; ++k) {
    data.PressureCurve[1][k + 1] = 1.25f * k;
    data.PressureCurve[2][k + 1] = 100.0f;
  }
  data.CylMip = {0, 18.5f, 17.0f, 16.0f};
  data.CylPind = {0, 1000, 900, 800};
  data.TdcShift = {0, -1.25f, 0.75f, 0};
  state.Reference->RefCylMip.fill(99);
  state.Reference->RefCurve.fill(7);
  state.Config.DpDaMax = 10;
  state.View.CursorPos = 800;
  return state;
}

// The marker meets the zero line 100/225 of the way down to its lower end,
// whose distance is slope / 2 degrees: the deviation is offset - slope x 8/9,
// zoomed or not. It is drawn only within the plot enlarged by a pixel.
TEST(TdcViews, MarkerDeviationAndClipping) {
  const std::tuple<bool, int, int, size_t, int> cases[] = {{false, 0, 24, 2, 406},
                                                           {true, 0, 24, 2, 422},
                                                           {false, 700, 120, 2, 771},
                                                           {false, 1040, 120, 0, 0}};
  for (const auto& [zoom, offset, slope, segments, lastX] : cases) {
    SCOPED_TRACE(offset);
    test::ViewFixture state = MakeState();
    state.View.ZoomOn = zoom;
    state.View.Tdc.MarkerOffset = offset;
    state.View.Tdc.MarkerSlope = slope;
    RecordingCanvas canvas;
    ShowTdcAuto(state, canvas);
    EXPECT_NEAR(state.Drawing.DevFromTdc, offset - slope * 8 / 9.0, 1e-3);
    const std::vector<Segment> marker = Segments(canvas, Colors::Red);
    ASSERT_EQ(marker.size(), segments);
    if (segments == 0) continue;
    EXPECT_EQ(std::tie(marker[0].Y1, marker[0].Y2), std::make_tuple(425, 200));
    EXPECT_EQ(marker[1].X2, lastX);
    // dp/da is shown although the caller has it off, and stays off.
    EXPECT_EQ(Segments(canvas, Colors::Blue).front().Y2, 200);
    EXPECT_FALSE(state.View.DpDaOn);
  }
}

TEST(TdcViews, PsiAxisStartsAt1500) {
  const std::tuple<int, float, float> cases[] = {{UnitPsi, 50, 1500},
                                                 {UnitPsi, 100, 1500},
                                                 {UnitPsi, 150, 2500},
                                                 {UnitPsi, 250, 4000},
                                                 {UnitMPa, 150, 150}};
  for (const auto& [unit, bar, expected] : cases) {
    test::ViewFixture state = MakeState();
    state.Config.PressureUnit = unit;
    state.Measurement->PressureAxisMax = bar;
    RecordingCanvas canvas;
    ShowTdcManual(state, canvas);
    EXPECT_EQ(state.Drawing.AxisMax, expected) << bar << " unit " << unit;
  }
}

// The reference is cylinder 1 of the measurement, not the caller's (MIP 99).
TEST(TdcViews, TdcBoxPerUnit) {
  struct Case {
    int pressure, power;
    NumberFormat regional;
    std::string mip, pind, shift, dev;
  } cases[] = {
      {UnitBar, UnitKW, {".", ","}, "MIP : 18.5  bar", "Pind: 1000  kW", "shift : -1.2", "-1.5"},
      {UnitPsi, UnitHp, {",", "."}, "MIP : 269  psi", "Pind: 1360  hp", "shift : -1,2", "-1,5"},
      {UnitMPa, UnitKW, {".", ","}, "MIP : 1.85  MPa", "Pind: 1000  kW", "shift : -1.2", "-1.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mip);
    test::ViewFixture state = MakeState();
    state.Config.PressureUnit = c.pressure;
    state.Config.PowerUnit = c.power;
    state.Regional = c.regional;
    state.View.Tdc.MarkerOffset = -6;  // upright: 1.5 degrees before TDC
    RecordingCanvas canvas;
    ShowTdcAuto(state, canvas);
    const int x = state.Drawing.PlotRight - 100;
    EXPECT_EQ(TextOr(canvas, x, 60), "RefCyl: 1");
    EXPECT_EQ(TextOr(canvas, x, 80), c.mip);
    EXPECT_EQ(TextOr(canvas, x, 100), c.pind);
    EXPECT_EQ(TextOr(canvas, x, 130), c.shift);
    EXPECT_EQ(TextColourAt(canvas, x, 160), Colors::Red);
    EXPECT_EQ(TextOr(canvas, x + 20, 180), c.dev);
  }
}

TEST(TdcViews, ManualTableShowsTheShiftsOfTheOwnReference) {
  const std::tuple<int, std::string, std::string> cases[] = {{French,
                                                              "d\xC3\xA9"
                                                              "cal:",
                                                              "[deg]"},
                                                             {Spanish, "shift:", "[grados]"}};
  for (const auto& [language, caption, unit] : cases) {
    test::ViewFixture state = MakeState();
    state.Config.Language = language;
    state.View.RefCylinder = 2;
    RecordingCanvas canvas;
    ShowTdcManual(state, canvas);
    EXPECT_EQ(state.View.CurrentView, ViewTdcManual);
    EXPECT_EQ(TextOr(canvas, 45, 140), caption);
    EXPECT_EQ(TextOr(canvas, 100, 140), "-1.2");
    EXPECT_EQ(TextOr(canvas, 140, 140), " 0.8");
    EXPECT_EQ(TextOr(canvas, 180, 140), unit);
    EXPECT_EQ(TextOr(canvas, 140, 120), "17.0");  // the reference's MIP
    bool referenceCurve = false;                  // cylinder 2, flat at 100 bar
    for (const Segment& s : Segments(canvas, Colors::Blue)) referenceCurve |= s.Y2 == 350;
    EXPECT_TRUE(referenceCurve);
  }
}

TEST(TdcViews, WithoutCrankAngleLayoutOrCylindersOnlyTheFrame) {
  for (const bool coarse : {true, false}) {
    test::ViewFixture state = MakeState();
    if (coarse) {
      state.Measurement->HasMipBlock = false;
    } else {
      state.Measurement->CylCount = 0;
    }
    state.Drawing.DevFromTdc = 99;
    RecordingCanvas canvas;
    ShowTdcAuto(state, canvas);
    EXPECT_TRUE(Segments(canvas, Colors::Green).empty());
    EXPECT_EQ(FindText(canvas, "Dev from TDC :"), nullptr);
    EXPECT_EQ(state.Drawing.DevFromTdc, 0);
  }
}

}  // namespace
}  // namespace zephirax
