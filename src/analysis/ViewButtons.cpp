#include "analysis/ViewButtons.h"

#include "analysis/ViewState.h"

namespace zephirax {

namespace {

void Show(ButtonFlags& button, bool visible) {
  button.Visible = visible;
}

// The p/alpha views: the single-cylinder tools except in the all-cylinder
// view, the reference tools in the reference view.
void PAlphaButtons(AnalysisButtons& b, int view, const MeasurementData& data,
                   const Settings& config) {
  const bool all = view == ViewPAlphaAll;
  const bool ref = view == ViewPAlphaRef;
  for (ButtonFlags* button : {&b.CylinderPlusBtn, &b.CylinderMinusBtn, &b.RefBtn, &b.CursorLeftBtn,
                              &b.CursorRightBtn, &b.CursorBtn, &b.FilterBtn}) {
    Show(*button, !all);
  }
  Show(b.RefCylinderPlusBtn, ref);
  Show(b.RefCylinderMinusBtn, ref);
  Show(b.RefFilterBtn, ref);
  for (ButtonFlags* button : {&b.dpdaBtn, &b.CopyBtn, &b.PrintButton, &b.FinishButton}) {
    Show(*button, true);
  }
  if (!all) {
    b.CursorBtn.Enabled = true;
    b.FilterBtn.Enabled = true;
    b.RefFilterBtn.Enabled = true;
  }
  // The all-cylinder view leaves the pscav button as it was.
  if (view == ViewPAlphaSingle) Show(b.pscavButton, true);
  if (ref) Show(b.pscavButton, false);
  Show(b.ZoomButton, data.HasMipBlock);
  Show(b.FuelButton, !all && config.SensorType == 1);
  Show(b.ACLButton, !all && config.SensorType == 2);
  b.FuelButton.Enabled = data.HasExtraChannel;
  b.ACLButton.Enabled = data.HasExtraChannel;
}

// The comparison views: print, copy and functions always; the cylinder
// buttons for the pmax single-cylinder and p/V single views; the cursor
// arrows for the p/V single view; the page button ("more->", the
// reference-plus button) for both engine table pages. Everything else hidden.
void ChartButtons(AnalysisButtons& b, int view) {
  for (ButtonFlags* button :
       {&b.CylinderMinusBtn, &b.CylinderPlusBtn, &b.RefCylinderMinusBtn, &b.RefCylinderPlusBtn,
        &b.RefBtn, &b.CursorLeftBtn, &b.CursorRightBtn, &b.CursorBtn, &b.ZoomButton, &b.dpdaBtn,
        &b.FilterBtn, &b.RefFilterBtn, &b.FuelButton, &b.ACLButton, &b.pscavButton,
        &b.autoButton}) {
    Show(*button, false);
  }
  for (ButtonFlags* button : {&b.PrintButton, &b.CopyBtn, &b.FinishButton}) Show(*button, true);
  const bool stepsCylinders = view == ViewPmaxSingle || view == ViewPVSingle;
  Show(b.CylinderMinusBtn, stepsCylinders);
  Show(b.CylinderPlusBtn, stepsCylinders);
  Show(b.CursorLeftBtn, view == ViewPVSingle);
  Show(b.CursorRightBtn, view == ViewPVSingle);
  // The page button is the reference-plus button relabelled; it must work
  // even when no reference file was ever loaded.
  const bool table = view == ViewEngineTable || view == ViewEngineTable2;
  Show(b.RefCylinderPlusBtn, table);
  if (table) b.RefCylinderPlusBtn.Enabled = true;
}

// The TDC views: the reference-file button saves, the cursor arrows shift
// the curve, the cylinder buttons work in the manual view and the marker
// buttons in the automatic one; dp/da is always drawn, so its button goes.
void TdcButtons(AnalysisButtons& b, int view) {
  b = AnalysisButtons{};
  for (ButtonFlags* button :
       {&b.RefBtn, &b.RefCylinderMinusBtn, &b.RefCylinderPlusBtn, &b.CursorLeftBtn,
        &b.CursorRightBtn, &b.FilterBtn, &b.RefFilterBtn, &b.ZoomButton, &b.FinishButton,
        &b.autoButton, &b.CylinderMinusBtn, &b.CylinderPlusBtn, &b.MarkerButtons, &b.PrintButton}) {
    *button = {true, true};
  }
  b.dpdaBtn.Enabled = true;
  const bool manual = view == ViewTdcManual;
  b.CylinderMinusBtn.Visible = b.CylinderPlusBtn.Visible = manual;
  b.MarkerButtons.Visible = !manual;
}

}  // namespace

AnalysisButtons ViewButtons(int view, const AnalysisButtons& before, const MeasurementData& data,
                            const Settings& config) {
  AnalysisButtons buttons = before;
  switch (view) {
    case ViewPAlphaSingle:
    case ViewPAlphaAll:
    case ViewPAlphaRef:
      PAlphaButtons(buttons, view, data, config);
      break;
    case ViewTdcAuto:
    case ViewTdcManual:
      TdcButtons(buttons, view);
      break;
    default:
      ChartButtons(buttons, view);
      break;
  }
  return buttons;
}

}  // namespace zephirax
