#include "charts/PVViews.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "analysis/PAlphaViews.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/RecordingCanvas.h"
#include "support/CanvasQuery.h"
#include "support/ViewFixture.h"

namespace zephirax {
namespace {

// 800 x 600 in bar: L 30, T 50, R 770, B 550; 2 pixels per bar and
// (770 - 30 - 10) / 200 = 3.65 pixels per mm of travel. Cylinder 1 is a smooth
// peak near TDC, cylinder 2 alternates between 40 and 60 bar.
test::ViewFixture MakeState(int unit = UnitBar, int language = English) {
  test::ViewFixture state;
  MeasurementData& data = *state.Measurement;
  data.CylCount = 2;
  data.HasMipBlock = true;
  data.PressureAxisMax = 250;
  data.Stroke = 100;
  data.ConRod = 200;
  for (int k = 0; k < SamplesPerCurve; ++k) {
    const double fromTdc = (k - 730) / 60.0;
    data.PressureCurve[1][k + 1] = static_cast<float>(20 + 100 * std::exp(-fromTdc * fromTdc));
    data.PressureCurve[2][k + 1] = k % 2 == 0 ? 40.0f : 60.0f;
  }
  state.Config.PressureUnit = unit;
  state.Config.Language = language;
  state.Drawing.ControlWidth = 800;
  state.Drawing.ControlHeight = 600;
  return state;
}

TEST(PVViews, AxesAndDeadCentresPerUnitAndLanguage) {
  struct Case {
    int unit, language, left;
    const char *title, *tdc, *bdc;
    std::vector<std::string> labels;
  } cases[] = {
      {UnitBar, German, 30, "p [bar]", "OT", "UT", {"250", "200", "150", "100", "50"}},
      {UnitPsi, French, 40, "p [psi]", "PMH", "PMB", {"4000", "3000", "2000", "1000"}},
      {UnitMPa, Spanish, 30, "p [MPa]", "TDC", "BDC", {"25", "20", "15", "10", "5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    test::ViewFixture state = MakeState(c.unit, c.language);
    RecordingCanvas canvas;
    ShowPVAll(state, canvas);
    const int right = 800 - c.left;
    EXPECT_EQ(TextOr(canvas, 10, 10), c.title);
    EXPECT_EQ(TextOr(canvas, c.left, 555), c.tdc);
    EXPECT_EQ(TextOr(canvas, right - 10, 555), c.bdc);
    EXPECT_EQ(TextsAt(canvas, 0), c.labels);
    int grid = 0, deadCentreTicks = 0;
    for (const Segment& s : Segments(canvas)) {
      if (s.Colour == Colors::Silver && s.X1 == c.left && s.X2 == right && s.Y1 == s.Y2) ++grid;
      if (s.Y1 == 550 && s.Y2 == 553 && (s.X1 == c.left + 10 || s.X1 == right)) ++deadCentreTicks;
    }
    EXPECT_EQ(grid, static_cast<int>(c.labels.size()));  // the top one is the first label's
    EXPECT_EQ(deadCentreTicks, 2);
  }
}

TEST(PVViews, LoopTravelAndSmoothing) {
  for (const int conRod : {200, 0}) {
    SCOPED_TRACE(conRod);
    test::ViewFixture state = MakeState();
    state.Measurement->ConRod = conRod;
    state.View.CurrentCylinder = 2;
    RecordingCanvas canvas;
    ShowPVSingle(state, canvas);
    const std::vector<Segment> loop = Segments(canvas, Colors::Green);
    ASSERT_EQ(loop.size(), 1439u);
    // Segment k - 1 ends at sample k; sample 0 is where the loop starts.
    auto x = [&](int k) { return loop[static_cast<size_t>(k - 1)].X2; };
    auto y = [&](int k) { return loop[static_cast<size_t>(k - 1)].Y2; };
    EXPECT_EQ(loop[0].X1, 770);  // BDC
    EXPECT_EQ(x(719), 40);       // TDC, travel 0
    EXPECT_EQ(x(1439), 770);     // BDC again, travel 2r
    // Half way down the compression stroke: r + r^2 / 2l' from TDC. A missing
    // connecting rod counts as 0.1 mm: far off the picture, but a position.
    const double travel = 100 + 100.0 * 100 / (2 * (conRod == 0 ? 0.1 : conRod));
    EXPECT_NEAR(x(359), 40 + travel * 3.65, 1);
    // Samples 480..960 are plotted as measured (40 bar at y 470, 60 at 430);
    // outside them the alternation is smoothed away.
    for (int k = 480; k <= 960; ++k) ASSERT_EQ(y(k), k % 2 == 0 ? 470 : 430) << k;
    for (const int k : {300, 1200}) {
      EXPECT_GT(y(k), 430);
      EXPECT_LT(y(k), 470);
    }
  }
}

TEST(PVViews, CursorLineAndReadouts) {
  struct Case {
    int cursor;
    int lineX;
    const char *pcur, *pcurOther, *acur;
  } cases[] = {
      {720, 40, " 40.0", " 40.0", "  0.00"},    // TDC: both strokes meet
      {0, 770, " 40.0", " 60.0", "-180.00"},    // the other row reads index 1439
      {5000, 770, " 60.0", " 60.0", "179.75"},  // held at the last sample
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cursor);
    test::ViewFixture state = MakeState();
    state.View.CurrentCylinder = 2;
    state.View.CursorPos = c.cursor;
    RecordingCanvas canvas;
    ShowPVSingle(state, canvas);
    const std::vector<Segment> red = Segments(canvas, Colors::Red);
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(red[0].Y1, 50);
    EXPECT_EQ(red[0].Y2, 550);
    EXPECT_EQ(red[0].X1, c.lineX);
    EXPECT_EQ(TextOr(canvas, 670, 270), c.pcur);
    EXPECT_EQ(TextOr(canvas, 670, 290), c.pcurOther);
    EXPECT_EQ(TextOr(canvas, 670, 310), c.acur);
  }
}

TEST(PVViews, ValueBoxPerUnit) {
  struct Case {
    int unit, language;
    const char *ptdc, *pmax, *unitText;
  } cases[] = {
      {UnitBar, English, "117.3", "120.0", "[bar]"},
      {UnitMPa, French, "11.7", "12.0", "[MPa]"},
      {UnitPsi, German, "1703", "1743", "[psi]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.unitText);
    test::ViewFixture state = MakeState(c.unit, c.language);
    const int right = c.unit == UnitPsi ? 760 : 770;
    RecordingCanvas canvas;
    ShowPVSingle(state, canvas);
    EXPECT_EQ(Rectangles(canvas).back().Y2, 270);  // the last rows stand below it
    EXPECT_EQ(TextOr(canvas, right - 110, 70), c.ptdc);
    EXPECT_EQ(TextOr(canvas, right - 100, 90), c.pmax);
    EXPECT_EQ(TextOr(canvas, right - 100, 110), " 2.5");
    EXPECT_EQ(TextOr(canvas, right - 60, 90), c.unitText);
    EXPECT_EQ(TextOr(canvas, right - 100, 210), "<none>");  // texh without additional data
  }
}

TEST(PVViews, LegendInCylinderColours) {
  test::ViewFixture state = MakeState(UnitBar, Spanish);
  state.Measurement->CylCount = 25;
  RecordingCanvas canvas;
  ShowPVAll(state, canvas);
  for (int i = 1; i <= 20; ++i) {
    EXPECT_EQ(TextOr(canvas, 700, (i - 1) * 16 + 5), "Cil " + std::to_string(i));
    EXPECT_EQ(TextColourAt(canvas, 700, (i - 1) * 16 + 5), CylinderColor(i)) << i;
  }
  EXPECT_EQ(TextOr(canvas, 700, 20 * 16 + 5), "<none>");
  EXPECT_EQ(Segments(canvas, Colors::Teal).size(), 1439u);  // cylinder 16 only
  EXPECT_EQ(canvas.FontColor(), Colors::Black);
}

// Without curves only the caption; with a corrupt file the axes but no loop.
TEST(PVViews, MissingOrCorruptCurves) {
  for (const bool single : {true, false}) {
    test::ViewFixture state = MakeState();
    state.Measurement->HasMipBlock = false;
    RecordingCanvas canvas;
    single ? ShowPVSingle(state, canvas) : ShowPVAll(state, canvas);
    EXPECT_TRUE(Segments(canvas).empty());
    int texts = 0;
    for (const CanvasOp& op : canvas.Ops()) texts += op.Op == "TextOut";
    EXPECT_EQ(texts, 1);
    EXPECT_NE(FindText(canvas, "KORDA ZEPHIRAX"), nullptr);

    MeasurementData& data = *state.Measurement;
    data.HasMipBlock = true;
    data.Stroke = 0;
    data.CylCount = -4;
    data.PressureAxisMax = std::numeric_limits<float>::quiet_NaN();
    data.PressureCurve[1].fill(std::numeric_limits<float>::infinity());
    state.View.CurrentCylinder = 99;
    state.View.CursorPos = -7;
    canvas.Clear();
    single ? ShowPVSingle(state, canvas) : ShowPVAll(state, canvas);
    EXPECT_TRUE(Segments(canvas, Colors::Green).empty());
    EXPECT_EQ(TextOr(canvas, 30, 555), "TDC");
  }
}

}  // namespace
}  // namespace zephirax
