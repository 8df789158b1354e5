#pragma once

#include "app/AppState.h"
#include "platform/Canvas.h"

// The pressure-over-volume views: the cylinder pressure over the piston travel
// from top to bottom dead centre, so that the closed loop of the working cycle
// shows. Both need the crank-angle pressure curves; without them only the
// maker caption is drawn.

namespace zephirax {

// View 2: CurrentCylinder's loop with the cursor line and the value box.
void ShowPVSingle(AppState& state, Canvas& canvas);

// View 3: the loops of all cylinders in their colours, with a legend.
void ShowPVAll(AppState& state, Canvas& canvas);

}  // namespace zephirax
