#include "platform/MakerCaption.h"

namespace zephirax {

namespace {
constexpr const char* MakerText = "KORDA ZEPHIRAX";
// Font heights are cell heights: 7 pt is a 9-pixel em, whose cell is 10
// pixels high; 8 pt an 11-pixel em with a 12-pixel cell.
constexpr int CaptionFontHeight = 10;
constexpr int AfterCaptionFontHeight = 12;
}  // namespace

void DrawMakerCaption(Canvas& canvas) {
  canvas.SetFont(ViewFontName, CaptionFontHeight, true);
  canvas.SetFontColor(Colors::Black);
  const int x = canvas.Width() - 5 - canvas.TextWidth(MakerText);
  const int y = canvas.Height() - 5 - canvas.TextHeight("L");
  canvas.TextOut(x, y, MakerText);
  canvas.SetFont(ViewFontName, AfterCaptionFontHeight, true);
}

}  // namespace zephirax
