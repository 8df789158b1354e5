#include <benchmark/benchmark.h>

#include <memory>

#include "BenchSupport.h"
#include "analysis/TdcCorrection.h"
#include "app/AppState.h"
#include "app/TdcHandlers.h"
#include "app/ViewDispatch.h"
#include "measurement/MeasurementReader.h"
#include "platform/QtCanvas.h"

// "Auto TDC correct" in view 15 on the largest measurement, with every redraw
// it makes at the window's 1280x800, as the user waits for it.

namespace zephirax::bench {
namespace {

void AutoTdcCorrection(benchmark::State& bench) {
  const std::string bytes = LargestFile();
  auto loaded = std::make_unique<MeasurementData>();
  if (!LoadMeasurementBytes(*loaded, bytes) || !loaded->HasMipBlock) {
    bench.SkipWithError("the generated measurement was rejected");
    return;
  }
  auto state = std::make_unique<AppState>();
  state->Drawing.ControlWidth = 1280;
  state->Drawing.ControlHeight = 800;
  QtCanvas canvas;
  int redraws = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    PrepareTdcState(*state, ViewTdcAuto);
    *state->Files.Measurement = *loaded;
    state->View.AnalysisActive = true;
    ShowView(*state, canvas, ViewTdcAuto);
    redraws = 0;
    bench.ResumeTiming();
    AutoTdcCorrect(*state->Files.Measurement, state->View, state->Drawing.DevFromTdc, [&] {
      ShowView(*state, canvas, ViewTdcAuto);
      benchmark::DoNotOptimize(canvas.Image().constBits());
      ++redraws;
    });
  }
  bench.counters["redraws"] = redraws;
}
BENCHMARK(AutoTdcCorrection)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zephirax::bench
