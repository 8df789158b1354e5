#pragma once

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// The pressure-over-volume views: the cylinder pressure over the piston travel
// from top to bottom dead centre, so that the closed loop of the working cycle
// shows. Both need the crank-angle pressure curves; without them only the
// maker caption is drawn.

namespace zephirax {

// View 2: CurrentCylinder's loop with the cursor line and the value box.
void ShowPVSingle(const ViewContext& state, Canvas& canvas);

// The sample among first..last (indices on the 1440-sample grid) that view 2
// draws nearest to the point (x, y) of the picture, for a click that places
// the cursor. Nearest by distance on the picture, not by x alone: every piston
// position is passed twice, on compression and on expansion, and the user
// points at the stroke meant. -1 outside the plot or without a loop.
int PVSampleAt(const ViewContext& state, int x, int y, int first, int last);

// View 3: the loops of all cylinders in their colours, with a legend.
void ShowPVAll(const ViewContext& state, Canvas& canvas);

}  // namespace zephirax
