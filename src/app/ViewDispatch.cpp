#include "app/ViewDispatch.h"

#include "analysis/PAlphaViews.h"
#include "charts/DeviationCharts.h"
#include "charts/EngineRoomPage.h"
#include "charts/EngineTable.h"
#include "charts/PAlpha3DView.h"
#include "charts/PVViews.h"
#include "charts/ValueCharts.h"

namespace zephirax {

namespace {

enum class Needs { Nothing, Reference, MipItem, AddData, ShiftWorkflow, Unknown };

Needs ViewNeeds(int view) {
  switch (view) {
    case ViewPAlphaRef:
      return Needs::Reference;
    case ViewPVSingle:
    case ViewPVAll:
    case ViewMipAll:
    case ViewMipDeviation:
    case ViewPindAll:
    case ViewPindDeviation:
      return Needs::MipItem;
    case ViewTexhAll:
    case ViewTexhDeviation:
      return Needs::AddData;
    case ViewTdcAuto:
    case ViewTdcManual:
      return Needs::ShiftWorkflow;
    default:
      return view >= ViewPAlphaSingle && view <= ViewEngineTable2 ? Needs::Nothing : Needs::Unknown;
  }
}

bool Met(const AppState& state, Needs needs) {
  switch (needs) {
    case Needs::Nothing:
      return true;
    case Needs::Reference:
      return state.View.HasReference == -1;
    case Needs::MipItem:
      return state.Measurement->HasMipBlock;
    case Needs::AddData:
      return state.View.HasAddData != 0;
    default:
      return false;
  }
}

}  // namespace

bool ViewAvailable(const AppState& state, int view) {
  return state.View.AnalysisActive && Met(state, ViewNeeds(view));
}

const char* UnavailableReason(const AppState& state, int view) {
  if (!state.View.AnalysisActive) return "no measurement is loaded";
  switch (ViewNeeds(view)) {
    case Needs::Reference:
      return "it needs a reference file";
    case Needs::MipItem:
      return "the measurement has no MIP item";
    case Needs::AddData:
      return "it needs the additional data (an .EXH file)";
    case Needs::ShiftWorkflow:
      return "the TDC views are shown by the Shift TDC workflow only";
    case Needs::Unknown:
      return "there is no such view";
    default:
      return "it is available";
  }
}

ViewRun::ViewRun(const AppState& state)
    : view_(state.View),
      drawing_(state.Drawing),
      buttons_(state.Buttons),
      context_{*state.Measurement, *state.Reference, state.AddData,
               state.Config,       state.Regional,   view_,
               drawing_,           buttons_} {}

void ViewRun::TakeBack(AppState& state) const {
  state.View = view_;
  state.Drawing = drawing_;
  state.Buttons = buttons_;
}

void ShowView(AppState& state, Canvas& canvas, int view) {
  if (!ViewAvailable(state, view)) return;
  using Show = void (*)(const ViewContext&, Canvas&);
  static constexpr Show Routines[] = {
      ShowPAlphaSingle,  ShowPAlphaAll,     ShowPVSingle, ShowPVAll,          ShowPmaxSingle,
      ShowPmaxMean,      ShowPmaxDeviation, ShowMipAll,   ShowMipDeviation,   ShowPindAll,
      ShowPindDeviation, ShowEngineTable,   ShowRpmAll,   ShowPmaxAllStrokes, ShowPAlphaRef,
      nullptr,           ShowPAlpha3D,      ShowTexhAll,  ShowTexhDeviation,  nullptr,
      ShowEngineTable2};
  static_assert(std::size(Routines) == ViewEngineTable2 + 1);
  if (Routines[view] == nullptr) return;
  const ViewRun run(state);
  Routines[view](run.Context(), canvas);
  run.TakeBack(state);
}

}  // namespace zephirax
