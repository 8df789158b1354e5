#include "analysis/TdcViews.h"

#include <algorithm>
#include <memory>

#include "analysis/PAlphaPlot.h"
#include "measurement/Units.h"

namespace zephirax {

namespace {

// The reference of these views: cylinder `refCylinder` of the measurement
// itself. Heap-held, a reference holds two curves.
std::unique_ptr<ReferenceData> OwnReference(const MeasurementData& data, int refCylinder) {
  auto reference = std::make_unique<ReferenceData>();
  reference->RefCylCount = data.CylCount;
  reference->RefCylRpm = data.CylRpm;
  reference->RefCylMip = data.CylMip;
  reference->RefCylPind = data.CylPind;
  if (refCylinder >= 1 && refCylinder <= std::min<int>(data.CylCount, MaxCylinders)) {
    reference->RefCurve = data.PressureCurve[refCylinder];
  }
  return reference;
}

// The psi axis of these views never goes below 1500; from there on it climbs
// the same ladder as the other views.
float TdcAxisMax(const MeasurementData& data, int pressureUnit) {
  const float axisMax = PAlphaAxisMax(data, pressureUnit);
  return pressureUnit == UnitPsi ? std::max(axisMax, 1500.0f) : axisMax;
}

void ShowTdcView(const ViewContext& state, Canvas& canvas, int code) {
  const MeasurementData& data = state.Measurement;
  ViewState view = state.View;
  view.CurrentView = code;
  view.DpDaOn = true;
  const std::unique_ptr<ReferenceData> reference = OwnReference(data, view.RefCylinder);
  const ViewContext tdc{data,         *reference,     state.AddData, state.HasAddData,
                        state.Config, state.Regional, view,          state.Drawing};

  if (code == ViewTdcAuto) state.Drawing.DevFromTdc = 0;
  DrawPAlphaFrame(tdc, canvas, TdcAxisMax(data, state.Config.PressureUnit));
  // Only a measurement with the crank-angle layout can be corrected.
  const bool drawable = data.HasMipBlock && data.CylCount >= 1 && data.CylCount <= MaxCylinders;
  if (drawable) DrawPAlphaCurve(tdc, canvas, view.CurrentCylinder, Colors::Green);

  state.View.CurrentView = code;
  state.View.CursorPos = view.CursorPos;
}

}  // namespace

void ShowTdcAuto(const ViewContext& state, Canvas& canvas) {
  ShowTdcView(state, canvas, ViewTdcAuto);
}

void ShowTdcManual(const ViewContext& state, Canvas& canvas) {
  ShowTdcView(state, canvas, ViewTdcManual);
}

}  // namespace zephirax
