#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "adddata/AdditionalDataFile.h"
#include "analysis/TdcSave.h"
#include "app/Config.h"
#include "devicelink/Receiver.h"
#include "files/FileOperations.h"
#include "measurement/MeasurementReader.h"
#include "measurement/ReferenceReader.h"
#include "platform/Settings.h"
#include "setup/EngineSetup.h"
#include "support/MeasurementFileBuilder.h"
#include "support/SpecialFiles.h"
#include "support/TempDir.h"

// Every reader handed a FIFO, a folder or a device refuses it at once, and
// without waiting for a writer on the FIFO.

namespace zephirax {
namespace {

namespace fs = std::filesystem;

class KeepingTrash : public Trash {
 public:
  bool MoveToTrash(const std::string&, std::string& why) override {
    why = "not in this test";
    return false;
  }
};

bool IsNotRegular(const LoadResult& result) {
  return !result && result.Fault->Reason == FaultReason::NotRegular;
}

struct Reader {
  const char* What;
  // Reads the special file at `path` (in `dir`); true when it was refused
  // the way that reader refuses.
  std::function<bool(const test::TempDir& dir, const std::string& path)> Refuses;
  const char* Name = "SPECIAL";  // the name the reader is pointed at
};

TEST(NonRegularInput, EveryReaderRefusesWithoutWaiting) {
  const std::vector<Reader> readers = {
      {"measurement",
       [](const test::TempDir&, const std::string& path) {
         auto data = std::make_unique<MeasurementData>();
         return IsNotRegular(LoadMeasurement(*data, path));
       }},
      {"reference",
       [](const test::TempDir&, const std::string& path) {
         auto data = std::make_unique<MeasurementData>();
         auto reference = std::make_unique<ReferenceData>();
         return IsNotRegular(LoadReference(*reference, *data, path, 1));
       }},
      {"setup", [](const test::TempDir&,
                   const std::string& path) { return !ParseSetupFile(path).has_value(); }},
      {"additional data",
       [](const test::TempDir&, const std::string& path) {
         AdditionalData data;
         data.RunningHours = 7;
         return !ReadAdditionalData(data, path, 4) && data.RunningHours == 7;
       }},
      {"configuration",
       [](const test::TempDir& dir, const std::string& path) {
         Settings settings;
         ReadConfig(settings, dir.Path().string());
         // Not replaced either: whatever is there stays.
         return settings.Language == 1 && !WriteConfig(settings, dir.Path().string()) &&
                !fs::is_regular_file(fs::symlink_status(path));
       },
       "ZEPHIRAX.INI"},
      {"additional data taken along by the TDC save",
       [](const test::TempDir& dir, const std::string& path) {
         const std::string source = dir.File("ORIG.KV");
         test::WriteBytes(source, test::MeasurementFileBuilder().Build());
         auto data = std::make_unique<MeasurementData>();
         if (!LoadMeasurement(*data, source)) return false;
         const TdcSaveResult result = SaveTdcFile(*data, source, dir.File("NEW"), path);
         return result.Write && result.ExhFailed;
       }},
      {"receiver's working copy",
       [](const test::TempDir& dir, const std::string& path) {
         return !SaveReceivedMeasurement(path, dir.File("OUT"), true) &&
                !fs::exists(dir.File("OUT.KV"));
       }},
      {"copy source",
       [](const test::TempDir& dir, const std::string& path) {
         fs::create_directory(dir.File("to"));
         KeepingTrash trash;
         SilentProgress progress;
         const OperationOutcome outcome =
             TransferFiles(Transfer::Copy, {path}, dir.File("to"), trash, progress);
         return outcome.Failure && outcome.Failure->Fault == OperationFault::NotRegular &&
                fs::is_empty(dir.File("to"));
       }},
  };
  for (const Reader& reader : readers) {
    for (const test::SpecialFile& special : test::SpecialFiles()) {
      SCOPED_TRACE(std::string(reader.What) + " given a " + special.What);
      test::TempDir dir;
      const std::string path = dir.File(reader.Name);
      test::MakeSpecial(special.Kind, path);
      bool refused = false;
      EXPECT_TRUE(test::FinishesWithoutWaiting(path, [&] { refused = reader.Refuses(dir, path); }));
      EXPECT_TRUE(refused);
    }
  }
}

}  // namespace
}  // namespace zephirax
