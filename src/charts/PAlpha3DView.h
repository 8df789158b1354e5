#pragma once

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// The pressure curves of all cylinders one behind the other in an oblique
// projection: cylinder 1 in front, each further cylinder shifted up and to the
// left, with lines joining the TDC pressures and the peaks of successive
// cylinders.

namespace zephirax {

// View 16. With crank-angle curves the window is -50..+50 degrees around TDC;
// the 180-sample layout shows its whole revolution and has no joining lines.
void ShowPAlpha3D(const ViewContext& state, Canvas& canvas);

}  // namespace zephirax
