#include "setup/EngineSetup.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/LangText.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

const std::string DefaultFile =
    "\x02"
    "05;09;2;1;1;+000.0;01;01;01;01;01;01;000.0;1234;2345;3456;" +
    Repeat("000.0;", 6) + "1.00;05.0;1;0;1;\x03";

EngineSetup Defaults() {
  EngineSetup setup;
  NewSetupDefaults(setup);
  return setup;
}

TEST(EngineSetupFrame, NewDefaultsGiveTheKnownFileAndLineFrames) {
  const EngineSetup setup = Defaults();
  const auto file = SetupFrame(setup, FrameUse::File);
  ASSERT_TRUE(file);
  EXPECT_EQ(*file, DefaultFile);
  EXPECT_EQ(file->size(), 112u);
  EXPECT_EQ(file->size(), SetupFrameSize(6));

  std::string line = DefaultFile;
  line.replace(line.find("1.00;"), 5, "01.0;");
  EXPECT_EQ(SetupFrame(setup, FrameUse::Line), line);
}

// One field at a time, so that a fault in a formatting rule names itself.
TEST(EngineSetupFrame, FieldFormatting) {
  struct Case {
    const char* What;
    void (*Change)(EngineSetup&);
    const char* Expected;  // must appear in the file frame
  };
  const Case cases[] = {
      {"negative correction", [](EngineSetup& s) { s.TdcCorrection = -2.5; }, ";-002.5;"},
      {"positive correction", [](EngineSetup& s) { s.TdcCorrection = 2.5; }, ";+002.5;"},
      {"two-digit negative", [](EngineSetup& s) { s.TdcCorrection = -12.5; }, ";-012.5;"},
      {"three-digit negative", [](EngineSetup& s) { s.TdcCorrection = -123.5; }, ";-123.5;"},
      {"negative deviation", [](EngineSetup& s) { s.TdcDeviation[2] = -2.5; }, ";0-2.5;"},
      {"deviation 120", [](EngineSetup& s) { s.TdcDeviation[3] = 120; }, ";120.0;"},
      {"Pscav 2.5", [](EngineSetup& s) { s.Pscav = 2.5; }, ";2.50;05.0;"},
      {"Pscav 12.5 cut", [](EngineSetup& s) { s.Pscav = 12.5; }, ";12.5;05.0;"},
      {"bore 600", [](EngineSetup& s) { s.Bore = 600; }, ";0600;2345;"},
      {"V angle", [](EngineSetup& s) { s.InLineEngine = 0, s.VAngle = 45; }, ";0;+000.0;"},
      {"V angle field", [](EngineSetup& s) { s.InLineEngine = 0, s.VAngle = 45; }, ";045.0;1234;"},
      {"in-line V angle", [](EngineSetup& s) { s.VAngle = 45; }, ";000.0;1234;"},
      {"firing order", [](EngineSetup& s) { s.FiringOrder[2] = 12; }, ";01;12;01;"},
      {"twenty cylinders", [](EngineSetup& s) { s.CylCount = 20; },
       "\x02"
       "19;09;"},
      {"flags", [](EngineSetup& s) { s.FuelAclSensor = -1, s.AverageCurve = 0; }, ";1;1;0;\x03"},
  };
  for (const Case& c : cases) {
    EngineSetup setup = Defaults();
    c.Change(setup);
    const auto frame = SetupFrame(setup, FrameUse::File);
    ASSERT_TRUE(frame) << c.What;
    EXPECT_NE(frame->find(c.Expected), std::string::npos) << c.What << ": " << *frame;
    EXPECT_EQ(frame->size(), SetupFrameSize(setup.CylCount)) << c.What;
  }
}

TEST(EngineSetupFrame, RefusesWhatCouldNotBeReadBack) {
  void (*changes[])(EngineSetup&) = {
      [](EngineSetup& s) { s.CylCount = 0; },
      [](EngineSetup& s) { s.CylCount = 21; },
      [](EngineSetup& s) { s.CylCount = -5; },
      [](EngineSetup& s) { s.StrokeCount = 31; },
      [](EngineSetup& s) { s.StrokeCount = 0; },
      [](EngineSetup& s) { s.Pscav = std::nan(""); },
      [](EngineSetup& s) { s.TdcSensor = -1; },
      [](EngineSetup& s) { s.StrokeCycle = 10; },
      [](EngineSetup& s) { s.TdcDeviation[6] = INFINITY; },
  };
  for (auto change : changes) {
    EngineSetup setup = Defaults();
    change(setup);
    EXPECT_FALSE(SetupFrame(setup, FrameUse::File));
    test::TempDir dir;
    const std::string file = dir.File("S");
    test::WriteBytes(file, "old");
    EXPECT_FALSE(WriteSetupFile(setup, file));
    EXPECT_EQ(test::ReadBytes(file), "old");
  }
}

// Values the fixed widths hold exactly, so that reading gives them back.
EngineSetup RandomSetup(std::mt19937& random) {
  auto pick = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  EngineSetup setup;
  NewSetupDefaults(setup);
  setup.CylCount = pick(1, 20);
  setup.StrokeCount = pick(1, 30);
  setup.StrokeCycle = pick(0, 1) ? 2 : 4;
  setup.TdcSensor = pick(0, 1);
  setup.InLineEngine = pick(0, 1);
  setup.TdcCorrection = pick(-9999, 99999) / 10.0;
  for (int p = 1; p <= setup.CylCount; ++p) setup.FiringOrder[p] = pick(0, 99);
  setup.VAngle = setup.InLineEngine == 1 ? 0 : pick(0, 9999) / 10.0;
  setup.Bore = pick(-999, 9999);
  setup.Stroke = pick(0, 9999);
  setup.ConRod = pick(0, 9999);
  for (int c = 1; c <= setup.CylCount; ++c) setup.TdcDeviation[c] = pick(-999, 9999) / 10.0;
  setup.Pscav = pick(0, 1) ? pick(0, 999) / 100.0 : pick(100, 999) / 10.0;
  setup.PmaxDevLimit = pick(0, 999) / 10.0;
  setup.KmSensor = pick(0, 1);
  setup.FuelAclSensor = -pick(0, 1);
  setup.AverageCurve = -pick(0, 1);
  return setup;
}

TEST(EngineSetupFile, GeneratedSetupsSurviveWriteAndRead) {
  test::TempDir dir;
  std::mt19937 random(20261206);
  for (int i = 0; i < 2000; ++i) {
    EngineSetup written = RandomSetup(random);
    // Most go through the frame alone; writing a file waits for the disk.
    if (i % 10 != 0) {
      const std::optional<EngineSetup> read = ParseSetupFrame(*SetupFrame(written, FrameUse::File));
      ASSERT_TRUE(read);
      for (int c = written.CylCount + 1; c <= MaxCylinders; ++c) {
        written.FiringOrder[c] = read->FiringOrder[c];
        written.TdcDeviation[c] = read->TdcDeviation[c];
      }
      ASSERT_EQ(*read, written);
      continue;
    }
    const std::string file = dir.File("S" + std::to_string(i % 7));
    ASSERT_TRUE(WriteSetupFile(written, file));
    EXPECT_EQ(test::ReadBytes(file).size(), SetupFrameSize(written.CylCount));
    EngineSetup read;
    int32_t valid = 0;
    ASSERT_TRUE(ReadSetupFile(read, valid, file));
    EXPECT_EQ(valid, -1);
    // Positions past the count are not in the file.
    for (int c = written.CylCount + 1; c <= MaxCylinders; ++c) {
      written.FiringOrder[c] = read.FiringOrder[c];
      written.TdcDeviation[c] = read.TdcDeviation[c];
    }
    ASSERT_EQ(read, written) << test::ReadBytes(file);
  }
}

TEST(EngineSetupFile, InLineEngineStoresZeroVAngle) {
  test::TempDir dir;
  EngineSetup setup = Defaults();
  setup.VAngle = 45;
  ASSERT_TRUE(WriteSetupFile(setup, dir.File("S")));
  EXPECT_EQ(setup.VAngle, 0);
  EXPECT_EQ(test::ReadBytes(dir.File("S")), DefaultFile);
}

TEST(EngineSetupFile, RejectedFilesKeepTheSetupAndShowTheMessage) {
  std::string badCount = DefaultFile;
  badCount.replace(1, 2, "99");
  std::string badStrokes = DefaultFile;
  badStrokes.replace(4, 2, "30");
  std::string badNumber = DefaultFile;
  badNumber.replace(DefaultFile.find("1234"), 4, "12x4");
  std::string moreCylinders = DefaultFile;  // says 7 cylinders, holds 6
  moreCylinders.replace(1, 2, "06");
  const std::string files[] = {
      "",
      "05;09;2;1;1;",
      std::string(1, '\x01') + DefaultFile.substr(1),
      DefaultFile.substr(0, 60),
      DefaultFile.substr(0, DefaultFile.size() - 3),
      badCount,
      badStrokes,
      badNumber,
      moreCylinders,
      std::string("\x02-1;09;"),
  };
  for (const std::string& bytes : files) {
    test::TempDir dir;
    test::WriteBytes(dir.File("S"), bytes);
    EngineSetup setup = Defaults();
    setup.Bore = 600;
    const EngineSetup before = setup;
    int32_t valid = -1;
    EXPECT_FALSE(ReadSetupFile(setup, valid, dir.File("S")));
    EXPECT_EQ(setup, before);
    EXPECT_EQ(valid, 0);
  }
  // A file that is not there is rejected the same way.
  EngineSetup setup = Defaults();
  int32_t valid = -1;
  EXPECT_FALSE(ReadSetupFile(setup, valid, "/nonexistent/setup"));
  EXPECT_EQ(valid, 0);
  EXPECT_STREQ(NotSetupFileText(English), "This is not a valid file type !");
  EXPECT_STREQ(NotSetupFileText(German), "Dies ist keine SETUP-Datei !");
}

TEST(EngineSetupFile, LenientWhereOnlyTheTailIsMissingOrFlagsAreOdd) {
  // The separator and ETX after the last flag are not checked.
  EXPECT_TRUE(ParseSetupFrame(DefaultFile.substr(0, DefaultFile.size() - 2)));
  std::string flags = DefaultFile;
  flags.replace(flags.size() - 3, 1, "x");  // AverageCurve
  const auto parsed = ParseSetupFrame(flags);
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->AverageCurve, 0);
  // Positions past the count keep what was in memory.
  EngineSetup start = Defaults();
  start.FiringOrder[7] = 7;
  start.TdcDeviation[7] = 42;
  start.Bore = 1;
  const auto kept = ParseSetupFrame(DefaultFile, start);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->FiringOrder[7], 7);
  EXPECT_EQ(kept->TdcDeviation[7], 42);
  EXPECT_EQ(kept->Bore, 1234);
  // A V angle in an in-line file is ignored.
  std::string inLine = DefaultFile;
  inLine.replace(inLine.find("000.0;1234"), 5, "045.0");
  EXPECT_EQ(ParseSetupFrame(inLine)->VAngle, 0);
}

}  // namespace
}  // namespace zephirax
