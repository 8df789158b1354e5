#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

#include "BenchSupport.h"
#include "app/AnalysisHandlers.h"
#include "app/AppState.h"
#include "app/ViewDispatch.h"
#include "measurement/MeasurementReader.h"
#include "platform/LangText.h"
#include "platform/QtCanvas.h"
#include "platform/RecordingCanvas.h"

// Drawing a view as the window does after a resize, into the 1280x800 picture,
// for the largest measurement there is.

namespace zephirax::bench {

// 20 cylinders of 30 strokes with a fuel channel and additional data, analysed
// as the window analyses a file it has just opened.
inline std::unique_ptr<AppState> LargestAnalysis() {
  const std::string bytes = LargestFile();
  auto state = std::make_unique<AppState>();
  state->Config.SensorType = 1;
  state->Drawing.ControlWidth = 1280;
  state->Drawing.ControlHeight = 800;
  EnterAnalysisMode(*state);
  if (!LoadMeasurementBytes(*state->Files.Measurement, bytes)) return nullptr;
  for (int cylinder = 1; cylinder <= MaxCylinders; ++cylinder) {
    state->Files.AddData.Texh[cylinder] = 330 + 3 * cylinder;
    state->Files.AddData.FuelRack[cylinder] = 60.5f;
  }
  state->Files.HasAddData = true;
  state->View.AnalysisActive = true;
  return state;
}

inline void Render(benchmark::State& bench, int view,
                   const std::function<void(AppState&)>& setup = {}) {
  auto state = LargestAnalysis();
  if (!state) {
    bench.SkipWithError("the generated measurement was rejected");
    return;
  }
  if (setup) setup(*state);
  QtCanvas canvas;
  // How much the view draws, so that a figure is never read off an empty picture.
  RecordingCanvas recorder(&canvas);
  ShowView(*state, recorder, view);
  bench.counters["calls"] = static_cast<double>(recorder.Ops().size());
  for (auto _ : bench) {
    ShowView(*state, canvas, view);
    // Finishing the painter is part of getting the picture on screen.
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}

}  // namespace zephirax::bench
