// Every writer, killed at any moment, leaves its file whole (old or new) and,
// after its next write, nothing beside it.

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <memory>
#include <vector>

#include "adddata/AdditionalDataFile.h"
#include "app/Config.h"
#include "devicelink/Receiver.h"
#include "files/EngineDataExport.h"
#include "measurement/CorrectedFileWriter.h"
#include "measurement/MeasurementReader.h"
#include "setup/EngineSetup.h"
#include "support/KillMidWrite.h"
#include "support/MeasurementFileBuilder.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;

// A measurement of 6 cylinders, 10 strokes (some 100 kB), in two versions
// that differ in their values.
struct Measurements {
  std::string Source;
  std::unique_ptr<MeasurementData> Versions[2];

  Measurements() {
    test::MeasurementFileBuilder file;
    file.Cylinders = 6;
    file.Strokes = 10;
    Source = file.Build();
    for (int v = 0; v < 2; ++v) {
      Versions[v] = std::make_unique<MeasurementData>();
      EXPECT_TRUE(LoadMeasurementBytes(*Versions[v], Source));
      Versions[v]->Pscav += v;
      for (float& pressure : Versions[v]->PressureCurve[1]) pressure += static_cast<float>(v);
    }
  }
};

// The writers, each writing into the folder it is given.
std::vector<test::KillableWriter> Writers(const Measurements& measurements,
                                          const test::TempDir& inputs) {
  const std::string source = inputs.File("SOURCE.KV");
  if (!fs::exists(source)) test::WriteBytes(source, measurements.Source);
  return {
      {"pscav correction",
       [&measurements](const std::string& folder, int v) {
         const std::string file = folder + "/A.KV";
         if (!fs::exists(file)) {
           fs::create_directories(folder);
           test::WriteBytes(file, measurements.Source);
         }
         return static_cast<bool>(WritePscavCorrected(*measurements.Versions[v], file));
       }},
      {"tdc shift",
       [&measurements, source](const std::string& folder, int v) {
         return static_cast<bool>(
             WriteTdcShifted(*measurements.Versions[v], source, folder + "/B.KV"));
       }},
      {"received measurement",
       [&inputs](const std::string& folder, int v) {
         // The received blocks wait in a file of their own, outside the folder.
         const std::string received = inputs.File("received" + std::to_string(v));
         if (!fs::exists(received)) test::WriteBytes(received, std::string(200000, 'a' + v));
         const std::string copy = received + ".copy";
         fs::copy_file(received, copy, fs::copy_options::overwrite_existing);
         return SaveReceivedMeasurement(copy, folder + "/M", true).has_value();
       }},
      {"setup",
       [](const std::string& folder, int v) {
         EngineSetup setup;
         NewSetupDefaults(setup);
         setup.Bore = 500 + v;
         return WriteSetupFile(setup, folder + "/ENGINE.SET");
       }},
      {"additional data",
       [](const std::string& folder, int v) {
         AdditionalData data;
         data.Texh[1] = 300 + v;
         return WriteAdditionalData(data, folder + "/A.EXH", 6);
       }},
      {"configuration",
       [](const std::string& folder, int v) {
         Settings settings;
         settings.ShipName = v == 0 ? "Old ship" : "New ship";
         return WriteConfig(settings, folder);
       }},
      {"export",
       [&measurements](const std::string& folder, int v) {
         return ExportEngineData(*measurements.Versions[v], AdditionalData(), {".", ","}, folder);
       }},
  };
}

const char* const WriterNames[] = {"PscavCorrection", "TdcShift",       "ReceivedMeasurement",
                                   "Setup",           "AdditionalData", "Configuration",
                                   "Export"};

// One test per writer, so that they run side by side.
class WriterKill : public ::testing::TestWithParam<size_t> {};

TEST_P(WriterKill, LeavesWholeFilesAndNoLitter) {
  const Measurements measurements;
  const test::TempDir inputs;
  const std::vector<test::KillableWriter> writers = Writers(measurements, inputs);
  ASSERT_EQ(writers.size(), std::size(WriterNames));
  test::ExpectWholeFilesAfterKills(writers[GetParam()]);
}

INSTANTIATE_TEST_SUITE_P(Writers, WriterKill, ::testing::Range<size_t>(0, std::size(WriterNames)),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                           return std::string(WriterNames[info.param]);
                         });

}  // namespace
}  // namespace zephirax
