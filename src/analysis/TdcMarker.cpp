#include "analysis/TdcMarker.h"

#include <algorithm>
#include <cmath>

#include "platform/Pixels.h"

namespace zephirax {

namespace {

constexpr int TdcIndex = 720;

}  // namespace

// The construction works in plot pixels of the view as drawn, so the zoomed
// view needs nothing of its own: every offset is degrees times PixPerDeg, the
// line keeps its direction in degrees, and the crossing divided by PixPerDeg
// gives the same deviation as the full view. The deviation is taken from the
// unrounded positions; rounding x to a pixel first would move it by up to a
// quarter degree on a narrow window, twice the eighth of a degree from which
// the automatic correction shifts the reference cylinder.
TdcMarkerShape TdcMarkerGeometry(const DrawingState& d, int firstSample, const TdcModeState& tdc,
                                 int curveY) {
  const double pixPerDeg = d.PixPerDeg;
  const int height = d.PlotBase - d.PlotTop;
  const int zeroY = d.PlotBase - height / 2;
  const int lowerY = d.PlotBase - height / 4;
  // The marker point follows a sixteenth of the reference cylinder's shift in
  // this mode; the lower end does not, so shifting the reference tilts the
  // line a little.
  const double refTerm = tdc.RefShift * pixPerDeg / 16;

  const double x1 =
      d.PlotLeft + (TdcIndex + tdc.MarkerOffset - firstSample) * pixPerDeg / 4 + refTerm;
  const double x2 = x1 - 2.0 * tdc.MarkerSlope * pixPerDeg / 4 - refTerm;
  const double y1 = curveY;
  const double y2 = lowerY;

  double upperX = x1;
  double upperY = d.PlotTop + height / 4;
  double crossingX = x1;
  bool crosses = true;
  if (x2 != x1) {
    upperX = x1 + tdc.MarkerSlope * pixPerDeg / 8;
    upperY = y1 + (upperX - x1) * (y2 - y1) / (x2 - x1);
    // A level line (the dp/da curve at the lower end's height) never meets
    // the zero line.
    crosses = y2 != y1;
    if (crosses) crossingX = x1 + (zeroY - y1) * (x2 - x1) / (y2 - y1);
  }

  TdcMarkerShape shape;
  shape.Lower = {PixelRound(x2), lowerY};
  shape.OnCurve = {PixelRound(x1), curveY};
  shape.Upper = {PixelRound(upperX), PixelRound(upperY)};
  const double deviation = (crossingX - d.PlotCentreX) / pixPerDeg * 4;
  // No crossing, or no plot to measure on, reads as no deviation, so the
  // automatic correction leaves the reference cylinder where it is.
  shape.DevFromTdc = crosses && std::isfinite(deviation) ? static_cast<float>(deviation) : 0.0f;
  return shape;
}

std::optional<std::pair<PixelPoint, PixelPoint>> ClipSegment(PixelPoint a, PixelPoint b, int left,
                                                             int top, int right, int bottom) {
  // The part a + t (b - a) with t in [enter, leave] lies inside every edge.
  const double dx = static_cast<double>(b.X) - a.X;
  const double dy = static_cast<double>(b.Y) - a.Y;
  double enter = 0;
  double leave = 1;
  // Keeps the part where p t <= q.
  auto keep = [&](double p, double q) {
    if (p == 0) return q >= 0;
    const double t = q / p;
    if (p < 0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
    return enter <= leave;
  };
  if (!keep(-dx, static_cast<double>(a.X) - left) || !keep(dx, static_cast<double>(right) - a.X) ||
      !keep(-dy, static_cast<double>(a.Y) - top) || !keep(dy, static_cast<double>(bottom) - a.Y)) {
    return std::nullopt;
  }
  auto at = [&](double t) {
    return PixelPoint{PixelRound(a.X + t * dx), PixelRound(a.Y + t * dy)};
  };
  return std::make_pair(at(enter), at(leave));
}

void DrawTdcMarker(const ViewContext& state, Canvas& canvas, const WorkCurve& work,
                   int firstSample) {
  DrawingState& d = state.Drawing;
  d.DevFromTdc = 0;
  if (!(d.PixPerDeg > 0) || !std::isfinite(d.PixPerDeg)) return;
  const TdcModeState& tdc = state.View.Tdc;
  const std::optional<int> curveY = DpDaCurveY(state, work, TdcIndex + tdc.MarkerOffset);
  if (!curveY) return;

  const TdcMarkerShape shape = TdcMarkerGeometry(d, firstSample, tdc, *curveY);
  d.DevFromTdc = shape.DevFromTdc;
  // One pixel of slack, so that a marker on the plot's border stays visible.
  canvas.SetPen(Colors::Red, 1, PenStyle::Solid);
  for (const auto& [from, to] :
       {std::pair{shape.Lower, shape.OnCurve}, std::pair{shape.OnCurve, shape.Upper}}) {
    const auto part =
        ClipSegment(from, to, d.PlotLeft - 1, d.PlotTop - 1, d.PlotRight + 1, d.PlotBase + 1);
    if (!part) continue;
    canvas.MoveTo(part->first.X, part->first.Y);
    canvas.LineTo(part->second.X, part->second.Y);
  }
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
}

}  // namespace zephirax
