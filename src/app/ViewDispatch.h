#pragma once

#include "analysis/ViewContext.h"
#include "app/AppState.h"
#include "platform/Canvas.h"

// One place that knows which routine draws which view.

namespace zephirax {

// Whether the view's menu item is usable for the loaded measurement: the view
// is reached through the menu or the table's page button, and its data are
// there (the reference view needs a reference file, the texh views additional
// data, the p/V, MIP and Pind views a MIP item). The TDC views are available
// only while the TDC mode runs (CurrentView 15 or 19) on a crank-angle
// measurement.
bool ViewAvailable(const AppState& state, int view);

// Why ViewAvailable says no, in English, for the command line.
const char* UnavailableReason(const AppState& state, int view);

// One drawing of a view from the program state: the view reads the loaded
// files and the settings and works on copies of the view state and the
// drawing state, which TakeBack puts into the program state.
class ViewRun {
 public:
  explicit ViewRun(const AppState& state);
  ViewRun(const ViewRun&) = delete;
  ViewRun& operator=(const ViewRun&) = delete;
  const ViewContext& Context() const { return context_; }
  // The view state with the view's code and clamped cursor, and the plot
  // geometry.
  void TakeBack(AppState& state) const;

 private:
  ViewState view_;
  DrawingState drawing_;
  ViewContext context_;
};

// Shows the buttons of `view` (ViewButtons) and draws it from scratch (the routine records it as
// CurrentView). A view that is not available leaves the picture as it is.
void ShowView(AppState& state, Canvas& canvas, int view);

}  // namespace zephirax
