#pragma once

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// The deviation charts: each cylinder's departure from the engine mean in
// percent, as a bar from the zero line. Bars inside the limit (10 %, texh
// 15 %) are green; beyond it they are red, cut at the plot edge and labelled
// with the figure. Deviations are computed on the stored values (bar, kW,
// degC); only the written values follow the display units.

namespace zephirax {

// View 6: PmaxMean; a mean below 0.1 bar counts as 0.1.
void ShowPmaxDeviation(const ViewContext& state, Canvas& canvas);
// View 8: CylMip. Draws only with HasMipBlock.
void ShowMipDeviation(const ViewContext& state, Canvas& canvas);
// View 10: CylPind. Draws only with HasMipBlock.
void ShowPindDeviation(const ViewContext& state, Canvas& canvas);
// View 18: the exhaust-gas temperatures of the additional data.
void ShowTexhDeviation(const ViewContext& state, Canvas& canvas);

}  // namespace zephirax
