#include <string>

#include "ViewBench.h"

// Every comparison view, each a benchmark of its own named after its view code.

namespace {

using namespace zephirax;

const bool Registered = [] {
  for (const int view :
       {ViewPVSingle, ViewPVAll, ViewPmaxSingle, ViewPmaxMean, ViewPmaxDeviation, ViewMipAll,
        ViewMipDeviation, ViewPindAll, ViewPindDeviation, ViewEngineTable, ViewRpmAll,
        ViewPmaxAllStrokes, ViewPAlpha3D, ViewTexhAll, ViewTexhDeviation, ViewEngineTable2}) {
    benchmark::RegisterBenchmark(("View" + std::to_string(view)).c_str(),
                                 [view](benchmark::State& bench) { bench::Render(bench, view); })
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
