#include <benchmark/benchmark.h>

#include <memory>

#include "measurement/Evaluation.h"
#include "measurement/MeasurementReader.h"
#include "platform/LangText.h"
#include "platform/UserInterface.h"
#include "voltan-sim/Generator.h"

namespace {

using namespace zephirax;

class SilentUserInterface : public UserInterface {
 public:
  MsgResult MessageBox(const std::string&, const std::string&, MsgButtons) override {
    return MsgResult::Ok;
  }
  int Choose(const std::string&, const std::string&, const std::vector<std::string>&) override {
    return 0;
  }
  std::optional<std::string> OpenFileName(const std::string&, const std::string&,
                                          const std::vector<FileFilter>&) override {
    return {};
  }
  std::optional<std::string> SaveFileName(const std::string&, const std::string&,
                                          const std::vector<FileFilter>&) override {
    return {};
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return {};
  }
  void Beep() override {}
  void Hourglass(bool) override {}
};

// The largest measurement there is: 20 cylinders, 1440 samples, a fuel channel.
// Loading it and evaluating every cylinder is what opening a file costs.
std::string LargestFile() {
  voltansim::GeneratorOptions options = voltansim::EngineDefaults(4);
  options.Cylinders = 20;
  options.InLine = false;
  options.VAngle = 45;
  options.Extra = voltansim::SecondChannel::Fuel;
  return voltansim::GenerateMeasurement(options);
}

void LoadAndEvaluate(benchmark::State& state) {
  const std::string bytes = LargestFile();
  auto data = std::make_unique<MeasurementData>();
  SilentUserInterface ui;
  for (auto _ : state) {
    if (!LoadMeasurementBytes(*data, bytes, English, ui)) state.SkipWithError("rejected");
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
  SilentUserInterface ui;
  for (auto _ : state) {
    if (!LoadMeasurementBytes(*data, bytes, English, ui)) state.SkipWithError("rejected");
  }
}
BENCHMARK(LoadOnly)->Unit(benchmark::kMillisecond);

}  // namespace
