#include "platform/MakerCaption.h"

namespace zephirax {

namespace {
constexpr const char* MakerText = "KORDA ZEPHIRAX";
constexpr int CaptionFontHeight = 9;        // 7 pt
constexpr int AfterCaptionFontHeight = 11;  // 8 pt
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
