#pragma once

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// The box of the automatic TDC view in the top right corner of the plot: the
// reference cylinder's MIP, power and shift so far, and the marker's
// deviation from TDC as the last marker draw left it in Drawing.

namespace zephirax {

void DrawTdcBox(const ViewContext& state, Canvas& canvas);

}  // namespace zephirax
