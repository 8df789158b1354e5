#pragma once

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// The value charts of the cylinder comparison: one green bar per cylinder (or
// per stroke) on a stepped value axis, the value over each bar, a red dotted
// line at the mean and the mean written above the plot. Each routine records
// its view, draws the picture from scratch and ends with the maker caption.
// A measurement whose cylinder or stroke count is out of range leaves a blank
// picture with the caption.

namespace zephirax {

// View 4: pmax of every stroke of CurrentCylinder.
void ShowPmaxSingle(const ViewContext& state, Canvas& canvas);
// View 5: mean pmax per cylinder.
void ShowPmaxMean(const ViewContext& state, Canvas& canvas);
// View 7: MIP per cylinder (axes and bars only with the MIP block).
void ShowMipAll(const ViewContext& state, Canvas& canvas);
// View 9: Pind per cylinder (axes and bars only with the MIP block).
void ShowPindAll(const ViewContext& state, Canvas& canvas);
// View 12: speed per cylinder.
void ShowRpmAll(const ViewContext& state, Canvas& canvas);
// View 13: pmax of every stroke of every cylinder, labelled with the mean pmax.
void ShowPmaxAllStrokes(const ViewContext& state, Canvas& canvas);
// View 17: exhaust-gas temperature per cylinder from the additional data.
void ShowTexhAll(const ViewContext& state, Canvas& canvas);

}  // namespace zephirax
