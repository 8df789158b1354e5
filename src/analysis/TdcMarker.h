#pragma once

#include <optional>
#include <utility>

#include "analysis/PAlphaPlot.h"

// The marker of the automatic TDC view: a red line the user lays against the
// dp/da curve around TDC. Where it crosses the dp/da zero line tells how far
// the cylinder's TDC lies from the TDC line.

namespace zephirax {

struct PixelPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// The marker before clipping: a line from Lower through OnCurve on to Upper.
struct TdcMarkerShape {
  PixelPoint Lower;      // on the line a quarter of the plot height above the base
  PixelPoint OnCurve;    // on the dp/da curve at 720 + MarkerOffset
  PixelPoint Upper;      // where the line ends past OnCurve
  float DevFromTdc = 0;  // the crossing with the dp/da zero line from the TDC line [quarter deg]
};

// The marker on the plot `d` whose left edge shows sample `firstSample` (0,
// or 520 zoomed), for the mode's marker state; `curveY` is the height of the
// dp/da curve at index 720 + MarkerOffset.
TdcMarkerShape TdcMarkerGeometry(const DrawingState& d, int firstSample, const TdcModeState& tdc,
                                 int curveY);

// The part of the segment a-b inside the rectangle (edges included); empty
// when none of it lies inside.
std::optional<std::pair<PixelPoint, PixelPoint>> ClipSegment(PixelPoint a, PixelPoint b, int left,
                                                             int top, int right, int bottom);

// Draws the marker for the working curve `work` of the drawn cylinder and
// leaves its deviation in Drawing.DevFromTdc (0 when no marker can be drawn).
void DrawTdcMarker(const ViewContext& state, Canvas& canvas, const WorkCurve& work,
                   int firstSample);

}  // namespace zephirax
