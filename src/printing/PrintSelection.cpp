#include "printing/PrintSelection.h"

#include <array>

#include "analysis/ViewState.h"

namespace zephirax {

namespace {

using enum PrintBox;

constexpr std::array<PrintPage, 16> Pages{{
    {1, Actual, -1, false, "ZEPHIRAX: print actual page"},
    {2, PAlphaAll, ViewPAlphaAll, false, "ZEPHIRAX: print p/alpha all"},
    {3, PAlpha3D, ViewPAlpha3D, false, "ZEPHIRAX: print palpha3D"},
    {4, PAlphaSingle, ViewPAlphaSingle, true, "ZEPHIRAX: print p/alpha single"},
    {5, PVSingle, ViewPVSingle, true, "ZEPHIRAX: print p/V single"},
    {6, PVAll, ViewPVAll, false, "ZEPHIRAX: print p/V all"},
    {7, Mip, ViewMipAll, false, "ZEPHIRAX: print MIP all"},
    {8, MipDeviation, ViewMipDeviation, false, "ZEPHIRAX: print MIP dev"},
    {9, Pind, ViewPindAll, false, "ZEPHIRAX: print Pind all"},
    {10, PindDeviation, ViewPindDeviation, false, "ZEPHIRAX: print Pind dev"},
    {11, EngineTable, ViewEngineTable, false, "ZEPHIRAX: print engine data table"},
    {12, PmaxDeviation, ViewPmaxDeviation, false, "ZEPHIRAX: print pmax dev"},
    {13, PmaxMean, ViewPmaxMean, false, "ZEPHIRAX: print pmax all"},
    {14, PmaxAllStrokes, ViewPmaxAllStrokes, false, "ZEPHIRAX: print pmax all strokes"},
    // The engine-room data are the engine table's second page.
    {15, AddedData, ViewEngineTable2, false, "ZEPHIRAX: print added data", true},
    {16, PmaxSingle, ViewPmaxSingle, true, "ZEPHIRAX: print pmax single"},
}};

bool& Tick(PrintSelection& selection, PrintBox box) {
  return selection.Ticked[static_cast<int>(box)];
}

}  // namespace

bool IsSinglePageBox(PrintBox box) {
  return box != Setup && box != Hardcopy && box != Actual && box != All;
}

void SetTicked(PrintSelection& selection, PrintBox box, bool ticked) {
  Tick(selection, box) = ticked;
  if (!ticked || box == Setup || box == Hardcopy) return;
  for (int k = 0; k < PrintBoxCount; ++k) {
    const auto other = static_cast<PrintBox>(k);
    if (other == box || other == Setup || other == Hardcopy) continue;
    // A single page clears the two whole choices and leaves its peers.
    if (IsSinglePageBox(box) && IsSinglePageBox(other)) continue;
    Tick(selection, other) = false;
  }
}

std::span<const PrintPage> PrintPages() {
  return Pages;
}

const PrintPage* FindPrintPage(int number) {
  for (const PrintPage& page : Pages) {
    if (page.Number == number) return &page;
  }
  return nullptr;
}

std::vector<int> ChosenPages(const PrintSelection& selection) {
  std::vector<int> pages;
  for (const PrintPage& page : Pages) {
    const bool chosen =
        page.Box == Actual ? selection[Actual] : selection[All] || selection[page.Box];
    if (chosen) pages.push_back(page.Number);
  }
  return pages;
}

}  // namespace zephirax
