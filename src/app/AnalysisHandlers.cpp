#include "app/AnalysisHandlers.h"

namespace zephirax {

void EnterAnalysisMode(AppState&) {}
void LeaveAnalysisMode(AppState&) {}
bool LoadForAnalysis(AppState&, const std::string&, UserInterface&) { return false; }
bool LoadReferenceFile(AppState&, const std::string&, UserInterface&) { return false; }
CursorLimits CursorRange(const AppState&) { return {}; }
bool StepCylinder(AppState&, int) { return false; }
bool StepRefCylinder(AppState&, int) { return false; }
bool StepCursor(AppState&, int) { return false; }
bool ToggleCursor(AppState&) { return false; }
bool ToggleZoom(AppState&) { return false; }
bool ToggleDpDa(AppState&) { return false; }
bool ToggleFilter(AppState&) { return false; }
bool ToggleRefFilter(AppState&) { return false; }
int ToggleFuel(AppState&) { return 0; }
int ToggleAcl(AppState&) { return 0; }

}  // namespace zephirax
