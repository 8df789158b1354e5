#pragma once

#include "platform/Canvas.h"

// The font every view starts with, and the maker caption in the bottom right
// corner that the diagrams and charts end with.

namespace zephirax {

inline constexpr const char* ViewFontName = "Arial";
inline constexpr int ViewFontHeight = 14;

// Writes "KORDA ZEPHIRAX" in the 7-point font, black, 5 pixels from the right
// and bottom edges, then leaves the 8-point font set.
void DrawMakerCaption(Canvas& canvas);

}  // namespace zephirax
