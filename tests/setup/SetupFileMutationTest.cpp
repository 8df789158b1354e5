#include <gtest/gtest.h>

#include <random>

#include "platform/LangText.h"
#include "setup/EngineSetup.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

void ExpectSound(EngineSetup setup, const std::string& bytes) {
  ASSERT_GE(setup.CylCount, 1) << bytes;
  ASSERT_LE(setup.CylCount, MaxCylinders) << bytes;
  ASSERT_GE(setup.StrokeCount, 1) << bytes;
  ASSERT_LE(setup.StrokeCount, MaxStrokes) << bytes;
  EXPECT_TRUE(SetupFrame(setup, FrameUse::File)) << bytes;
  EXPECT_TRUE(AutoTdcDeviations(setup)) << bytes;
}

// Damaged setup files: every one is either rejected with the setup in memory
// unchanged, or accepted with counts the arrays hold and a frame that can be
// written again. Runs under the sanitizers too, so a read past a buffer fails.
TEST(SetupFileMutation, DamagedFilesAreAcceptedSoundlyOrLeaveTheStateAlone) {
  EngineSetup base;
  NewSetupDefaults(base);
  base.CylCount = 8;
  base.InLineEngine = 0;
  base.VAngle = 45;
  base.TdcCorrection = -2.5;
  for (int c = 1; c <= 8; ++c) {
    base.FiringOrder[c] = 9 - c;
    base.TdcDeviation[c] = 45.0 * (c - 3);
  }
  const std::string original = *SetupFrame(base, FrameUse::File);
  const std::string alphabet = std::string("0123456789+-.,; x\x02\x03\0\xff", 21);

  test::TempDir dir;
  const std::string file = dir.File("S");
  std::mt19937 random(4711);
  auto pick = [&random](size_t high) {
    return std::uniform_int_distribution<size_t>(0, high)(random);
  };
  int accepted = 0;
  for (int i = 0; i < 4000; ++i) {
    std::string bytes = original;
    const int edits = 1 + static_cast<int>(pick(3));
    for (int e = 0; e < edits; ++e) {
      switch (pick(3)) {
        case 0:  // overwrite a byte
          if (!bytes.empty()) bytes[pick(bytes.size() - 1)] = alphabet[pick(alphabet.size() - 1)];
          break;
        case 1:  // cut the file
          bytes.resize(pick(bytes.size()));
          break;
        case 2:  // drop a byte
          if (!bytes.empty()) bytes.erase(pick(bytes.size() - 1), 1);
          break;
        default:  // insert a byte
          bytes.insert(pick(bytes.size()), 1, alphabet[pick(alphabet.size() - 1)]);
          break;
      }
    }
    // The count fields are the dangerous ones: aim at them often.
    if (i % 4 == 0 && bytes.size() > 5) {
      bytes[1 + pick(4)] = static_cast<char>('0' + pick(9));
    }
    // Every eighth goes through the file and the message; the rest through
    // the parser alone, which keeps the test quick under the sanitizers.
    if (i % 8 != 0) {
      const std::optional<EngineSetup> parsed = ParseSetupFrame(bytes);
      if (parsed) {
        ++accepted;
        ExpectSound(*parsed, bytes);
      }
      continue;
    }
    test::WriteBytes(file, bytes);
    EngineSetup setup;
    NewSetupDefaults(setup);
    setup.Bore = 777;
    const EngineSetup before = setup;
    int32_t valid = -1;
    if (ReadSetupFile(setup, valid, file)) {
      ++accepted;
      EXPECT_EQ(valid, -1);
      ExpectSound(setup, bytes);
    } else {
      EXPECT_EQ(setup, before);
      EXPECT_EQ(valid, 0);
    }
  }
  // Both outcomes must actually have been exercised.
  EXPECT_GT(accepted, 100);
  EXPECT_LT(accepted, 3900);
}

}  // namespace
}  // namespace zephirax
