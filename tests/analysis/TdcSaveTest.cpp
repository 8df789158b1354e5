#include "analysis/TdcSave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "analysis/CurveShift.h"
#include "measurement/MeasurementReader.h"
#include "support/MeasurementFileBuilder.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::ReadBytes;
using test::WriteBytes;

TEST(TdcSave, AppendsKvOnlyWhereItIsMissing) {
  const std::pair<const char*, const char*> cases[] = {{"NEW", "NEW.KV"},
                                                       {"NEW.KV", "NEW.KV"},
                                                       {"new.kv", "new.kv"},
                                                       {"NEW.Kv", "NEW.Kv"},
                                                       {"NEW.KVX", "NEW.KVX.KV"},
                                                       {"A.K", "A.K.KV"},
                                                       {"/data/x.KS", "/data/x.KS.KV"},
                                                       {"KV", "KV.KV"}};
  for (const auto& [chosen, saved] : cases) EXPECT_EQ(TdcSaveName(chosen), saved) << chosen;
}

struct SavedMeasurement : ::testing::Test {
  test::TempDir dir;
  std::string source = dir.File("ORIG.KV");
  std::unique_ptr<MeasurementData> data = std::make_unique<MeasurementData>();

  void SetUp() override {
    test::MeasurementFileBuilder file;
    file.Cylinders = 3;
    WriteBytes(source, file.Build());
    ASSERT_TRUE(LoadMeasurement(*data, source));
    TdcModeState tdc;
    ShiftCurveLeft(*data, tdc, 2, 1);
    ShiftCurveLeft(*data, tdc, 2, 1);
  }
  float ShiftIn(const std::string& name) {
    auto loaded = std::make_unique<MeasurementData>();
    EXPECT_TRUE(LoadMeasurement(*loaded, name));
    return loaded->TdcShift[2];
  }
};

TEST_F(SavedMeasurement, TakesTheAdditionalDataAlong) {
  WriteBytes(dir.File("ORIG.EXH"), "EXH BYTES\r\n");
  const auto exh = ExhToFollow(source);
  ASSERT_TRUE(exh);
  const TdcSaveResult result = SaveTdcFile(*data, source, dir.File("NEW"), exh);
  ASSERT_TRUE(result);
  EXPECT_EQ(result.SavedName, dir.File("NEW.KV"));
  EXPECT_FLOAT_EQ(ShiftIn(result.SavedName), -0.5f);
  EXPECT_EQ(ReadBytes(dir.File("NEW.EXH")), "EXH BYTES\r\n");
  EXPECT_FLOAT_EQ(ShiftIn(source), 0);  // the file being corrected stays as it was
}

TEST_F(SavedMeasurement, OverwritesTheFileBeingCorrected) {
  WriteBytes(dir.File("ORIG.EXH"), "EXH BYTES\r\n");
  const TdcSaveResult result = SaveTdcFile(*data, source, source, ExhToFollow(source));
  ASSERT_TRUE(result);
  EXPECT_EQ(result.SavedName, source);  // not ORIG.KV.KV
  EXPECT_FLOAT_EQ(ShiftIn(source), -0.5f);
  EXPECT_EQ(ReadBytes(dir.File("ORIG.EXH")), "EXH BYTES\r\n");
}

TEST_F(SavedMeasurement, AFailedWriteCopiesNothingAndSaysSo) {
  WriteBytes(dir.File("ORIG.EXH"), "EXH BYTES\r\n");
  // A plain file where the folder should be: nothing can be written below it.
  WriteBytes(dir.File("blocked"), "");
  const TdcSaveResult result =
      SaveTdcFile(*data, source, dir.File("blocked/NEW"), ExhToFollow(source));
  EXPECT_FALSE(result);
  EXPECT_EQ(result.Write.Outcome, CorrectionOutcome::WriteFailed);
  EXPECT_FALSE(std::filesystem::exists(dir.File("blocked/NEW.EXH")));

  // Without additional data only the measurement is saved.
  EXPECT_FALSE(ExhToFollow(dir.File("NONE.KV")));
  const TdcSaveResult plain = SaveTdcFile(*data, source, dir.File("PLAIN.KV"), std::nullopt);
  EXPECT_TRUE(plain);
  EXPECT_FALSE(std::filesystem::exists(dir.File("PLAIN.EXH")));
}

}  // namespace
}  // namespace zephirax
