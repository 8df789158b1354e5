#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// What the print selection dialog asks and the fixed order in which the
// chosen pages are printed. The dialog's rules and the page table live here,
// without a window, so the print run, the dialog and the command line agree.

namespace zephirax {

// The check boxes of the print selection dialog, top to bottom.
enum class PrintBox : int {
  Setup,     // open the printer set-up dialog first
  Hardcopy,  // print a copy of the whole window instead of the report page
  Actual,    // the current view only
  All,       // every page of the table below
  PAlphaSingle,
  PAlphaAll,
  PAlpha3D,
  PVSingle,
  PVAll,
  PmaxSingle,
  PmaxAllStrokes,
  PmaxMean,
  PmaxDeviation,
  Mip,
  MipDeviation,
  Pind,
  PindDeviation,
  EngineTable,
  AddedData,
};
inline constexpr int PrintBoxCount = static_cast<int>(PrintBox::AddedData) + 1;

// The ticks of the dialog; a new selection has only the current view ticked.
struct PrintSelection {
  std::array<bool, PrintBoxCount> Ticked{};

  PrintSelection() { Ticked[static_cast<int>(PrintBox::Actual)] = true; }
  bool operator[](PrintBox box) const { return Ticked[static_cast<int>(box)]; }
};

// True for the boxes that choose one page of the table.
bool IsSinglePageBox(PrintBox box);

// The user ticks or unticks `box`. Ticking the current view, all pages or a
// single page clears the boxes the other two choices use; unticking changes
// nothing else. The set-up and hardcopy boxes stand on their own.
void SetTicked(PrintSelection& selection, PrintBox box, bool ticked);

// One page of the print run. Page 1 prints the view on screen as it is; the
// others draw their view first, the per-cylinder ones once for every cylinder.
struct PrintPage {
  int Number = 0;
  PrintBox Box = PrintBox::Actual;
  int32_t View = -1;  // the view drawn; -1: the current one
  bool EachCylinder = false;
  const char* JobTitle = "";
  // The page shows nothing but its frame without additional data, although
  // the window offers its view without them.
  bool NeedsAddData = false;
};

inline constexpr int FirstTablePage = 2;
inline constexpr int LastTablePage = 16;

// Pages 1 to 16 in the order they are printed.
std::span<const PrintPage> PrintPages();

// The page numbered `number`; nullptr for a number that names none.
const PrintPage* FindPrintPage(int number);

// The pages `selection` asks for, in the order of the table: page 1 for the
// current view, then pages 2 to 16 when all are ticked, else the ticked ones.
std::vector<int> ChosenPages(const PrintSelection& selection);

}  // namespace zephirax
