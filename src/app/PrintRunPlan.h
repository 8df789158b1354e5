#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/AppState.h"

// The jobs of a print run, worked out before anything is printed: which view
// each job draws, for which cylinder, under which title, and which chosen
// pages the measurement cannot show.

namespace zephirax {

struct PrintJob {
  int Page = 0;          // the page of PrintPages() it prints
  int32_t View = 0;      // the view it prints
  int32_t Cylinder = 0;  // CurrentCylinder before it is drawn; 0: left as it is
  bool Redraw = true;    // false: the picture on screen is printed as it is
  std::string Title;     // the printer's job title
};

struct PrintPlan {
  std::vector<PrintJob> Jobs;
  // Pages that were chosen but need what the measurement lacks (the p/V,
  // MIP and Pind pages a MIP item, the engine-room page additional data).
  std::vector<int> LeftOut;
};

// The jobs of `pages` (numbers of PrintPages()) for the loaded measurement, in
// the order of the page table whatever the order of `pages`; a page given
// twice prints once. Nothing is printed without an analysis on screen.
PrintPlan PlanPrintRun(const AppState& state, const std::vector<int>& pages);

// The file, date, time and ship the report page names (UTF-8): the file's name
// without its folder, the measurement's date and time, and the ship of the
// measurement's additional data, or the configured ship where those name none.
struct ReportHeader {
  std::string File;
  std::string Date;
  std::string Time;
  std::string Ship;
};
ReportHeader ReportHeaderOf(const AppState& state);

}  // namespace zephirax
