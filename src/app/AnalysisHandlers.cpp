#include "app/AnalysisHandlers.h"

#include <algorithm>

#include "adddata/AdditionalDataFile.h"
#include "analysis/PAlphaPlot.h"
#include "app/ViewDispatch.h"
#include "charts/PVViews.h"
#include "measurement/MeasurementReader.h"
#include "measurement/ReferenceReader.h"

namespace zephirax {

namespace {

bool ViewIn(const AppState& state, std::initializer_list<int> views) {
  for (const int view : views) {
    if (state.View.CurrentView == view) return true;
  }
  return false;
}

// Steps `value` by `delta` through 1..count, wrapping at both ends.
int32_t Wrapped(int32_t value, int delta, int32_t count) {
  if (count < 1) return 1;
  int32_t next = value + delta;
  if (next > count) next = 1;
  if (next < 1) next = count;
  return next;
}

}  // namespace

void EnterAnalysisMode(AppState& state) {
  AnalysisButtons& b = state.Window.Buttons;
  b = AnalysisButtons{};
  for (ButtonFlags* button :
       {&b.CylinderMinusBtn, &b.CylinderPlusBtn, &b.RefCylinderMinusBtn, &b.RefCylinderPlusBtn,
        &b.RefBtn, &b.CursorLeftBtn, &b.CursorRightBtn, &b.ZoomButton, &b.FinishButton, &b.dpdaBtn,
        &b.CopyBtn, &b.pscavButton, &b.PrintButton}) {
    button->Enabled = true;
  }
  ViewState& view = state.View;
  // The picture shows nothing until a measurement is loaded; a resize then
  // has nothing to redraw.
  view.AnalysisActive = false;
  view.CurrentCylinder = 1;
  view.RefCylinder = 1;
  view.FuelOn = view.ZoomOn = view.DpDaOn = view.AclOn = false;
  view.CursorPos = StartCursorPos;
  view.CursorOn = true;
}

void LeaveAnalysisMode(AppState& state) {
  state.View.AnalysisActive = false;
  state.Files.MeasFileName.clear();
  state.Window.Buttons = AnalysisButtons{};
}

LoadResult LoadForAnalysis(AppState& state, const std::string& fileName) {
  // The reader keeps the measurement in memory when it rejects a file; the
  // rest of the analysis state must stay with it, as it is still on screen.
  if (LoadResult result = LoadMeasurement(*state.Files.Measurement, fileName); !result)
    return result;
  EnterAnalysisMode(state);
  state.Files.MeasFileName = fileName;
  MeasurementData& data = *state.Files.Measurement;
  ViewState& view = state.View;
  state.Files.AuxFileName = AdditionalDataName(fileName);
  state.Files.HasAddData = false;
  LoadAdditionalDataFile(state, state.Files.AuxFileName);
  state.Files.HasReference = false;
  data.SetupValid = -1;
  view.ZoomOn = view.DpDaOn = false;
  view.AnalysisActive = true;
  return {};
}

LoadResult LoadReferenceFile(AppState& state, const std::string& fileName) {
  // A stepped reference cylinder is read from AuxFileName: a file that was
  // rejected must not replace the good one there.
  LoadResult result = LoadReference(*state.Files.Reference, *state.Files.Measurement, fileName, 1);
  if (!result) return result;
  state.Files.AuxFileName = fileName;
  state.Files.HasReference = true;
  state.View.RefCylinder = 1;
  return result;
}

LoadResult ReloadReference(AppState& state) {
  return LoadReference(*state.Files.Reference, *state.Files.Measurement, state.Files.AuxFileName,
                       state.View.RefCylinder);
}

bool LoadAdditionalDataFile(AppState& state, const std::string& fileName) {
  if (!ReadAdditionalData(state.Files.AddData, fileName, state.Files.Measurement->CylCount))
    return false;
  state.Files.HasAddData = true;
  return true;
}

CursorLimits CursorRange(const AppState& state) {
  if (!state.Files.Measurement->HasMipBlock) return {360, 1080};
  if (state.View.ZoomOn) return {520, 920};
  return {0, SamplesPerCurve - 1};
}

bool StepCylinder(AppState& state, int delta) {
  state.View.CurrentCylinder =
      Wrapped(state.View.CurrentCylinder, delta, state.Files.Measurement->CylCount);
  return ViewIn(state, {0, 2, 4, 14, 15, 19});
}

bool StepRefCylinder(AppState& state, int delta) {
  ViewState& view = state.View;
  if (delta > 0 && (view.CurrentView == ViewEngineTable || view.CurrentView == ViewEngineTable2)) {
    view.CurrentView = view.CurrentView == ViewEngineTable ? ViewEngineTable2 : ViewEngineTable;
    return true;
  }
  // The TDC views take their reference cylinder from the measurement itself.
  const bool tdc = IsTdcView(view.CurrentView);
  const int32_t count =
      tdc ? state.Files.Measurement->CylCount : state.Files.Reference->RefCylCount;
  view.RefCylinder = Wrapped(view.RefCylinder, delta, count);
  if (view.CurrentView == ViewTdcAuto) view.CurrentCylinder = view.RefCylinder;
  return ViewIn(state, {14, 15, 19});
}

bool StepCursor(AppState& state, int delta) {
  const CursorLimits limits = CursorRange(state);
  int32_t next = state.View.CursorPos + delta;
  if (next < limits.Low) next = limits.Low;
  if (next > limits.High) next = limits.High;
  state.View.CursorPos = next;
  return ViewIn(state, {0, 2, 14, 15});
}

bool CursorMovable(const AppState& state) {
  const AnalysisButtons& b = state.Window.Buttons;
  return state.View.AnalysisActive && !IsTdcView(state.View.CurrentView) &&
         b.CursorLeftBtn.Visible && b.CursorLeftBtn.Enabled && b.CursorRightBtn.Visible &&
         b.CursorRightBtn.Enabled;
}

bool StepCursorByKey(AppState& state, int direction, bool wholeDegree) {
  if (!CursorMovable(state)) return false;
  const int stepsPerDegree = state.Files.Measurement->HasMipBlock ? 4 : 2;
  return StepCursor(state, direction * (wholeDegree ? stepsPerDegree : 1));
}

bool PlaceCursor(AppState& state, int x, int y) {
  if (!CursorMovable(state)) return false;
  const CursorLimits limits = CursorRange(state);
  int target = 0;
  if (ViewIn(state, {ViewPAlphaSingle, ViewPAlphaRef})) {
    const DrawingState& d = state.Drawing;
    if (x < d.PlotLeft || x > d.PlotRight || y < d.PlotTop || y > d.PlotBase) return false;
    target = CursorAtX(ViewRun(state).Context(), x);
  } else if (ViewIn(state, {ViewPVSingle})) {
    target = PVSampleAt(ViewRun(state).Context(), x, y, limits.Low, limits.High);
    if (target < 0) return false;
  } else {
    return false;
  }
  target = std::clamp(target, limits.Low, limits.High);
  if (target == state.View.CursorPos) return false;
  state.View.CursorPos = target;
  return true;
}

bool ToggleCursor(AppState& state) {
  state.View.CursorOn = !state.View.CursorOn;
  state.Window.Buttons.CursorLeftBtn.Enabled = state.View.CursorOn;
  state.Window.Buttons.CursorRightBtn.Enabled = state.View.CursorOn;
  return ViewIn(state, {0, 14});
}

bool ToggleZoom(AppState& state) {
  state.View.ZoomOn = state.Files.Measurement->HasMipBlock && !state.View.ZoomOn;
  return ViewIn(state, {0, 1, 14, 15, 19, 16});
}

bool ToggleDpDa(AppState& state) {
  state.View.DpDaOn = !state.View.DpDaOn;
  return ViewIn(state, {0, 1, 15, 14});
}

bool ToggleFilter(AppState& state) {
  state.View.FilterOn = !state.View.FilterOn;
  // A step forward and back: the same cylinder, redrawn where it is shown.
  StepCylinder(state, +1);
  return StepCylinder(state, -1);
}

bool ToggleRefFilter(AppState& state) {
  state.View.RefFilterOn = !state.View.RefFilterOn;
  StepRefCylinder(state, +1);
  return StepRefCylinder(state, -1);
}

int ToggleFuel(AppState& state) {
  if (state.Files.Measurement->HasExtraChannel) state.View.FuelOn = !state.View.FuelOn;
  return state.View.CurrentView == ViewPAlphaRef ? ViewPAlphaRef : ViewPAlphaSingle;
}

int ToggleAcl(AppState& state) {
  if (state.Files.Measurement->HasExtraChannel) state.View.AclOn = !state.View.AclOn;
  return state.View.CurrentView == ViewPAlphaRef ? ViewPAlphaRef : ViewPAlphaSingle;
}

}  // namespace zephirax
