#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "app/LoadMessages.h"
#include "measurement/MeasurementReader.h"
#include "platform/LangText.h"
#include "support/ByteMutation.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ScriptedUserInterface.h"

// Whatever bytes a file holds, the reader must not crash, must not read past
// its input (the sanitizer build runs this), and must either accept a file
// whose counts are usable or leave the measurement exactly as it was.

namespace zephirax {
namespace {

using test::MeasurementFileBuilder;

// Keys and fragments that steer the reader into its item handlers.
const std::vector<std::string> Fragments = {"URVE\r\n",
                                            "MIP\r\n",
                                            "FUEL\r\n",
                                            "ACL1\r\n",
                                            "FUE1\r\n",
                                            "CYLINDERS\r\n20\r\n",
                                            "STROKES\r\n30\r\n",
                                            "SHIFT\r\n",
                                            "VERSION\r\n4.00\r\n",
                                            "RPM\r\n",
                                            "MODE\r\n4\r\n",
                                            "\r\n",
                                            "0-",
                                            ";;;;",
                                            "OWER\r\n"};

void ExpectSound(const MeasurementData& d) {
  ASSERT_GE(d.CylCount, 1);
  ASSERT_LE(d.CylCount, MaxCylinders);
  ASSERT_GE(d.StrokeCount, 1);
  ASSERT_LE(d.StrokeCount, MaxStrokes);
  ASSERT_TRUE(d.StrokeCycle == 2 || d.StrokeCycle == 4);
  for (int i = 1; i <= d.CylCount; ++i) {
    for (int s = 1; s <= SamplesPerCurve; ++s) {
      ASSERT_TRUE(std::isfinite(d.PressureCurve[i][s]));
      ASSERT_TRUE(std::isfinite(d.ExtraCurve[i][s]));
    }
  }
  ASSERT_TRUE(std::isfinite(d.AclAmplitude) && std::isfinite(d.ExtraAxisMax));
}

TEST(MeasurementReaderFuzz, MutatedFilesAreAcceptedSoundlyOrChangeNothing) {
  std::vector<MeasurementFileBuilder> bases(4);
  bases[1].Extra = "FUEL";
  bases[1].Shift = true;
  bases[2].Extra = "ACL1";
  bases[2].Version = "";
  bases[3].Mip = false;
  bases[3].Mode = false;
  bases[3].Extra = "FUEL";

  std::vector<std::string> goodFiles;
  for (const auto& base : bases) goodFiles.push_back(base.Build());

  std::mt19937 rng(20261206);
  auto data = std::make_unique<MeasurementData>();
  int accepted = 0;
  int rejected = 0;
  for (int round = 0; round < 4000; ++round) {
    const std::string& good = goodFiles[round % goodFiles.size()];
    ASSERT_TRUE(LoadMeasurementBytes(*data, good));
    const auto before = std::make_unique<MeasurementData>(*data);
    const std::string bad = test::MutateBytes(good, rng, Fragments);
    const LoadResult result = LoadMeasurementBytes(*data, bad);
    if (result) {
      ++accepted;
      ExpectSound(*data);
    } else {
      ++rejected;
      ASSERT_TRUE(*data == *before) << "round " << round;
      // Every fault can be worded.
      test::ScriptedUserInterface ui;
      ShowLoadFault(ui, English, *result.Fault, "", false);
      ASSERT_EQ(ui.Messages.size(), 1u);
      ASSERT_EQ(ui.Messages[0].Text.find('%'), std::string::npos) << ui.Messages[0].Text;
    }
    if (HasFatalFailure()) return;
  }
  // Both outcomes must really have been exercised.
  EXPECT_GT(accepted, 100);
  EXPECT_GT(rejected, 100);
}

TEST(MeasurementReaderFuzz, RandomBytes) {
  std::mt19937 rng(7);
  auto data = std::make_unique<MeasurementData>();
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(rng() % 3000, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    // Give some of them a start that passes, so the scanner runs over the rest.
    if (round % 2 == 0 && bytes.size() >= 4) bytes[2] = 'L';
    if (LoadMeasurementBytes(*data, bytes)) ExpectSound(*data);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace zephirax
