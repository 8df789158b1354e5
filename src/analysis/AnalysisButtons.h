#pragma once

// Which analysis buttons the current view shows and which of them work. The
// view routines set it; the main window makes its buttons follow it after
// every handler, so the rules can be tested without a window.

namespace zephirax {

struct ButtonFlags {
  bool Visible = false;
  bool Enabled = false;
};

struct AnalysisButtons {
  ButtonFlags CylinderMinusBtn, CylinderPlusBtn;
  ButtonFlags RefCylinderMinusBtn, RefCylinderPlusBtn;
  ButtonFlags RefBtn;  // "Load Ref File"
  ButtonFlags CursorLeftBtn, CursorRightBtn, CursorBtn;
  ButtonFlags ZoomButton, dpdaBtn;
  ButtonFlags FilterBtn, RefFilterBtn;
  ButtonFlags FuelButton, ACLButton;
  ButtonFlags pscavButton, autoButton;
  ButtonFlags PrintButton, CopyBtn, FinishButton;
  ButtonFlags MarkerButtons;  // the four red marker buttons of view 15
};

}  // namespace zephirax
