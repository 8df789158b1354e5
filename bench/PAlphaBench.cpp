#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "BenchSupport.h"
#include "app/AnalysisHandlers.h"
#include "app/AppState.h"
#include "app/ViewDispatch.h"
#include "measurement/MeasurementReader.h"
#include "platform/LangText.h"
#include "platform/QtCanvas.h"
#include "platform/RecordingCanvas.h"

namespace {

using namespace zephirax;
using bench::LargestFile;
using bench::SilentUserInterface;

// The heaviest picture there is: 20 cylinders with a fuel channel, analysed
// as the window analyses a file it has just opened.
std::unique_ptr<AppState> LargestAnalysis() {
  const std::string bytes = LargestFile();
  auto state = std::make_unique<AppState>();
  state->Config.SensorType = 1;
  state->Drawing.ControlWidth = 1280;
  state->Drawing.ControlHeight = 800;
  EnterAnalysisMode(*state);
  SilentUserInterface ui;
  if (!LoadMeasurementBytes(*state->Measurement, bytes, English, ui)) return nullptr;
  state->View.AnalysisActive = true;
  return state;
}

void Render(benchmark::State& bench, int view, bool details) {
  auto state = LargestAnalysis();
  if (!state) {
    bench.SkipWithError("the generated measurement was rejected");
    return;
  }
  state->View.DpDaOn = details;
  state->View.FuelOn = details;
  QtCanvas canvas;
  SilentUserInterface ui;
  // How much the view draws, so that a figure is never read off an empty picture.
  RecordingCanvas recorder(&canvas);
  ShowView(*state, recorder, ui, view);
  bench.counters["calls"] = static_cast<double>(recorder.Ops().size());
  for (auto _ : bench) {
    ShowView(*state, canvas, ui, view);
    // Finishing the painter is part of getting the picture on screen.
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}

// View 1: every cylinder's curve at 1280x800.
void AllCylinders(benchmark::State& bench) {
  Render(bench, ViewPAlphaAll, false);
}
BENCHMARK(AllCylinders)->Unit(benchmark::kMillisecond);

// View 0 with dp/da, the fuel trace and the value boxes.
void OneCylinderWithDetails(benchmark::State& bench) {
  Render(bench, ViewPAlphaSingle, true);
}
BENCHMARK(OneCylinderWithDetails)->Unit(benchmark::kMillisecond);

}  // namespace

// Drawing text needs a GUI application; benchmarks run without a display.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
