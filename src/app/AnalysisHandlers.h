#pragma once

#include <string>

#include "app/AppState.h"
#include "measurement/KeywordScanner.h"

// What the main window's analysis buttons do to the program state. Each
// handler returns true when the current view has to be redrawn; the window
// then calls ShowView and makes its buttons follow state.Window.Buttons.

namespace zephirax {

// Analysis mode on: every analysis button enabled but hidden (the views show
// theirs), cylinder 1, reference cylinder 1, cursor at 680 and on, zoom, dp/da,
// fuel and ACL off. Leaving hides and disables them all and clears the file name.
void EnterAnalysisMode(AppState& state);
void LeaveAnalysisMode(AppState& state);

// Steps 3 to 6 of the Analyse workflow. A rejected file changes nothing: the
// fault is returned for the caller to tell, and the measurement being analysed
// stays as it was. A loaded one starts a new analysis (EnterAnalysisMode), reads the
// ".EXH" file beside it into AddData (HasAddData) and clears the reference,
// zoom and dp/da.
LoadResult LoadForAnalysis(AppState& state, const std::string& fileName);

// "Load Ref File": loads cylinder 1 of `fileName` as reference; on success
// HasReference is set, AuxFileName names the file and RefCylinder is 1.
LoadResult LoadReferenceFile(AppState& state, const std::string& fileName);

// Reads reference cylinder RefCylinder of AuxFileName anew, once it was
// stepped; the views draw the reference as it was last loaded. A failure
// leaves the previous reference in place.
LoadResult ReloadReference(AppState& state);

// Reads `fileName` as the measurement's additional data instead of the file
// beside it; AuxFileName is left alone (a reference may be named there).
bool LoadAdditionalDataFile(AppState& state, const std::string& fileName);

struct CursorLimits {
  int Low = 0;
  int High = 0;
};
// 0..1439 (520..920 zoomed) with a MIP item, else 360..1080.
CursorLimits CursorRange(const AppState& state);

bool StepCylinder(AppState& state, int delta);  // CYL+ / CYL-, wrapping
bool StepRefCylinder(AppState& state,
                     int delta);  // RefCYL+ / RefCYL-; in views 11 and 20 plus turns the table page
bool StepCursor(AppState& state, int delta);  // Cursor <- / Cursor ->

// The cursor keys and clicks on the picture work only where the cursor
// buttons do: in a view that shows them enabled, outside the TDC views (whose
// arrow buttons shift the curve instead).
bool CursorMovable(const AppState& state);
// The Left (-1) and Right (+1) keys: one step of the cursor buttons, or with
// `wholeDegree` one degree of crank angle (4 steps on the 1440-sample grid, 2
// in the 180-sample layout, whose cursor steps are half degrees).
bool StepCursorByKey(AppState& state, int direction, bool wholeDegree);
// A left click at (x, y) on the picture: in views 0 and 14 the cursor goes to
// the crank angle under x, in view 2 to the loop sample drawn nearest to the
// point; always within CursorRange. Clicks outside the plot do nothing.
bool PlaceCursor(AppState& state, int x, int y);
bool ToggleCursor(AppState& state);
bool ToggleZoom(AppState& state);  // forced off without a MIP item
bool ToggleDpDa(AppState& state);
bool ToggleFilter(AppState& state);
bool ToggleRefFilter(AppState& state);
// Fuel and ACL toggle only with a second channel; both return the view to
// show next (14 when it is active, else 0).
int ToggleFuel(AppState& state);
int ToggleAcl(AppState& state);

}  // namespace zephirax
