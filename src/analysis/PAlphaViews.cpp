#include "analysis/PAlphaViews.h"

namespace zephirax {

Color CylinderColor(int) { return Colors::Black; }
void ShowPAlphaSingle(AppState&, Canvas&) {}
void ShowPAlphaAll(AppState&, Canvas&) {}
void ShowPAlphaRef(AppState&, Canvas&, UserInterface&) {}

}  // namespace zephirax
