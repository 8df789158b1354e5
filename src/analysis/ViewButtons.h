#pragma once

#include "analysis/AnalysisButtons.h"
#include "measurement/MeasurementData.h"
#include "platform/Settings.h"

// Which analysis buttons each view shows: one rule for every view, applied
// before the view is drawn.

namespace zephirax {

// The buttons shown with `view`. `before` are the buttons shown so far: the
// handlers' enabled states carry over, and the all-cylinder p/alpha view
// leaves the pscav button as it was. The TDC views have buttons of their own.
AnalysisButtons ViewButtons(int view, const AnalysisButtons& before, const MeasurementData& data,
                            const Settings& config);

}  // namespace zephirax
