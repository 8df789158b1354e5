#include "charts/PAlpha3DView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analysis/PAlphaViews.h"
#include "platform/LangText.h"
#include "platform/RecordingCanvas.h"
#include "support/CanvasQuery.h"
#include "support/ViewFixture.h"

namespace zephirax {
namespace {

// 620 x 650 at 150 bar: L 200, R 600, T 150, B 600, so one window index is
// one pixel (4 px per degree) and one bar is 3 pixels. The curves lie at
// 50 bar with a narrow peak at `peakIndex` (counted from 0).
test::ViewFixture MakeState(int cylinders, int peakIndex = 700, bool fine = true) {
  test::ViewFixture state;
  MeasurementData& data = *state.Measurement;
  data.CylCount = cylinders;
  data.HasMipBlock = fine;
  data.PressureAxisMax = 150;
  for (int k = 1; k <= cylinders; ++k) {
    for (int i = 0; i < SamplesPerCurve; ++i) {
      const double z = (i - peakIndex) / 10.0;
      data.PressureCurve[k][i + 1] = static_cast<float>(50 + 60 * std::exp(-z * z));
    }
  }
  state.Config.Language = English;
  state.Drawing.ControlWidth = 620;
  state.Drawing.ControlHeight = 650;
  return state;
}

bool HasSegment(const RecordingCanvas& canvas, Segment want) {
  for (const Segment& s : Segments(canvas, want.Colour))
    if (s.X1 == want.X1 && s.Y1 == want.Y1 && s.X2 == want.X2 && s.Y2 == want.Y2) return true;
  return false;
}

TEST(PAlpha3DView, LayoutOfAxesAndLabels) {
  test::ViewFixture state = MakeState(1);
  RecordingCanvas canvas;
  ShowPAlpha3D(state, canvas);
  EXPECT_EQ(state.View.CurrentView, ViewPAlpha3D);
  EXPECT_TRUE(HasSegment(canvas, {20, 510, 20, 60, Colors::Black, PenStyle::Solid}));
  EXPECT_TRUE(HasSegment(canvas, {20, 510, 200, 600, Colors::Black, PenStyle::Solid}));
  EXPECT_TRUE(HasSegment(canvas, {200, 600, 600, 600, Colors::Black, PenStyle::Solid}));
  EXPECT_TRUE(HasSegment(canvas, {400, 600, 400, 603, Colors::Black, PenStyle::Solid}));
  EXPECT_TRUE(HasSegment(canvas, {20, 210, 23, 210, Colors::Black, PenStyle::Solid}));  // 100 bar
  EXPECT_EQ(TextOr(canvas, 20, 40), "p [bar]");
  EXPECT_EQ(TextsAt(canvas, 30), (std::vector<std::string>{"150", "100", "50"}));
  EXPECT_EQ(TextOr(canvas, 30, 200), "100");
  EXPECT_EQ(TextOr(canvas, 385, 605), "TDC");
  EXPECT_EQ(TextOr(canvas, 385, 625), "Angle [deg]");
  EXPECT_EQ(TextOr(canvas, 190, 605), "-50");
  EXPECT_EQ(TextOr(canvas, 430, 605), "+10");
  EXPECT_EQ(TextOr(canvas, 590, 605), "+50");
  EXPECT_EQ(TextOr(canvas, 570, 5), "Cyl 1");
  EXPECT_NE(FindText(canvas, "KORDA ZEPHIRAX"), nullptr);
}

TEST(PAlpha3DView, OneCylinderHasTheTdcMarkerAndNoJoiningLines) {
  test::ViewFixture state = MakeState(1, 1000);  // 50 bar at TDC
  RecordingCanvas canvas;
  ShowPAlpha3D(state, canvas);
  EXPECT_EQ(Segments(canvas, CylinderColor(1)).size(), 399u);
  // Besides the frame (3 lines, 16 pressure ticks, the TDC tick) only the
  // marker is black: no joining lines.
  const std::vector<Segment> black = Segments(canvas, Colors::Black);
  ASSERT_EQ(black.size(), 3u + 16 + 1 + 1);
  const Segment marker = black.back();
  EXPECT_EQ(std::vector<int>({marker.X1, marker.Y1, marker.X2, marker.Y2}),
            std::vector<int>({400, 600, 400, 450}));
}

TEST(PAlpha3DView, LaterCylindersAreShiftedAndClipped) {
  test::ViewFixture state = MakeState(20);
  RecordingCanvas canvas;
  ShowPAlpha3D(state, canvas);
  // Cylinder 20: 171 pixels left, 86 up; its peak at 700 keeps all 400 points.
  EXPECT_TRUE(HasSegment(canvas, {29, 364, 30, 364, CylinderColor(20), PenStyle::Solid}));
  EXPECT_TRUE(HasSegment(canvas, {427, 364, 428, 364, CylinderColor(20), PenStyle::Solid}));
  EXPECT_EQ(TextOr(canvas, 570, 290), "Cyl 20");
  EXPECT_EQ(TextColourAt(canvas, 570, 290), CylinderColor(20));

  // Segments of cylinder 2 by peak index: up to j < peak - 120.
  const std::pair<int, size_t> clipping[] = {{700, 399}, {500, 378}, {300, 178}, {100, 0}};
  for (const auto& [peak, segments] : clipping) {
    test::ViewFixture two = MakeState(2, peak);
    RecordingCanvas c;
    ShowPAlpha3D(two, c);
    EXPECT_EQ(Segments(c, CylinderColor(2)).size(), segments) << peak;
  }
  // The joining lines, TDC then peak: cylinder 2 is 90 left and 45 up.
  test::ViewFixture two = MakeState(2, 1000);
  RecordingCanvas c;
  ShowPAlpha3D(two, c);
  EXPECT_TRUE(HasSegment(c, {400, 450, 310, 405, Colors::Black, PenStyle::Solid}));
  const std::vector<Segment> black = Segments(c, Colors::Black);
  EXPECT_EQ(black.back().X1, 680);  // 200 + (1000 - 520) / 4 x 4
  EXPECT_EQ(black.back().X2, 590);
  EXPECT_EQ(black.back().Y1 - black.back().Y2, 45);
}

TEST(PAlpha3DView, CoarseLayoutShowsTheWholeRevolution) {
  test::ViewFixture state = MakeState(2, 90, false);
  RecordingCanvas canvas;
  ShowPAlpha3D(state, canvas);
  const std::vector<Segment> second = Segments(canvas, CylinderColor(2));
  ASSERT_EQ(second.size(), 179u);  // no clipping
  EXPECT_EQ(second.front().X1, 110);
  EXPECT_EQ(second.back().X2, 508);  // 200 + 358 x 400 / 360 - 90
  EXPECT_TRUE(HasSegment(canvas, {400, 600, 400, 603, Colors::Black, PenStyle::Solid}));
  EXPECT_EQ(FindText(canvas, "-50"), nullptr);
  // Only the frame is black: no marker, no joining lines.
  EXPECT_EQ(Segments(canvas, Colors::Black).size(), 3u + 16 + 1);
}

TEST(PAlpha3DView, SurvivesCorruptData) {
  for (const float axisMax : {0.0f, std::nanf(""), 1e30f}) {
    test::ViewFixture state = MakeState(2);
    MeasurementData& data = *state.Measurement;
    data.PressureAxisMax = axisMax;
    data.PressureCurve[1].fill(std::nanf(""));
    data.PressureCurve[2].fill(3e38f);
    data.CylCount = 99;  // drawn as 20
    RecordingCanvas canvas;
    ShowPAlpha3D(state, canvas);
    EXPECT_NE(FindText(canvas, "Cyl 20"), nullptr);
    EXPECT_EQ(FindText(canvas, "Cyl 21"), nullptr);
  }
}

}  // namespace
}  // namespace zephirax
