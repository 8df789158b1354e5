#include "analysis/TdcCorrection.h"

#include <algorithm>
#include <cmath>

#include "analysis/CurveShift.h"

namespace zephirax {

namespace {

constexpr int TdcStartCursor = 170;

void Redraw(const TdcRedraw& redraw) {
  if (redraw) redraw();
}

}  // namespace

void StartTdcMode(ViewState& view, int tdcView) {
  view.Tdc = TdcModeState{};
  view.CurrentView = tdcView;
  view.CurrentCylinder = 1;
  view.RefCylinder = 1;
  view.CursorPos = TdcStartCursor;
}

bool MoveMarker(TdcModeState& tdc, int offsetStep, int slopeStep) {
  const int offset = std::clamp(tdc.MarkerOffset + offsetStep, -200, 1040);
  const int slope = std::clamp(tdc.MarkerSlope + slopeStep, -120, 120);
  const bool moved = offset != tdc.MarkerOffset || slope != tdc.MarkerSlope;
  tdc.MarkerOffset = offset;
  tdc.MarkerSlope = slope;
  return moved;
}

int ReferenceShiftSteps(float devFromTdc) {
  const double degrees = static_cast<double>(devFromTdc) / 4;
  if (!std::isfinite(degrees)) return 0;
  // A marker far outside the curve cannot ask for more than a whole curve.
  const double steps = std::min(std::ceil(std::fabs(degrees) / 0.25), 1440.0);
  if (degrees > 0.125) return -static_cast<int>(steps);
  if (degrees < -0.125) return static_cast<int>(steps);
  return 0;
}

void AlignCylinder(MeasurementData& data, ViewState& view, int cylinder, const TdcRedraw& redraw) {
  if (cylinder < 1 || cylinder > std::min(data.CylCount, MaxCylinders)) return;
  const int ref = view.RefCylinder;
  TdcModeState& tdc = view.Tdc;
  const auto left = [&] { ShiftCurveLeft(data, tdc, cylinder, ref); };
  const auto right = [&] { ShiftCurveRight(data, tdc, cylinder, ref); };
  tdc.CompressionMismatch = CompressionMismatchOf(data, cylinder, ref);
  double previous = tdc.CompressionMismatch;
  left();
  Redraw(redraw);
  // Strict comparisons: on equal sums the search stops, so it always ends.
  if (tdc.CompressionMismatch >= previous) {
    right();
    right();
    Redraw(redraw);
    while (tdc.CompressionMismatch < previous) {
      previous = tdc.CompressionMismatch;
      right();
      Redraw(redraw);
    }
    left();
  } else {
    while (tdc.CompressionMismatch < previous) {
      previous = tdc.CompressionMismatch;
      left();
      Redraw(redraw);
    }
    right();
  }
  Redraw(redraw);
}

void AutoTdcCorrect(MeasurementData& data, ViewState& view, float devFromTdc,
                    const TdcRedraw& redraw) {
  if (view.CurrentView != ViewTdcAuto) {
    AlignCylinder(data, view, view.CurrentCylinder, redraw);
    return;
  }
  const int ref = view.RefCylinder;
  const int steps = ReferenceShiftSteps(devFromTdc);
  for (int k = 0; k < std::abs(steps); ++k) {
    if (steps < 0) {
      ShiftCurveLeft(data, view.Tdc, ref, ref);
    } else {
      ShiftCurveRight(data, view.Tdc, ref, ref);
    }
    Redraw(redraw);
  }
  for (int c = 1; c <= std::min(data.CylCount, MaxCylinders); ++c) {
    if (c == ref) continue;
    view.CurrentCylinder = c;
    AlignCylinder(data, view, c, redraw);
  }
  view.CurrentCylinder = ref;
  view.RefCylinder = ref;
  Redraw(redraw);
}

}  // namespace zephirax
