#pragma once

#include <string>

#include "app/AppState.h"
#include "measurement/KeywordScanner.h"

// What the TDC correction mode does to the program state; the main window
// adds the dialogs, the captions and the drawing.

namespace zephirax {

// The mode prepared for view 15 or 19: analysis buttons enabled but hidden,
// marker and shift state at their start, no measurement shown yet.
void PrepareTdcState(AppState& state, int tdcView);

// How reading a file for the TDC mode ended.
enum class TdcLoad { Loaded, Rejected, NoCrankAngle };

// Reads `fileName` as the measurement to correct. A rejected file leaves
// `fault` set and the mode without a curve; a file without the crank-angle
// layout cannot be corrected. Loaded: TdcFileName names it and the analysis
// is active.
TdcLoad ReadTdcFile(AppState& state, const std::string& fileName, LoadResult& fault);

// "Shift <-" (-1) and "Shift ->" (+1): the current cylinder by a quarter
// degree against the reference cylinder.
void ShiftTdc(AppState& state, int direction);

// The end of the mode: the shifts are forgotten (they live in memory only
// until saved) and the analysis ends.
void EndTdcState(AppState& state);

}  // namespace zephirax
