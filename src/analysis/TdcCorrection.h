#pragma once

#include <functional>

#include "analysis/ViewState.h"
#include "measurement/MeasurementData.h"

// The TDC correction mode without its window: the start of the mode, the
// marker steps and the automatic alignment of the cylinders. The window and
// the command line both run these; only the redraw differs.

namespace zephirax {

// The view the automatic correction shows after every shift (the window
// repaints; the command line draws it, for the same DevFromTdc).
using TdcRedraw = std::function<void()>;

// The mode's start for view 15 (automatic) or 19 (manual): marker at -5 and
// upright, no reference shift, cylinder and reference cylinder 1, cursor 170.
void StartTdcMode(ViewState& view, int tdcView);

// Marker buttons: the offset moves by `offsetStep` within -200..1040 and the
// slope by `slopeStep` within -120..120. False when nothing moved.
bool MoveMarker(TdcModeState& tdc, int offsetStep, int slopeStep);

// The whole quarter-degree shifts that bring the reference cylinder to the
// marker's TDC: negative to the left, positive to the right, none within
// 0.125 deg. `devFromTdc` is in quarter degrees, as view 15 reads it.
int ReferenceShiftSteps(float devFromTdc);

// One cylinder against the reference cylinder: quarter-degree steps on the
// compression mismatch, first to the left; when that does not lower it, to
// the right. Strictly downhill, then one step back to the best position.
void AlignCylinder(MeasurementData& data, ViewState& view, int cylinder, const TdcRedraw& redraw);

// "Auto TDC correct". View 19: the current cylinder against the reference
// cylinder. View 15: the reference cylinder moves by `devFromTdc` (read before
// the correction), then every other cylinder is aligned with it, and the
// reference cylinder is shown again.
void AutoTdcCorrect(MeasurementData& data, ViewState& view, float devFromTdc,
                    const TdcRedraw& redraw);

}  // namespace zephirax
