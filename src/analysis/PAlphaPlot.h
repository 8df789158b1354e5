#pragma once

#include <array>
#include <optional>

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// The pressure-over-crank-angle diagram: the frame with its scales, and one
// cylinder's curve with everything that belongs to it (second channel, cursor,
// value boxes, dp/da, reference curve, corner caption). The views call the
// frame once and then the curve routine once per curve; nothing is cached.

namespace zephirax {

// A curve as the views use it: 1440 values indexed from 0 (index 720 is TDC).
using WorkCurve = std::array<float, SamplesPerCurve>;

// The pressure-axis maximum of the diagrams and charts for a bar maximum:
// itself for bar and MPa; for psi the smallest of 500, 750, 1000, 1500, 2000,
// 2500, 3000, 3500 not below 14.525 x barAxisMax, else 4000.
float PressureAxisMaximum(float barAxisMax, int pressureUnit);
// The same for the measurement's PressureAxisMax: the maximum handed to the frame.
float PAlphaAxisMax(const MeasurementData& data, int pressureUnit);

// Copies a stored curve (indexed from 1) into a working curve; with `filter`
// the display filter runs over it in place (indices 4..1435, each the mean of
// the nine values around it at that moment).
void MakeWorkingCurve(const Curve& stored, bool filter, WorkCurve& work);

// dp/da of a working curve at index k (1..1438), in bar per degree.
inline float DpDaAt(const WorkCurve& work, int k) {
  return 2.0f * (work[k + 1] - work[k - 1]);
}

// The height of the current cylinder's dp/da curve at index k of `work`, as
// the curve routine draws it on the last frame; k is held within 1..1438, so
// beyond the curve the nearest slope is taken. Empty when no dp/da scale can
// be built (no usable DpDaMax, no frame).
std::optional<int> DpDaCurveY(const ViewContext& state, const WorkCurve& work, int k);

// Sizes the canvas to state.Drawing.ControlWidth x ControlHeight, recomputes
// the drawing state and draws the frame, the scales and (view 0, not zoomed)
// the value-box frame. The fuel scale
// goes to the measurement's ExtraAxisMax, at least 500.
void DrawPAlphaFrame(const ViewContext& state, Canvas& canvas, float axisMax);

// The cursor position whose line the curve routine draws nearest to x, from
// the drawing state of the last frame; not held within any range. Without a
// usable frame the cursor stays where it is.
int CursorAtX(const ViewContext& state, int x);

// Draws cylinder `cylinder`'s curve in `color` over what is there. A zoomed
// cursor draw leaves CursorPos clamped into 520..920.
void DrawPAlphaCurve(const ViewContext& state, Canvas& canvas, int cylinder, Color color);

}  // namespace zephirax
