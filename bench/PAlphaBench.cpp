#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "ViewBench.h"
#include "platform/QtNumericLocale.h"

namespace {

using namespace zephirax;
using bench::Render;

// View 1: every cylinder's curve at 1280x800.
void AllCylinders(benchmark::State& bench) {
  Render(bench, ViewPAlphaAll);
}
BENCHMARK(AllCylinders)->Unit(benchmark::kMillisecond);

// View 0 with dp/da, the fuel trace and the value boxes.
void OneCylinderWithDetails(benchmark::State& bench) {
  Render(bench, ViewPAlphaSingle, [](AppState& state) {
    state.View.DpDaOn = true;
    state.View.FuelOn = true;
  });
}
BENCHMARK(OneCylinderWithDetails)->Unit(benchmark::kMillisecond);

}  // namespace

// Drawing text needs a GUI application; benchmarks run without a display.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  zephirax::KeepCNumberFormat();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
