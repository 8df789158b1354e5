#include "app/ViewDispatch.h"

#include "analysis/PAlphaViews.h"

namespace zephirax {

bool ViewAvailable(const AppState& state, int view) {
  if (!state.View.AnalysisActive) return false;
  switch (view) {
    case ViewPAlphaSingle:
    case ViewPAlphaAll:
      return true;
    case ViewPAlphaRef:
      return state.View.HasReference == -1;
    default:
      // The other views are not built yet.
      return false;
  }
}

void ShowView(AppState& state, Canvas& canvas, UserInterface& ui, int view) {
  if (!ViewAvailable(state, view)) return;
  switch (view) {
    case ViewPAlphaSingle:
      ShowPAlphaSingle(state, canvas);
      break;
    case ViewPAlphaAll:
      ShowPAlphaAll(state, canvas);
      break;
    case ViewPAlphaRef:
      ShowPAlphaRef(state, canvas, ui);
      break;
    default:
      break;
  }
}

}  // namespace zephirax
