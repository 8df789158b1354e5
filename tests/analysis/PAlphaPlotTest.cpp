#include "analysis/PAlphaPlot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "measurement/Units.h"
#include "platform/RecordingCanvas.h"
#include "support/CanvasQuery.h"
#include "support/ViewFixture.h"

namespace zephirax {
namespace {

// 800 x 600 in bar: PlotLeft 30, PlotRight 770, PlotTop 50, PlotBase 550,
// 740 / 360 pixels per degree. Cylinder 1 is a smooth peak, cylinder 2
// alternates between 40 and 60 bar.
test::ViewFixture MakeState(int unit = UnitBar, float axisMax = 250, bool fine = true) {
  test::ViewFixture state;
  MeasurementData& data = *state.Measurement;
  data.CylCount = 2;
  data.HasMipBlock = fine;
  data.PressureAxisMax = axisMax;
  for (int k = 0; k < SamplesPerCurve; ++k) {
    const double fromTdc = (k - 730) / 60.0;
    data.PressureCurve[1][k + 1] = static_cast<float>(20 + 100 * std::exp(-fromTdc * fromTdc));
    data.PressureCurve[2][k + 1] = k % 2 == 0 ? 40.0f : 60.0f;
  }
  state.Config.PressureUnit = unit;
  state.View.CurrentView = ViewPAlphaAll;
  state.Drawing.ControlWidth = 800;
  state.Drawing.ControlHeight = 600;
  return state;
}

TEST(PAlphaPlot, PsiAxisMaximumIsTheNextRoundFigure) {
  const std::tuple<float, int, float> cases[] = {
      {250, UnitMPa, 250}, {50, UnitPsi, 750}, {75, UnitPsi, 1500}, {250, UnitPsi, 4000}};
  for (const auto& [bar, unit, expected] : cases) {
    MeasurementData data;
    data.PressureAxisMax = bar;
    EXPECT_EQ(PAlphaAxisMax(data, unit), expected) << bar << " unit " << unit;
  }
}

TEST(PAlphaPlot, PressureScalePerUnitAndMaximum) {
  struct Case {
    int unit;
    float axisMax;
    std::vector<std::string> labels;  // at x = 0, top down
    int lastLabelY;
    std::vector<int> gridYs;  // silver lines from PlotLeft to PlotRight
    int ticks;
  } cases[] = {
      {UnitBar, 250, {"250", "200", "150", "100", "50"}, 440, {50, 150, 250, 350, 450}, 26},
      {UnitMPa, 200, {"20", "10"}, 290, {50, 175, 300, 425}, 21},  // grid every 50 bar
      {UnitPsi, 4000, {"4000", "3000", "2000", "1000"}, 415, {50, 175, 300, 425}, 21},
      {UnitMPa, 75, {}, 0, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.unit) + "/" + std::to_string(c.axisMax));
    test::ViewFixture state = MakeState(c.unit, c.axisMax);
    RecordingCanvas canvas;
    DrawPAlphaFrame(state, canvas, c.axisMax);
    const DrawingState& d = state.Drawing;
    EXPECT_EQ(d.PlotLeft, c.unit == UnitPsi ? 40 : 30);
    EXPECT_EQ(d.PlotCentreX, 400);
    EXPECT_DOUBLE_EQ(d.PixPerPressure, 500.0 / c.axisMax);
    EXPECT_EQ(TextsAt(canvas, 0), c.labels);
    if (!c.labels.empty()) {
      EXPECT_EQ(FindText(canvas, c.labels.back(), 0)->B, c.lastLabelY);
    }
    std::vector<int> gridYs;
    int ticks = 0;
    for (const Segment& s : Segments(canvas)) {
      if (s.Colour == Colors::Silver && s.Y1 == s.Y2 && s.X1 == d.PlotLeft && s.X2 == d.PlotRight)
        gridYs.push_back(s.Y1);
      if (s.Colour == Colors::Black && s.X1 == d.PlotLeft - 3 && s.X2 == d.PlotLeft) ++ticks;
    }
    EXPECT_EQ(gridYs, c.gridYs);
    EXPECT_EQ(ticks, c.ticks);
  }
}

TEST(PAlphaPlot, AngleScaleFollowsZoomAndLayout) {
  struct Case {
    bool fine, zoom;
    std::vector<std::string> labels;  // along the base, after the TDC caption
    size_t verticalGrid;
  } cases[] = {
      {true,
       false,
       {"TDC", "-180", "-150", "-120", "-90", "-60", "-30", "+30", "+60", "+90", "+120", "+150",
        "+180"},
       11},
      {true,
       true,
       {"TDC", "-50", "-40", "-30", "-20", "-10", "+10", "+20", "+30", "+40", "+50"},
       10},
      {false, true, {}, 0},  // no crank-angle record: no scale, no TDC line, no zoom
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.fine) + std::to_string(c.zoom));
    test::ViewFixture state = MakeState(UnitBar, 250, c.fine);
    state.View.ZoomOn = c.zoom;
    RecordingCanvas canvas;
    DrawPAlphaFrame(state, canvas, 250);
    EXPECT_EQ(TextsAt(canvas, 555, true), c.labels);
    if (!c.labels.empty()) {
      EXPECT_EQ(FindText(canvas, c.labels[1])->A, 20);
      EXPECT_EQ(FindText(canvas, c.labels.back())->A, 760);
    }
    size_t grid = 0;
    bool tdcLine = false;
    for (const Segment& s : Segments(canvas)) {
      if (s.X1 != s.X2 || s.Y1 != 550 || s.Y2 != 50) continue;
      grid += s.Colour == Colors::Silver;
      tdcLine = tdcLine || (s.Colour == Colors::Black && s.X1 == 400);
    }
    EXPECT_EQ(grid, c.verticalGrid);
    EXPECT_EQ(tdcLine, c.fine);
  }
}

TEST(PAlphaPlot, CoarseLayoutCurveAndCornerCaption) {
  test::ViewFixture state = MakeState(UnitBar, 250, false);
  RecordingCanvas canvas;
  DrawPAlphaFrame(state, canvas, 250);
  canvas.Clear();
  DrawPAlphaCurve(state, canvas, 2, Colors::Olive);
  const std::vector<Segment> curve = Segments(canvas, Colors::Olive);
  ASSERT_EQ(curve.size(), 179u);
  EXPECT_EQ(curve.front().X1, 30);
  EXPECT_EQ(curve.front().Y1, 550 - 80);  // 40 bar at 2 px per bar
  EXPECT_EQ(curve.front().X2, 34);        // 2 degrees on
  EXPECT_EQ(curve.back().X2, 30 + 736);   // 358 degrees

  const std::vector<CanvasOp>& ops = canvas.Ops();
  const CanvasOp& caption = ops[ops.size() - 2];
  EXPECT_EQ(caption.Text, "KORDA ZEPHIRAX");
  EXPECT_EQ(caption.A, 800 - 5 - 77);  // 14 characters at 0.55 x 10 pixels
  EXPECT_EQ(caption.B, 600 - 5 - 10);
  EXPECT_EQ(ops.back().Op, "SetFont");
  EXPECT_EQ(ops.back().A, 12);
}

TEST(PAlphaPlot, CursorLineAndZoomClamp) {
  const std::tuple<bool, bool, int, int, int> cases[] = {
      // fine, zoom, cursor before, cursor after, x
      {true, true, 0, 520, 30},
      {true, true, 1000, 920, 770},
      {true, false, 720, 720, 400},
      {true, false, 0, 0, 30},
      {false, true, 1080, 1080, 770}};
  for (const auto& [fine, zoom, before, after, x] : cases) {
    SCOPED_TRACE(before);
    test::ViewFixture state = MakeState(UnitBar, 250, fine);
    state.View.CurrentView = ViewPAlphaSingle;
    state.View.ZoomOn = zoom;
    state.View.CursorPos = before;
    RecordingCanvas canvas;
    DrawPAlphaFrame(state, canvas, 250);
    DrawPAlphaCurve(state, canvas, 1, Colors::Green);
    EXPECT_EQ(state.View.CursorPos, after);
    const std::vector<Segment> red = Segments(canvas, Colors::Red);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(std::tie(red[0].X1, red[0].Y1, red[0].X2, red[0].Y2), std::make_tuple(x, 50, x, 550));
  }
}

TEST(PAlphaPlot, FilterSmoothsOnlyTheWorkingCurve) {
  Curve stored{};
  for (int k = 0; k < SamplesPerCurve; ++k) stored[k + 1] = k % 2 == 1 ? 10.0f : 0.0f;
  WorkCurve work;
  MakeWorkingCurve(stored, true, work);
  for (int k : {0, 3, 1436, 1439}) EXPECT_EQ(work[k], stored[k + 1]) << k;
  EXPECT_FLOAT_EQ(work[4], 40.0f / 9);
  // The next mean already sees the smoothed value 4.
  EXPECT_FLOAT_EQ(work[5], (50 + 40.0f / 9) / 9);

  test::ViewFixture state = MakeState();
  const Curve before = state.Measurement->PressureCurve[2];
  std::vector<Segment> drawn[2];
  for (const bool filter : {false, true}) {
    state.View.FilterOn = filter;
    RecordingCanvas canvas;
    DrawPAlphaFrame(state, canvas, 250);
    DrawPAlphaCurve(state, canvas, 2, Colors::Olive);
    drawn[filter] = Segments(canvas, Colors::Olive);
  }
  EXPECT_EQ(state.Measurement->PressureCurve[2], before);
  EXPECT_EQ(drawn[0][700].Y2, 550 - 120);  // 60 bar, raw
  EXPECT_NE(drawn[1][700].Y2, drawn[0][700].Y2);
}

TEST(PAlphaPlot, FuelScaleIsRaisedTo500Bar) {
  const std::tuple<int, int, std::vector<std::string>> cases[] = {
      {UnitBar, 773, {"500", "400", "300", "200", "100"}},
      {UnitPsi, 763, {"7500", "6000", "4500", "3000", "1500"}},
      {UnitMPa, 773, {}}};  // title only
  for (const auto& [unit, labelX, labels] : cases) {
    SCOPED_TRACE(unit);
    test::ViewFixture state = MakeState(unit, 250);
    state.Measurement->HasExtraChannel = true;
    state.Measurement->ExtraAxisMax = 0;
    state.View.FuelOn = true;
    RecordingCanvas canvas;
    DrawPAlphaFrame(state, canvas, PAlphaAxisMax(*state.Measurement, unit));
    // Drawn for 500 bar; the measurement itself is only read.
    EXPECT_EQ(state.Drawing.ExtraAxisMax, 500);
    EXPECT_EQ(state.Measurement->ExtraAxisMax, 0);
    EXPECT_EQ(TextsAt(canvas, labelX), labels);
    if (labels.empty()) continue;
    EXPECT_EQ(FindText(canvas, labels.front(), labelX)->B, 43);
    EXPECT_EQ(FindText(canvas, labels.back(), labelX)->B, 443);
    EXPECT_EQ(FindText(canvas, labels.back(), labelX)->Colour, Colors::Purple);
  }
}

TEST(PAlphaPlot, DpDaZeroLineCurveAndScale) {
  const std::tuple<bool, int, int, size_t> cases[] = {{false, 297, 503, 400},
                                                      {true, 104, 696, 320}};
  for (const auto& [zoom, lineStart, lineEnd, segments] : cases) {
    SCOPED_TRACE(zoom);
    test::ViewFixture state = MakeState();
    // A quarter bar per sample: dp/da is 1 bar/deg everywhere.
    for (int k = 0; k < SamplesPerCurve; ++k) state.Measurement->PressureCurve[1][k + 1] = k / 4.0f;
    state.View.ZoomOn = zoom;
    state.View.DpDaOn = true;
    state.Config.DpDaMax = 10;
    RecordingCanvas canvas;
    DrawPAlphaFrame(state, canvas, 250);
    canvas.Clear();
    DrawPAlphaCurve(state, canvas, 1, Colors::Olive);
    bool zeroLine = false;
    for (const Segment& s : Segments(canvas, Colors::Black))
      zeroLine = zeroLine || (s.Y1 == 300 && s.Y2 == 300 && s.X1 == lineStart && s.X2 == lineEnd);
    EXPECT_TRUE(zeroLine);
    const std::vector<Segment> dpda = Segments(canvas, Colors::Blue);
    ASSERT_EQ(dpda.size(), segments);
    EXPECT_EQ(dpda.front().X1, lineStart);
    EXPECT_EQ(dpda.back().X2, lineEnd);
    EXPECT_EQ(dpda[5].Y2, 300 - 20);  // 10 bar/deg would be 200 pixels (40 %) up
    const CanvasOp* top = FindText(canvas, "10.0");
    ASSERT_EQ(top != nullptr, zoom);  // the scale is drawn only zoomed
    if (!zoom) continue;
    EXPECT_EQ(std::tie(top->A, top->B, top->Colour),
              std::make_tuple(lineStart - 30, 300 - 200 - 8, Colors::Blue));
    EXPECT_NE(FindText(canvas, "-2.0"), nullptr);
  }
}

TEST(PAlphaPlot, BadInputDrawsSafely) {
  for (const int cylinder : {0, 3, -5}) {  // the measurement has two
    test::ViewFixture state = MakeState();
    RecordingCanvas canvas;
    DrawPAlphaCurve(state, canvas, cylinder, Colors::Green);
    EXPECT_TRUE(canvas.Ops().empty()) << cylinder;
  }
  test::ViewFixture tooMany = MakeState();
  tooMany.Measurement->CylCount = 25;
  RecordingCanvas none;
  DrawPAlphaCurve(tooMany, none, 1, Colors::Green);
  EXPECT_TRUE(none.Ops().empty());

  // Non-finite samples give bounded coordinates; a zero ACL amplitude draws
  // the trace flat on its baseline instead of dividing by zero.
  test::ViewFixture state = MakeState();
  MeasurementData& data = *state.Measurement;
  data.PressureCurve[1][10] = std::numeric_limits<float>::quiet_NaN();
  data.PressureCurve[1][11] = std::numeric_limits<float>::infinity();
  data.PressureCurve[1][12] = -std::numeric_limits<float>::infinity();
  data.HasExtraChannel = true;
  data.AclAmplitude = 0;
  for (int s = 1; s <= SamplesPerCurve; ++s) data.ExtraCurve[1][s] = static_cast<float>(s % 7);
  state.View.CurrentView = ViewPAlphaSingle;
  state.View.AclOn = true;
  state.View.DpDaOn = true;
  RecordingCanvas canvas;
  DrawPAlphaFrame(state, canvas, 250);
  DrawPAlphaCurve(state, canvas, 1, Colors::Olive);
  for (const Segment& s : Segments(canvas)) EXPECT_LE(std::abs(s.Y2), 1 << 20);
  const std::vector<Segment> acl = Segments(canvas, Colors::Purple);
  ASSERT_EQ(acl.size(), 1439u);
  for (const Segment& s : acl) EXPECT_EQ(s.Y2, 550 - 500 / 4);
}

}  // namespace
}  // namespace zephirax
