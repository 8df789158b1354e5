#pragma once

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// The three pressure-over-crank-angle views: one cylinder, all cylinders, and
// one cylinder against a reference cylinder. Each sets the analysis buttons it
// uses, records its view code and draws from scratch.

namespace zephirax {

// The colour of a cylinder's curve and legend entry in the all-cylinder view.
Color CylinderColor(int cylinder);

void ShowPAlphaSingle(const ViewContext& state, Canvas& canvas);
void ShowPAlphaAll(const ViewContext& state, Canvas& canvas);
// The reference cylinder as last loaded beside the current cylinder.
void ShowPAlphaRef(const ViewContext& state, Canvas& canvas);

}  // namespace zephirax
