#include "app/PrintRunPlan.h"

#include <algorithm>
#include <filesystem>

#include "app/ViewDispatch.h"
#include "platform/TextEncoding.h"
#include "printing/PrintSelection.h"

namespace zephirax {

PrintPlan PlanPrintRun(const AppState& state, const std::vector<int>& pages) {
  PrintPlan plan;
  if (!state.View.AnalysisActive) return plan;
  const int32_t cylCount = state.Files.Measurement->CylCount;
  for (const PrintPage& page : PrintPages()) {
    if (std::find(pages.begin(), pages.end(), page.Number) == pages.end()) continue;
    if (page.View < 0) {
      plan.Jobs.push_back({page.Number, state.View.CurrentView, 0, false, page.JobTitle});
      continue;
    }
    if (!ViewAvailable(state, page.View) || (page.NeedsAddData && !state.Files.HasAddData)) {
      plan.LeftOut.push_back(page.Number);
      continue;
    }
    if (!page.EachCylinder) {
      plan.Jobs.push_back({page.Number, page.View, 0, true, page.JobTitle});
      continue;
    }
    for (int32_t cylinder = 1; cylinder <= cylCount; ++cylinder) {
      plan.Jobs.push_back({page.Number, page.View, cylinder, true, page.JobTitle});
    }
  }
  return plan;
}

ReportHeader ReportHeaderOf(const AppState& state) {
  const LoadedFiles& files = state.Files;
  ReportHeader header;
  header.File = std::filesystem::path(files.MeasFileName).filename().string();
  header.Date = Cp1252ToUtf8(files.Measurement->MeasDate);
  header.Time = Cp1252ToUtf8(files.Measurement->MeasTime);
  // The additional data name the ship the measurement was taken on; the
  // configured name stands for the ship the program is used on.
  const std::string ship = files.HasAddData ? Cp1252ToUtf8(files.AddData.ShipName) : std::string();
  header.Ship = ship.empty() ? state.Config.ShipName : ship;
  return header;
}

}  // namespace zephirax
