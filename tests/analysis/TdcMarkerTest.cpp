#include "analysis/TdcMarker.h"

#include <gtest/gtest.h>

namespace zephirax {
namespace {

TEST(TdcMarker, GeometryAndDeviation) {
  // 2 pixels per degree from PlotLeft 40 (zoomed 8 from sample 520), TDC line
  // at 400 (zoomed 440), zero line at 250, lower end at 350.
  auto plot = [](bool zoomed) {
    DrawingState d;
    d.PlotLeft = 40;
    d.PlotTop = 50;
    d.PlotBase = 450;
    d.PlotRight = zoomed ? 840 : 760;
    d.PlotCentreX = zoomed ? 440 : 400;
    d.PixPerDeg = zoomed ? 8 : 2;
    return d;
  };
  struct Case {
    const char* name;
    bool zoomed;
    int offset, slope;
    float refShift;
    int curveY;
    PixelPoint lower, onCurve, upper;
    double devFromTdc;
  } cases[] = {
      // Upright: up to a quarter below the top; the deviation is the offset.
      {"upright", false, -5, 0, 0, 200, {398, 350}, {398, 200}, {398, 150}, -5},
      // Otherwise continued past the curve by a quarter of the drawn part.
      {"leftmost", false, -200, -120, 0, 300, {420, 350}, {300, 300}, {270, 288}, -440},
      {"rightmost", false, 1040, 120, 0, 250, {800, 350}, {920, 250}, {950, 225}, 1040},
      {"zoomed", true, 20, 10, 0, 150, {440, 350}, {480, 150}, {490, 100}, 10},
      {"level: no crossing", false, 0, 120, 0, 350, {280, 350}, {400, 350}, {430, 350}, 0},
      {"reference shifted", false, 0, 0, 8, 200, {400, 350}, {401, 200}, {401, 200}, 4 / 3.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TdcModeState tdc{c.offset, c.slope, c.refShift};
    const TdcMarkerShape shape =
        TdcMarkerGeometry(plot(c.zoomed), c.zoomed ? 520 : 0, tdc, c.curveY);
    EXPECT_EQ(shape.Lower, c.lower);
    EXPECT_EQ(shape.OnCurve, c.onCurve);
    EXPECT_EQ(shape.Upper, c.upper);
    EXPECT_NEAR(shape.DevFromTdc, c.devFromTdc, 1e-4);
  }
}

TEST(TdcMarker, ClipSegmentToRectangle) {
  struct Case {
    PixelPoint a, b;
    bool inside;
    PixelPoint from, to;
  } cases[] = {
      {{0, 100}, {100, 0}, true, {0, 100}, {100, 0}},  // on the edges
      {{50, 50}, {150, 50}, true, {50, 50}, {100, 50}},
      {{30, -50}, {30, 150}, true, {30, 0}, {30, 100}},
      {{-20, 60}, {60, -20}, true, {0, 40}, {40, 0}},
      {{80, -30}, {130, 20}, false, {}, {}},  // passes the corner outside
      {{200, 200}, {200, 200}, false, {}, {}},
  };
  for (const Case& c : cases) {
    const auto part = ClipSegment(c.a, c.b, 0, 0, 100, 100);
    ASSERT_EQ(part.has_value(), c.inside) << c.a.X << "," << c.a.Y;
    if (!part) continue;
    EXPECT_TRUE(part->first == c.from && part->second == c.to) << c.a.X << "," << c.a.Y;
  }
}

}  // namespace
}  // namespace zephirax
