#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "ViewBench.h"
#include "app/PrintRunPlan.h"
#include "app/QtPrintRun.h"
#include "printing/PrintSelection.h"
#include "printing/QtPrintTarget.h"

// The whole report of the largest measurement, every page of the table with
// the additional data, into one PDF file, as `zephirax-cli report` writes it.

namespace {

using namespace zephirax;

void FullReport(benchmark::State& bench) {
  auto state = bench::LargestAnalysis();
  QTemporaryDir folder;
  if (!state || !folder.isValid()) {
    bench.SkipWithError("no measurement or no folder to print into");
    return;
  }
  // The picture of the main window at the size it opens with.
  state->Drawing.ControlWidth = 1024;
  state->Drawing.ControlHeight = 648;
  QtCanvas picture;
  PrintScreen screen;
  screen.ShowView = [&](int view) { ShowView(*state, picture, view); };
  screen.ShowView(ViewPAlphaAll);
  std::vector<int> pages;
  for (int page = FirstTablePage; page <= LastTablePage; ++page) pages.push_back(page);
  const ReportLines lines = ReportLinesOf(ReportHeaderOf(*state), state->Config.Language);
  const QString path = QDir(folder.path()).filePath(QStringLiteral("report.pdf"));
  int jobs = 0;
  for (auto _ : bench) {
    const PrintPlan plan = PlanPrintRun(*state, pages);
    const std::unique_ptr<QtPrintTarget> target = PdfDocument(path);
    const PrintRunResult run = RunPrintJobs(*state, plan, false, lines, *target, screen);
    if (!run.Complete() || !target->Finish()) {
      bench.SkipWithError("the report could not be printed");
      return;
    }
    jobs = run.JobsPrinted;
  }
  bench.counters["pages"] = jobs;
  bench.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}

const bool Registered = [] {
  benchmark::RegisterBenchmark("FullReport", FullReport)->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
