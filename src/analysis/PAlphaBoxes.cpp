#include "analysis/PAlphaBoxes.h"

namespace zephirax {

void DrawSingleValueBoxFrame(const AppState&, Canvas&) {}
void WriteSingleValues(const AppState&, Canvas&, int, const WorkCurve&) {}
void DrawZoomCursorBox(const AppState&, Canvas&, int, const WorkCurve&) {}
FuelInjectionValues FuelInjection(const Curve&) { return {}; }
void DrawFuelBox(const AppState&, Canvas&, int) {}
void DrawReferenceTable(const AppState&, Canvas&, int, const WorkCurve&, const WorkCurve&) {}

}  // namespace zephirax
