#include "charts/DeviationCharts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "charts/ChartTexts.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/RecordingCanvas.h"
#include "support/CanvasQuery.h"
#include "support/ViewFixture.h"

namespace zephirax {
namespace {

// 800 x 600: L 35, T 50, R 765, B 550, zero line at 300, 25 pixels per
// percent (texh 500 / 30).
test::ViewFixture MakeState(std::vector<int> values) {
  test::ViewFixture state;
  MeasurementData& data = *state.Measurement;
  data.CylCount = static_cast<int>(values.size());
  data.HasMipBlock = true;
  for (int i = 1; i <= data.CylCount; ++i) {
    const int v = values[static_cast<size_t>(i - 1)];
    data.PmaxMean[i] = v;
    data.CylMip[i] = static_cast<float>(v);
    data.CylPind[i] = v;
    state.AddData.Texh[i] = v;
  }
  state.Config.Language = English;
  state.Drawing.ControlWidth = 800;
  state.Drawing.ControlHeight = 600;
  return state;
}

using ShowFn = void (*)(const ViewContext&, Canvas&);

// The bars only, without the white clearing rectangle.
std::vector<DrawnRect> Bars(const RecordingCanvas& canvas) {
  std::vector<DrawnRect> bars;
  for (const DrawnRect& r : Rectangles(canvas))
    if (r.Brush != Colors::White) bars.push_back(r);
  return bars;
}

std::vector<int> Box(const DrawnRect& r) {
  return {r.X1, r.Y1, r.X2, r.Y2, static_cast<int>(r.Pen), static_cast<int>(r.Brush)};
}

TEST(DeviationCharts, OneCylinderIsAGreenBarOfNoHeight) {
  test::ViewFixture state = MakeState({120});
  RecordingCanvas canvas;
  ShowPmaxDeviation(state, canvas);
  EXPECT_EQ(state.View.CurrentView, ViewPmaxDeviation);
  const std::vector<DrawnRect> bars = Bars(canvas);
  ASSERT_EQ(bars.size(), 1u);
  // 370 wide, starting at 30 + 185.
  EXPECT_EQ(Box(bars[0]), (std::vector<int>{215, 300, 585, 300, Colors::Black, Colors::Lime}));
  EXPECT_EQ(TextOr(canvas, 10, 10), "pmaxdev [%]");
  EXPECT_EQ(TextOr(canvas, 215, 280), "120");  // not above the mean: above the zero line
  EXPECT_EQ(TextOr(canvas, 215, 560), " 1");
  EXPECT_EQ(TextOr(canvas, 765, 560), "Cyl");
  EXPECT_EQ(TextOr(canvas, 600, 30), "120.0");
  EXPECT_EQ(TextOr(canvas, 640, 30), "bar");
  EXPECT_EQ(TextsAt(canvas, 0), (std::vector<std::string>{"+5", "-5", "+10", "-10"}));
  EXPECT_EQ(TextOr(canvas, 0, 545), "-10");
  int grid = 0;
  for (const Segment& s : Segments(canvas, Colors::Silver)) grid += s.X1 == 40 && s.X2 == 765;
  EXPECT_EQ(grid, 8);
}

TEST(DeviationCharts, BeyondTheLimitRedBarsAreCutAndLabelled) {
  test::ViewFixture state = MakeState({1123, 877});  // +12.3 % and -12.3 % of 1000 kW
  RecordingCanvas canvas;
  ShowPindDeviation(state, canvas);
  const std::vector<DrawnRect> bars = Bars(canvas);
  ASSERT_EQ(bars.size(), 2u);
  // Bars 185 wide at 122 and 492.
  EXPECT_EQ(Box(bars[0]), (std::vector<int>{122, 300, 307, 50, Colors::Black, Colors::Red}));
  EXPECT_EQ(Box(bars[1]), (std::vector<int>{492, 300, 677, 550, Colors::Black, Colors::Red}));
  EXPECT_EQ(TextOr(canvas, 124, 52), "+ 12.3");
  EXPECT_EQ(TextOr(canvas, 494, 534), "-12.3");
  // Each value on the side of the zero line its bar leaves free.
  EXPECT_EQ(TextOr(canvas, 122, 310), "1123");
  EXPECT_EQ(TextOr(canvas, 492, 280), " 877");
  EXPECT_EQ(TextOr(canvas, 600, 30), "1000");
  EXPECT_EQ(TextOr(canvas, 640, 30), "kW");

  state.Config.PowerUnit = UnitHp;
  RecordingCanvas hp;
  ShowPindDeviation(state, hp);
  EXPECT_EQ(TextOr(hp, 122, 310), "1527");  // 1123 x 1.3596
  EXPECT_EQ(TextOr(hp, 600, 30), "1360");
  EXPECT_EQ(TextOr(hp, 640, 30), "hp");
}

TEST(DeviationCharts, TheLimitItselfIsGreen) {
  struct Case {
    ShowFn show;
    std::vector<int> values;
    Color brush;  // of cylinder 1
    int top;      // of cylinder 1's bar
  } cases[] = {
      {ShowPmaxDeviation, {11, 9}, Colors::Lime, 50},      // exactly +10 %
      {ShowPindDeviation, {2201, 1799}, Colors::Red, 50},  // +10.05 %
      // Exactly +10 % of a mean of 120 / 11, which rounded would push it over.
      {ShowPindDeviation, {12, 11, 11, 11, 11, 11, 11, 11, 11, 11, 9}, Colors::Lime, 50},
      {ShowTexhDeviation, {115, 85}, Colors::Lime, 50},  // exactly +15 %
      {ShowTexhDeviation, {116, 84}, Colors::Red, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.values[0]) + "/" + std::to_string(c.values.size()));
    test::ViewFixture state = MakeState(c.values);
    RecordingCanvas canvas;
    c.show(state, canvas);
    const std::vector<DrawnRect> bars = Bars(canvas);
    ASSERT_EQ(bars.size(), c.values.size());
    EXPECT_EQ(bars[0].Brush, c.brush);
    EXPECT_EQ(bars[0].Y2, c.top);
  }
}

TEST(DeviationCharts, ZeroMeanDrawsTheFrameWithoutBars) {
  for (const ShowFn show : {ShowMipDeviation, ShowPindDeviation, ShowTexhDeviation}) {
    test::ViewFixture state = MakeState({0, 0, 0});
    RecordingCanvas canvas;
    show(state, canvas);
    EXPECT_TRUE(Bars(canvas).empty());
    EXPECT_EQ(Segments(canvas, Colors::Silver).size(), 0u + (show == ShowTexhDeviation ? 12 : 8));
    EXPECT_NE(FindText(canvas, " 3"), nullptr);
  }
  // pmax divides by 0.1 bar instead: every cylinder is 100 % below.
  test::ViewFixture state = MakeState({0, 0});
  RecordingCanvas canvas;
  ShowPmaxDeviation(state, canvas);
  ASSERT_EQ(Bars(canvas).size(), 2u);
  EXPECT_EQ(Bars(canvas)[0].Y2, 550);
  EXPECT_EQ(TextOr(canvas, 600, 30), "  0.1");

  // Without crank-angle curves there is nothing to compare MIP and Pind on.
  state.Measurement->HasMipBlock = false;
  for (const ShowFn show : {ShowMipDeviation, ShowPindDeviation}) {
    RecordingCanvas empty;
    show(state, empty);
    EXPECT_TRUE(Segments(empty).empty());
    EXPECT_EQ(TextOr(empty, 10, 10), "<none>");
  }
}

TEST(DeviationCharts, TexhDeviationIsComputedInDegC) {
  // 462 and 338 degC: 15.5 % off their mean, though only 14.8 % in degF.
  test::ViewFixture state = MakeState({462, 338});
  state.Config.TempUnit = UnitDegF;
  RecordingCanvas canvas;
  ShowTexhDeviation(state, canvas);
  EXPECT_EQ(TextOr(canvas, 124, 52), "+ 15.5");
  EXPECT_EQ(TextOr(canvas, 494, 534), "-15.5");
  EXPECT_EQ(TextOr(canvas, 122, 310), "864");
  EXPECT_EQ(TextOr(canvas, 492, 280), "640");
  EXPECT_EQ(TextOr(canvas, 600, 30), "752");
  EXPECT_EQ(TextOr(canvas, 640, 30), ChartTempUnitWord(UnitDegF));
  EXPECT_EQ(TextOr(canvas, 0, 45), "+15");
}

TEST(DeviationCharts, CaptionsFollowLanguageAndUnit) {
  struct Case {
    ShowFn show;
    int language, unit;              // pressure unit; texh stays in degC
    std::vector<std::string> texts;  // title, mean label, mean, "Cyl", value of cylinder 1
  } cases[] = {
      {ShowMipDeviation, French, UnitMPa, {"PMIdev [%]", "PMImoy = ", "1.60", "Cyl", "1.70"}},
      {ShowMipDeviation, Spanish, UnitPsi, {"pmidesv [%]", "pmimedio = ", "232", "Cil", "247"}},
      {ShowPmaxDeviation, French, UnitMPa, {"pmaxdev [%]", "pmaxmoy = ", " 1.6", "Cyl", " 1.7"}},
      {ShowPmaxDeviation, Spanish, UnitPsi, {"pmaxdev [%]", "pmax medio = ", " 232", "Cil", "247"}},
      {ShowTexhDeviation, Spanish, UnitBar, {"texhdev [%]", "texh medio = ", " 16", "Cil", " 17"}},
  };
  for (const Case& c : cases) {
    test::ViewFixture state = MakeState({17, 15});
    state.Config.Language = c.language;
    state.Config.PressureUnit = c.unit;
    RecordingCanvas canvas;
    c.show(state, canvas);
    EXPECT_EQ((std::vector<std::string>{TextOr(canvas, 10, 10), TextOr(canvas, 510, 30),
                                        TextOr(canvas, 600, 30), TextOr(canvas, 765, 560),
                                        TextOr(canvas, 122, 310)}),
              c.texts);
  }
}

TEST(DeviationCharts, SurviveCorruptData) {
  test::ViewFixture state = MakeState({2147483647, -2147483647 - 1, 0});
  state.Measurement->CylMip[2] = std::nanf("");
  for (const int count : {3, -4, 99}) {
    state.Measurement->CylCount = count;
    for (const ShowFn show :
         {ShowPmaxDeviation, ShowMipDeviation, ShowPindDeviation, ShowTexhDeviation}) {
      RecordingCanvas canvas;
      show(state, canvas);
      EXPECT_LE(Bars(canvas).size(), 20u);
    }
  }
}

}  // namespace
}  // namespace zephirax
