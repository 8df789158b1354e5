#pragma once

#include <cstdint>
#include <span>

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"
#include "platform/LangText.h"

// Every view, described once: its code, what it needs, the routine that
// draws it and its entry in the view menu. The window, the command line's
// render command and the print run all find their views here.

namespace zephirax {

// What a view needs besides a loaded measurement.
// ShiftWorkflow: the TDC mode is running on a crank-angle measurement.
enum class ViewNeed { Nothing, Reference, MipItem, AddData, ShiftWorkflow };

// Where the Copy button goes when the menu shows the view.
enum class CopyPlace { Stay, AtCurves, AtBars };

using DrawView = void (*)(const ViewContext& context, Canvas& canvas);

struct ViewEntry {
  int32_t Code = 0;
  ViewNeed Needs = ViewNeed::Nothing;
  DrawView Draw = nullptr;
  const char* MenuName = nullptr;  // the menu item's object name; nullptr: not in the menu
  const LangText* MenuCaption = nullptr;
  CopyPlace Copy = CopyPlace::Stay;
};

// Every view once, those of the view menu first and in its order.
std::span<const ViewEntry> ViewRegistry();

// The view of `code`; nullptr for a code that names none.
const ViewEntry* FindView(int32_t code);

}  // namespace zephirax
