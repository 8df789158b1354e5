#pragma once

#include <string>

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// The engine data table: every evaluated cylinder value of the measurement as
// text, one row per cylinder, with a mean row, the summed indicated power and
// the engine load.

namespace zephirax {

// Draws the table as view 11. Columns whose values come from the crank-angle
// curves stay empty without them; the exhaust temperature, fuel rack and VIT
// columns stay empty without additional data. A cylinder count outside 1..20
// draws the header only.
void ShowEngineTable(const ViewContext& state, Canvas& canvas);

// A fuel rack or VIT figure as the table writes it: a decimal comma (from a
// regional number format) becomes a point, so every figure reads alike.
std::string PointDecimalComma(std::string figure);

}  // namespace zephirax
