#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "adddata/AdditionalDataFile.h"
#include "support/ByteMutation.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// Values the file's fields hold exactly, so that a round trip must give them back.
AdditionalData Generated(std::mt19937& rng, int32_t cylCount) {
  auto whole = [&](int32_t low, int32_t high) {
    return low + static_cast<int32_t>(rng() % static_cast<uint32_t>(high - low + 1));
  };
  // Tenths, thousandths...: the number the reader's decimal conversion yields.
  auto decimal = [&](int32_t low, int32_t high, double scale) {
    return static_cast<float>(whole(low, high) / scale);
  };
  auto bytes = [&](size_t length) {
    std::string text(length, '\0');
    for (char& c : text) c = static_cast<char>(rng());
    return text;
  };
  AdditionalData d;
  for (int i = 1; i <= cylCount; ++i) {
    d.Texh[i] = whole(0, 999);
    d.FuelRack[i] = decimal(-999, 9999, 10);
    d.Vit[i] = decimal(-999, 9999, 10);
  }
  for (int t = 1; t <= TcCount; ++t) {
    d.TcRpm[t] = whole(0, 99999);
    d.TscavBefore[t] = decimal(-99, 999, 10);
    d.TscavAfter[t] = decimal(-99, 999, 10);
    d.PDiff[t] = whole(-999, 9999);
    d.TexhBeforeTc[t] = whole(-99, 999);
    d.TexhAfterTc[t] = whole(-99, 999);
  }
  d.ShipName = bytes(rng() % (MaxShipNameLength + 1));
  d.EngineRoomTemp = decimal(-99, 999, 10);
  d.RunningHours = whole(-99999, 999999);
  d.ShaftPower = whole(0, 99999);
  d.Pitch = decimal(-999, 9999, 10);
  d.ShaftGenPower = whole(0, 99999);
  d.McrPower = whole(0, 99999);
  d.Comment = bytes(rng() % (MaxCommentLength + 1));
  d.Pbaro = static_cast<float>(whole(0, 9999));
  d.FuelSpecGravity = decimal(0, 99999, 10000);
  d.FuelTemp = decimal(-999, 9999, 10);
  d.FuelCalorific = decimal(0, 99999, 10);
  d.FuelSulfur = decimal(0, 9999, 10);
  d.FuelViscosity = decimal(0, 9999, 10);
  d.EngineLoad = decimal(-999, 9999, 10);
  d.FuelConsumption = decimal(0, 9999, 10);
  return d;
}

TEST(AdditionalDataFile, RoundTripOverGeneratedData) {
  std::mt19937 rng(1206);
  TempDir dir;
  const std::string file = dir.File("ENGINE.EXH");
  for (const int32_t cylCount : {0, 1, 6, 8, 12, 20}) {
    for (int round = 0; round < 25; ++round) {
      const AdditionalData written = Generated(rng, cylCount);
      ASSERT_TRUE(WriteAdditionalData(written, file, cylCount));
      AdditionalData read;
      ASSERT_TRUE(ReadAdditionalData(read, file, cylCount));
      ASSERT_EQ(read, written) << cylCount << " cylinders, round " << round;
    }
  }
}

TEST(AdditionalDataFile, WrittenLayout) {
  AdditionalData d;
  d.Texh[1] = 95;
  d.Texh[2] = 1000;  // cut to three digits
  d.Texh[3] = -5;
  d.FuelRack[1] = -2.5f;
  d.ShipName = "ABCDEFGHIJ";  // length byte 10 is LF
  d.Pbaro = 1013.25f;
  d.FuelCalorific = 980.0f;
  const std::string bytes = AdditionalDataBytes(d, 3);
  EXPECT_EQ(bytes.substr(0, 19), "TEXH\r\n095;100;0-5\r\n");
  EXPECT_NE(bytes.find("FRACK\r\n0-2.5;000.0;000.0\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("NAME\r\n\nABCDEFGHIJ" + std::string(19, ' ') + "\r\nTEMPER"),
            std::string::npos);
  EXPECT_NE(bytes.find("PBARO\r\n1013\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("FCALOR\r\n0980.0\r\n"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 14), "FCONS\r\n000.0\r\n");
}

TEST(AdditionalDataFile, ValuesComeBackAsTheFieldsHoldThem) {
  struct Case {
    const char* what;
    void (*set)(AdditionalData&);
    void (*expect)(const AdditionalData&);
  };
  const Case cases[] = {
      {"pbaro 1013.25", [](AdditionalData& d) { d.Pbaro = 1013.25f; },
       [](const AdditionalData& d) { EXPECT_EQ(d.Pbaro, 1013.0f); }},
      {"pbaro 999.5", [](AdditionalData& d) { d.Pbaro = 999.5f; },
       [](const AdditionalData& d) { EXPECT_EQ(d.Pbaro, 999.0f); }},
      {"texh 1000", [](AdditionalData& d) { d.Texh[2] = 1000; },
       [](const AdditionalData& d) { EXPECT_EQ(d.Texh[2], 100); }},
      {"calorific below 1000", [](AdditionalData& d) { d.FuelCalorific = 950.5f; },
       [](const AdditionalData& d) { EXPECT_EQ(d.FuelCalorific, 950.5f); }},
      {"tscav 100.4", [](AdditionalData& d) { d.TscavAfter[1] = 100.4f; },
       [](const AdditionalData& d) { EXPECT_EQ(d.TscavAfter[1], 100.0f); }},
      {"ship name too long", [](AdditionalData& d) { d.ShipName = std::string(40, 'x'); },
       [](const AdditionalData& d) { EXPECT_EQ(d.ShipName, std::string(29, 'x')); }},
      {"comment too long", [](AdditionalData& d) { d.Comment = std::string(300, 'c'); },
       [](const AdditionalData& d) { EXPECT_EQ(d.Comment, std::string(255, 'c')); }},
      {"comment with line breaks", [](AdditionalData& d) { d.Comment = "TEXH\r\nNAME\r\n\xE4"; },
       [](const AdditionalData& d) { EXPECT_EQ(d.Comment, "TEXH\r\nNAME\r\n\xE4"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AdditionalData d;
    c.set(d);
    AdditionalData read;
    ASSERT_TRUE(ReadAdditionalDataBytes(read, AdditionalDataBytes(d, 4), 4));
    c.expect(read);
  }
}

TEST(AdditionalDataFile, MissingItemsKeepValuesAndIsoFieldsReadZero) {
  AdditionalData before;
  before.ShipName = "OLD";
  before.Texh[1] = 400;
  before.Texh[2] = 410;
  before.McrPower = 9000;
  before.Pbaro = 1000;
  before.FuelConsumption = 2.5f;
  before.TexhAfterTc[2] = 300;
  AdditionalData d = before;
  ASSERT_TRUE(ReadAdditionalDataBytes(d, "TEXH\r\n350;360\r\n", 2));
  EXPECT_EQ(d.Texh[1], 350);
  EXPECT_EQ(d.Texh[2], 360);
  EXPECT_EQ(d.ShipName, "OLD");
  EXPECT_EQ(d.McrPower, 9000);
  EXPECT_EQ(d.Pbaro, 0.0f);
  EXPECT_EQ(d.FuelConsumption, 0.0f);
  EXPECT_EQ(d.TexhAfterTc[2], 0);
}

TEST(AdditionalDataFile, LengthBytesAndConversionsAreNotTrusted) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string shipName;
    int32_t mcrPower;
  };
  const Case cases[] = {
      {"length byte past the field", "NAME\r\n\xC8" + std::string(29, 'S') + "\r\n",
       std::string(29, 'S'), 7},
      {"length byte 30 drops the cleared position", "NAME\r\n\x1E" + std::string(29, 'T') + "\r\n",
       std::string(29, 'T'), 7},
      {"empty name", "NAME\r\n" + std::string(30, '\0') + "\r\n", "", 7},
      {"value that is no number reads 0", "MCRPW\r\n12a45\r\n", "KEEP", 0},
      {"decimal comma", "MCRPW\r\n0-120\r\n", "KEEP", -120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AdditionalData d;
    d.ShipName = "KEEP";
    d.McrPower = 7;
    ASSERT_TRUE(ReadAdditionalDataBytes(d, c.bytes, 1));
    EXPECT_EQ(d.ShipName, c.shipName);
    EXPECT_EQ(d.McrPower, c.mcrPower);
  }
}

TEST(AdditionalDataFile, FileForFewerCylindersKeepsTheOthersInBounds) {
  std::mt19937 rng(6);
  const AdditionalData six = Generated(rng, 6);
  AdditionalData d;
  d.Texh[20] = 123;
  ASSERT_TRUE(ReadAdditionalDataBytes(d, AdditionalDataBytes(six, 6), 8));
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(d.Texh[i], six.Texh[i]);
  EXPECT_EQ(d.Texh[20], 123);
  // The lines after the misread one are found again by their keys.
  EXPECT_EQ(d.Comment, six.Comment);
  EXPECT_EQ(d.FuelConsumption, six.FuelConsumption);
}

TEST(AdditionalDataFile, RejectedInputChangesNothing) {
  std::mt19937 rng(11);
  AdditionalData before = Generated(rng, 20);
  const std::string good = AdditionalDataBytes(Generated(rng, 8), 8);
  struct Case {
    const char* what;
    std::string bytes;
    int32_t cylCount;
  };
  std::vector<Case> cases = {
      {"cylinder count above the arrays", good, MaxCylinders + 1},
      {"negative cylinder count", good, -1},
      {"ends inside TEXH", good.substr(0, 12), 8},
      {"ends inside NAME", good.substr(0, good.find("NAME") + 20), 8},
      {"ends inside COMMENT", good.substr(0, good.find("COMMENT") + 100), 8},
      {"ends inside FCONS", good.substr(0, good.size() - 4), 8},
      {"ends inside TEXBTC", good.substr(0, good.find("TEXBTC") + 10), 8},
      {"empty file", "", 8},
      {"line ends and blanks only", "\r\n  \r\n\t", 8},
      {"no item at all", "12;34\r\nnothing here\r\n", 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AdditionalData d = before;
    EXPECT_FALSE(ReadAdditionalDataBytes(d, c.bytes, c.cylCount));
    EXPECT_EQ(d, before);
  }
  TempDir dir;
  AdditionalData d = before;
  EXPECT_FALSE(ReadAdditionalData(d, dir.File("MISSING.EXH"), 8));
  EXPECT_EQ(d, before);
}

TEST(AdditionalDataFile, FailedWriteKeepsTheOldFile) {
  TempDir dir;
  const std::string file = dir.File("A.EXH");
  WriteBytes(file, "old");
  AdditionalData d;
  EXPECT_FALSE(WriteAdditionalData(d, file, MaxCylinders + 1));
  EXPECT_EQ(ReadBytes(file), "old");
  // A folder in the way cannot be replaced.
  std::filesystem::create_directory(dir.File("B.EXH"));
  EXPECT_FALSE(WriteAdditionalData(d, dir.File("B.EXH"), 4));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("B.EXH")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

// Whatever bytes a file holds, the reader stays inside its input and its
// arrays (the sanitizer build runs this) and either accepts the file soundly
// or leaves the data as it was.
TEST(AdditionalDataFileFuzz, MutatedFilesAreAcceptedSoundlyOrChangeNothing) {
  const std::vector<std::string> fragments = {"TEXH\r\n",  "NAME\r\n",  "COMMENT\r\n", "VIT\r\n",
                                              "PDIFF\r\n", "TSCAV\r\n", "\r\n",        "0-",
                                              ";;;",       "\xFF"};
  std::mt19937 rng(20261206);
  auto pick = [&](size_t n) { return n == 0 ? 0 : static_cast<size_t>(rng() % n); };
  int accepted = 0;
  int rejected = 0;
  for (int round = 0; round < 4000; ++round) {
    const int32_t cylCount = static_cast<int32_t>(pick(MaxCylinders + 1));
    std::string bytes = AdditionalDataBytes(Generated(rng, cylCount), cylCount);
    bytes = test::MutateBytes(std::move(bytes), rng, fragments);
    const AdditionalData before = Generated(rng, MaxCylinders);
    AdditionalData d = before;
    const int32_t readCount =
        round % 4 == 0 ? static_cast<int32_t>(pick(MaxCylinders + 1)) : cylCount;
    if (ReadAdditionalDataBytes(d, bytes, readCount)) {
      ++accepted;
      ASSERT_LE(d.ShipName.size(), MaxShipNameLength);
      ASSERT_LE(d.Comment.size(), MaxCommentLength);
      for (int i = readCount + 1; i <= MaxCylinders; ++i) {
        ASSERT_EQ(d.Texh[i], before.Texh[i]);
        ASSERT_EQ(d.FuelRack[i], before.FuelRack[i]);
        ASSERT_EQ(d.Vit[i], before.Vit[i]);
      }
    } else {
      ++rejected;
      ASSERT_EQ(d, before) << "round " << round;
    }
  }
  EXPECT_GT(accepted, 100);
  EXPECT_GT(rejected, 100);
}

}  // namespace
}  // namespace zephirax
