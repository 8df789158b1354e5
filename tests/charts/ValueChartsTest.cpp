#include "charts/ValueCharts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "charts/ValueChartAxes.h"
#include "measurement/NumberText.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/Pixels.h"
#include "platform/RecordingCanvas.h"
#include "support/CanvasQuery.h"
#include "support/ViewFixture.h"

namespace zephirax {
namespace {

using ShowFn = void (*)(const ViewContext&, Canvas&);
constexpr ShowFn AllCharts[] = {ShowPmaxSingle, ShowPmaxMean, ShowMipAll,        ShowPindAll,
                                ShowRpmAll,     ShowTexhAll,  ShowPmaxAllStrokes};

// 800 x 600: Base 550, the mean texts at x 510 / 600 / 640.
test::ViewFixture MakeState(int cylinders, int strokes = 3) {
  test::ViewFixture state;
  MeasurementData& data = *state.Measurement;
  data.CylCount = cylinders;
  data.StrokeCount = strokes;
  data.PressureAxisMax = 250;
  data.HasMipBlock = true;
  for (int i = 1; i <= MaxCylinders; ++i) {
    data.PmaxMean[i] = 100;
    data.CylMip[i] = 12.5f;
    data.CylPind[i] = 1000;
    data.CylRpm[i] = 95.5f;
    state.AddData.Texh[i] = 300;
    for (int j = 1; j <= MaxStrokes; ++j) data.StrokePmax[i][j] = 90 + j;
  }
  state.Drawing.ControlWidth = 800;
  state.Drawing.ControlHeight = 600;
  return state;
}

TEST(ValueChartAxes, MaximumTicksAndLabelsPerChartAndUnit) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    AxisLadder ladder;
    double maximum;
    size_t ticks;
    double secondTick;   // shows the step
    std::string labels;  // top down
  } cases[] = {
      {MipLadder(UnitBar, 4.2), 5, 6, 4, "5 4 3 2 1"},
      {MipLadder(UnitMPa, 10), 10, 11, 9, "1.0 0.5"},
      {MipLadder(UnitMPa, 31), 30, 31, 29, "3.0 2.0 1.0"},
      {MipLadder(UnitPsi, 14), 225, 23, 215, "225 200 100"},
      {MipLadder(UnitPsi, 3), 75, 3, 50, "75 50 25"},
      {MipLadder(UnitPsi, nan), 450, 46, 440, "450 300 200 100"},
      {PindLadder(UnitKW, 2900), 3000, 31, 2900, "3000 2500 2000 1500 1000 500"},
      {PindLadder(UnitKW, 5500), 6000, 13, 5500, "6000 5000 4000 3000 2000 1000"},
      {PindLadder(UnitHp, 300), 500, 6, 400, "500 400 300 200 100"},
      {PindLadder(UnitHp, 2500), 3500, 8, 3000, "3500 3000 2000 1000"},
      {PindLadder(UnitHp, 3000), 4500, 0, 0, ""},  // no table row: a bare axis
      {RpmLadder(95), 100, 11, 90, "100 80 60 40 20"},
      {RpmLadder(600), 750, 9, 700, "750 700 600 500 400 300 200 100"},
      {RpmLadder(3000), 2500, 26, 2400, "2500 2000 1500 1000 500"},
      {TexhLadder(450), 500, 11, 450, "500 400 300 200 100"},
      {TexhLadder(700), 800, 9, 700, "800 600 400 200"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.labels);
    EXPECT_EQ(c.ladder.Maximum, c.maximum);
    ASSERT_EQ(c.ladder.Ticks.size(), c.ticks);
    if (c.ticks > 1) {
      EXPECT_EQ(c.ladder.Ticks[0], c.maximum);
      EXPECT_EQ(c.ladder.Ticks[1], c.secondTick);
    }
    std::string labels;
    for (const AxisLabel& label : c.ladder.Labels)
      labels += (labels.empty() ? "" : " ") + label.Text;
    EXPECT_EQ(labels, c.labels);
  }
}

TEST(ValueCharts, BarsSpreadOverThePictureForOneAndTwentyCylinders) {
  struct Case {
    int cylinders;
    int lastX, width;
  } cases[] = {{1, 215, 370}, {20, 723, 18}};
  for (const Case& c : cases) {
    test::ViewFixture state = MakeState(c.cylinders);
    RecordingCanvas canvas;
    ShowPmaxMean(state, canvas);
    const std::vector<DrawnRect> rects = Rectangles(canvas);
    ASSERT_EQ(rects.size(), 1u + c.cylinders);  // the clearing rectangle first
    // 100 bar on 490 pixels for 250 bar: 196 pixels high.
    const DrawnRect& last = rects.back();
    EXPECT_EQ(std::vector<int>({last.X1, last.Y1, last.X2, last.Y2}),
              std::vector<int>({c.lastX, 354, c.lastX + c.width, 550}));
    EXPECT_EQ(last.Brush, Colors::Lime);
    EXPECT_EQ(TextOr(canvas, c.lastX + 10, 334), "100");
    EXPECT_EQ(TextOr(canvas, c.lastX + 10, 560), FormatInt(c.cylinders, 2));
    EXPECT_EQ(TextOr(canvas, 770, 560), "Cyl");
    const std::vector<Segment> mean = Segments(canvas, Colors::Red);
    ASSERT_EQ(mean.size(), 1u);
    EXPECT_EQ(
        std::vector<int>({mean[0].X1, mean[0].Y1, mean[0].X2, mean[0].Y2, int(mean[0].Style)}),
        std::vector<int>({30, 354, 770, 354, int(PenStyle::Dot)}));
    EXPECT_EQ(TextOr(canvas, 600, 30), "100.0");
    EXPECT_EQ(canvas.PenColor(), Colors::Black);
  }
}

TEST(ValueCharts, PsiPmaxAxisAtOneHundredBarRunsToFifteenHundred) {
  test::ViewFixture state = MakeState(2);
  state.Measurement->PressureAxisMax = 100;
  state.Measurement->PmaxMean = {0, 80, 80};
  state.Config.PressureUnit = UnitPsi;
  RecordingCanvas canvas;
  ShowPmaxMean(state, canvas);
  EXPECT_EQ(TextsAt(canvas, 0), (std::vector<std::string>{"1500", "1000", "500"}));
  EXPECT_EQ(Segments(canvas)[0].X1, 40);        // the wider psi margin
  const DrawnRect bar = Rectangles(canvas)[1];  // 80 bar = 1162 psi: 380 of 490 pixels
  EXPECT_EQ(TextOr(canvas, bar.X1 + 10, bar.Y1 - 20), "1162");
  EXPECT_EQ(bar.Y1, 170);
}

TEST(ValueCharts, CaptionsFollowLanguageAndUnit) {
  struct Case {
    ShowFn show;
    int language, pressureUnit;
    std::string title, meanLabel, meanFigure, unitWord;
    int meanY;
  } cases[] = {
      {ShowPmaxMean, French, UnitMPa, "pmaxmoy [MPa]", "pmaxmoy = ", "10.0", "MPa", 30},
      {ShowPmaxMean, Spanish, UnitBar, "pmaxmedio [bar]", "pmaxmedio = ", "100.0", "bar", 30},
      {ShowPmaxAllStrokes, Spanish, UnitBar, "pmax [bar]", "pmax medio = ", "100.0", "bar", 30},
      {ShowMipAll, German, UnitBar, "MIP [bar]", "MIPmean = ", "12.5", "bar", 20},
      {ShowMipAll, Spanish, UnitMPa, "pmi [MPa]", "pmimedio = ", "1.25", "MPa", 20},
      {ShowPindAll, French, UnitBar, "Pind [kW]", "Pindmoy = ", "1000", "kW", 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    test::ViewFixture state = MakeState(2);
    state.Config.Language = c.language;
    state.Config.PressureUnit = c.pressureUnit;
    RecordingCanvas canvas;
    c.show(state, canvas);
    EXPECT_EQ(TextOr(canvas, 10, 0), c.title);
    EXPECT_EQ(TextOr(canvas, 510, c.meanY), c.meanLabel);
    EXPECT_EQ(TextOr(canvas, 600, c.meanY), c.meanFigure);
    EXPECT_EQ(TextOr(canvas, 640, c.meanY), c.unitWord);
    EXPECT_EQ(TextOr(canvas, 770 - (c.show == ShowPindAll ? 10 : 0), 560),
              c.language == Spanish ? "Cil" : "Cyl");
  }

  test::ViewFixture state = MakeState(2);
  state.Config.Language = German;
  state.Measurement->CylRpm[2] = 105.5f;
  RecordingCanvas canvas;
  ShowRpmAll(state, canvas);
  EXPECT_EQ(TextOr(canvas, 10, 0), "RPM [1/min]");
  EXPECT_EQ(TextOr(canvas, 400, 22), "rpm mittel =  100.5 [U/min]");
  EXPECT_EQ(TextsAt(canvas, 0).front(), "150");
}

TEST(ValueCharts, TexhInFahrenheitWritesNumbersLower) {
  test::ViewFixture state = MakeState(2);
  state.AddData.Texh[2] = 350;  // 572 and 662 degF: the 800 axis
  state.Config.TempUnit = UnitDegF;
  RecordingCanvas canvas;
  ShowTexhAll(state, canvas);
  EXPECT_EQ(TextOr(canvas, 10, 0), "texh [°F]");
  EXPECT_EQ(TextsAt(canvas, 0), (std::vector<std::string>{"800", "600", "400", "200"}));
  const std::vector<DrawnRect> rects = Rectangles(canvas);
  EXPECT_EQ(rects[2].Y1, 550 - 405);  // 662 x 490 / 800
  EXPECT_EQ(TextOr(canvas, rects[2].X1 + 10, 550 - 405 - 20), "662");
  EXPECT_EQ(TextOr(canvas, rects[2].X1 + 10, 570), " 2");
  EXPECT_EQ(TextOr(canvas, 770, 570), "Cyl");
  EXPECT_EQ(TextOr(canvas, 600, 30), "617");
}

TEST(ValueCharts, SingleCylinderAndAllStrokesViews) {
  test::ViewFixture state = MakeState(4, 30);
  state.View.CurrentCylinder = 2;
  state.Measurement->StrokePmax[2][30] = 0;
  RecordingCanvas single;
  ShowPmaxSingle(state, single);
  EXPECT_EQ(state.View.CurrentView, ViewPmaxSingle);
  const std::vector<DrawnRect> bars = Rectangles(single);
  ASSERT_EQ(bars.size(), 31u);
  EXPECT_EQ(TextOr(single, bars[30].X1 + 10, 530), "30");  // stroke numbers inside the bars
  EXPECT_EQ(TextOr(single, 700, 10), "Cyl  2");
  EXPECT_EQ(TextOr(single, 200, 560), "strokes");
  EXPECT_EQ(TextOr(single, 770, 560), "<none>");
  EXPECT_EQ(TextOr(single, 600, 30), "101.5");  // strokes 91..119 and one 0

  RecordingCanvas all;
  ShowPmaxAllStrokes(state, all);
  const std::vector<DrawnRect> strokes = Rectangles(all);
  ASSERT_EQ(strokes.size(), 1u + 4 * 30);
  const int x1 = MakeBarLayout(800, 4).X(1);
  EXPECT_EQ(std::vector<int>({strokes[1].X1, strokes[1].X2, strokes[1].Y1}),
            std::vector<int>({x1 + 2, x1 + 4, 550 - 178}));  // 91 bar
  EXPECT_EQ(strokes[1].Pen, Colors::Lime);
  EXPECT_EQ(strokes[1].Brush, Colors::Lime);
  EXPECT_EQ(TextOr(all, x1, 550 - 196 - 10), "100");
}

TEST(ValueCharts, DataTheChartsCannotShowLeaveABlankPicture) {
  for (const ShowFn show : AllCharts) {
    for (int k = 0; k < 4; ++k) {  // 21 and -3 cylinders, 31 strokes, cylinder 5 of 4
      test::ViewFixture state = MakeState(4, k == 2 ? 31 : 3);
      state.Measurement->CylCount = k == 0 ? 21 : k == 1 ? -3 : 4;
      state.View.CurrentCylinder = k == 3 ? 5 : 1;
      RecordingCanvas canvas;
      show(state, canvas);
      const bool strokeView = show == ShowPmaxSingle || show == ShowPmaxAllStrokes;
      const bool blank = k < 2 || (k == 2 && strokeView) || (k == 3 && show == ShowPmaxSingle);
      EXPECT_EQ(Rectangles(canvas).size() == 1, blank) << k;
    }
  }
  for (const ShowFn show : {ShowMipAll, ShowPindAll}) {
    test::ViewFixture state = MakeState(4);
    state.Measurement->HasMipBlock = false;
    RecordingCanvas canvas;
    show(state, canvas);
    EXPECT_EQ(Rectangles(canvas).size(), 1u);
    EXPECT_TRUE(Segments(canvas).empty());
  }
}

TEST(ValueCharts, WildValuesStayOnBoundedPixels) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  test::ViewFixture state = MakeState(20, 30);
  MeasurementData& data = *state.Measurement;
  data.PressureAxisMax = 1e-30f;  // no table row, an enormous scale
  data.CylMip[1] = static_cast<float>(nan);
  data.CylMip[2] = 3e38f;
  data.CylRpm[3] = -std::numeric_limits<float>::infinity();
  data.CylPind[4] = INT32_MAX;
  data.PmaxMean[5] = INT32_MIN;
  data.StrokePmax[6][7] = INT32_MAX;
  state.AddData.Texh[8] = INT32_MIN;
  state.Config.PowerUnit = UnitHp;
  for (const ShowFn show : AllCharts) {
    RecordingCanvas canvas;
    show(state, canvas);
    for (const DrawnRect& r : Rectangles(canvas)) {
      EXPECT_LE(std::abs(r.Y1), PixelLimit);
      EXPECT_LE(std::abs(r.Y2), PixelLimit);
    }
  }
  test::ViewFixture pind = MakeState(2);
  pind.Measurement->CylPind[1] = 3000;  // 4079 hp: the 4500 hp axis has no ticks
  pind.Config.PowerUnit = UnitHp;
  RecordingCanvas canvas;
  ShowPindAll(pind, canvas);
  EXPECT_TRUE(TextsAt(canvas, 0).empty());
  EXPECT_EQ(Rectangles(canvas).size(), 3u);
  const DrawnRect bar = Rectangles(canvas)[1];
  EXPECT_EQ(TextOr(canvas, bar.X1 + 10, bar.Y1 - 20), "4079");
}

}  // namespace
}  // namespace zephirax
