#include "app/ViewDispatch.h"

#include "analysis/ViewButtons.h"
#include "app/ViewRegistry.h"

namespace zephirax {

namespace {

bool Met(const AppState& state, ViewNeed needs) {
  switch (needs) {
    case ViewNeed::Nothing:
      return true;
    case ViewNeed::Reference:
      return state.Files.HasReference;
    case ViewNeed::MipItem:
      return state.Files.Measurement->HasMipBlock;
    case ViewNeed::AddData:
      return state.Files.HasAddData;
    case ViewNeed::ShiftWorkflow:
      // Only while the TDC mode runs, on a crank-angle measurement.
      return state.Files.Measurement->HasMipBlock && IsTdcView(state.View.CurrentView);
  }
  return false;
}

}  // namespace

bool ViewAvailable(const AppState& state, int view) {
  const ViewEntry* entry = FindView(view);
  return state.View.AnalysisActive && entry != nullptr && Met(state, entry->Needs);
}

const char* UnavailableReason(const AppState& state, int view) {
  if (!state.View.AnalysisActive) return "no measurement is loaded";
  const ViewEntry* entry = FindView(view);
  if (entry == nullptr) return "there is no such view";
  switch (entry->Needs) {
    case ViewNeed::Reference:
      return "it needs a reference file";
    case ViewNeed::MipItem:
      return "the measurement has no MIP item";
    case ViewNeed::AddData:
      return "it needs the additional data (an .EXH file)";
    case ViewNeed::ShiftWorkflow:
      return "the TDC views need the TDC mode and a measurement with a MIP item";
    case ViewNeed::Nothing:
      break;
  }
  return "it is available";
}

ViewRun::ViewRun(const AppState& state)
    : view_(state.View),
      drawing_(state.Drawing),
      context_{*state.Files.Measurement,
               *state.Files.Reference,
               state.Files.AddData,
               state.Files.HasAddData,
               state.Config,
               state.Regional,
               view_,
               drawing_} {}

void ViewRun::TakeBack(AppState& state) const {
  state.View = view_;
  state.Drawing = drawing_;
}

void ShowView(AppState& state, Canvas& canvas, int view) {
  if (!ViewAvailable(state, view)) return;
  const ViewEntry* entry = FindView(view);
  if (entry->Draw == nullptr) return;
  state.Window.Buttons =
      ViewButtons(view, state.Window.Buttons, *state.Files.Measurement, state.Config);
  const ViewRun run(state);
  entry->Draw(run.Context(), canvas);
  run.TakeBack(state);
}

}  // namespace zephirax
