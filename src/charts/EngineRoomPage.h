#pragma once

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// The second page of the engine data table: the engine-room data recorded by
// hand with the measurement (turbochargers, charge-air cooler, power, fuel,
// notes), in ruled boxes.

namespace zephirax {

// Draws the page as view 20. Labels exist in German and English; French and
// Spanish users see the values alone. Temperatures follow TempUnit. The notes
// are written in up to nine lines, split at their line breaks and wrapped at
// spaces to the width of the notes box.
void ShowEngineTable2(const ViewContext& state, Canvas& canvas);

}  // namespace zephirax
