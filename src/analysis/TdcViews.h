#pragma once

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// The two views of the TDC correction mode, drawn with the pressure-over-
// crank-angle plot. The reference is a cylinder of the measurement itself
// (RefCylinder) and dp/da is always shown; neither the caller's reference nor
// its dp/da toggle is touched. Like every view they record their code and
// leave the clamped cursor in View.

namespace zephirax {

// View 15: the current cylinder (the caller keeps it on the reference
// cylinder) with its dp/da curve, the marker and the TDC box; leaves the
// marker's deviation in Drawing.DevFromTdc.
void ShowTdcAuto(const ViewContext& state, Canvas& canvas);

// View 19: the current cylinder against the reference cylinder, both with
// dp/da, and the reference table with the shift of both.
void ShowTdcManual(const ViewContext& state, Canvas& canvas);

}  // namespace zephirax
