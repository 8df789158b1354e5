#include <benchmark/benchmark.h>

#include <memory>

#include "BenchSupport.h"
#include "measurement/Evaluation.h"
#include "measurement/MeasurementReader.h"
#include "platform/LangText.h"

namespace {

using namespace zephirax;
using bench::LargestFile;
using bench::SilentUserInterface;

// Loading the largest measurement and evaluating every cylinder is what
// opening a file costs.
void LoadAndEvaluate(benchmark::State& state) {
  const std::string bytes = LargestFile();
  auto data = std::make_unique<MeasurementData>();
  for (auto _ : state) {
    if (!LoadMeasurementBytes(*data, bytes)) state.SkipWithError("rejected");
    float sum = 0;
    for (int i = 1; i <= data->CylCount; ++i) {
      const CylinderResult v = CylinderValues(*data, i);
      sum += v.pmax + v.pTDC + v.pexp + v.apmax;
      sum += IntegrateMip(*data, i, static_cast<float>(data->Stroke),
                          static_cast<float>(data->ConRod));
      sum += IndicatedPower(data->StrokeCycle, data->CylRpm[i], data->CylMip[i],
                            static_cast<float>(data->Bore), static_cast<float>(data->Stroke));
      sum += PmaxDeviationPercent(*data, i) + MipDeviationPercent(*data, i);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(LoadAndEvaluate)->Unit(benchmark::kMillisecond);

// The reader alone, to tell its share from the evaluation's.
void LoadOnly(benchmark::State& state) {
  const std::string bytes = LargestFile();
  auto data = std::make_unique<MeasurementData>();
  for (auto _ : state) {
    if (!LoadMeasurementBytes(*data, bytes)) state.SkipWithError("rejected");
  }
}
BENCHMARK(LoadOnly)->Unit(benchmark::kMillisecond);

}  // namespace
