#include "app/TdcHandlers.h"

#include "analysis/CurveShift.h"
#include "analysis/TdcCorrection.h"
#include "app/AnalysisHandlers.h"
#include "measurement/MeasurementReader.h"

namespace zephirax {

void PrepareTdcState(AppState& state, int tdcView) {
  EnterAnalysisMode(state);
  state.Window.Buttons.autoButton.Enabled = true;
  StartTdcMode(state.View, tdcView);
  state.Files.HasReference = false;
  state.Files.HasAddData = false;
  state.Files.TdcFileName.clear();
}

TdcLoad ReadTdcFile(AppState& state, const std::string& fileName, LoadResult& fault) {
  state.Files.MeasFileName = fileName;
  MeasurementData& data = *state.Files.Measurement;
  fault = LoadMeasurement(data, fileName);
  if (!fault) return TdcLoad::Rejected;
  if (!data.HasMipBlock) return TdcLoad::NoCrankAngle;
  state.Files.TdcFileName = fileName;
  state.View.AnalysisActive = true;
  return TdcLoad::Loaded;
}

void ShiftTdc(AppState& state, int direction) {
  if (!state.View.AnalysisActive) return;
  ViewState& view = state.View;
  MeasurementData& data = *state.Files.Measurement;
  if (direction < 0) {
    ShiftCurveLeft(data, view.Tdc, view.CurrentCylinder, view.RefCylinder);
  } else {
    ShiftCurveRight(data, view.Tdc, view.CurrentCylinder, view.RefCylinder);
  }
}

void EndTdcState(AppState& state) {
  state.Files.Measurement->TdcShift.fill(0);
  state.View.Tdc = TdcModeState{};
  state.Files.TdcFileName.clear();
  LeaveAnalysisMode(state);
  state.View.CurrentView = ViewPAlphaAll;
}

}  // namespace zephirax
