#include "measurement/MeasurementReader.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/LangText.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::Fixed;
using test::MeasurementFileBuilder;
using test::ScriptedUserInterface;

struct Loaded {
  std::unique_ptr<MeasurementData> Data = std::make_unique<MeasurementData>();
  bool Accepted = false;
  ScriptedUserInterface Ui;
};

std::unique_ptr<Loaded> Load(const std::string& bytes, int language = English) {
  auto result = std::make_unique<Loaded>();
  result->Accepted = static_cast<bool>(
      test::ShownLoad(LoadMeasurementBytes(*result->Data, bytes), result->Ui, language));
  return result;
}

// Replaces the first occurrence of `from` (which must exist) by `to`.
std::string Patched(std::string bytes, const std::string& from, const std::string& to) {
  const size_t at = bytes.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) bytes.replace(at, from.size(), to);
  return bytes;
}

TEST(MeasurementReader, ReadsEveryItemOfTheEngineDescription) {
  MeasurementFileBuilder file;
  file.Cylinders = 3;
  file.Strokes = 4;
  auto r = Load(file.Build());
  ASSERT_TRUE(r->Accepted);
  const MeasurementData& d = *r->Data;
  EXPECT_EQ(d.MeasDate, "06.12.2026");
  EXPECT_EQ(d.MeasTime, "14:32");
  EXPECT_EQ(d.CylCount, 3);
  EXPECT_EQ(d.StrokeCycle, 2);
  EXPECT_EQ(d.InLineEngine, 0);
  EXPECT_DOUBLE_EQ(d.VAngle, 45.0);
  EXPECT_EQ(d.ConRod, 2000);
  EXPECT_EQ(d.Bore, 500);
  EXPECT_EQ(d.Stroke, 1900);
  EXPECT_EQ(d.TdcSensor, 1);
  EXPECT_DOUBLE_EQ(d.TdcCorrection, 1.5);
  EXPECT_EQ(d.FiringOrder[3], 3);
  EXPECT_DOUBLE_EQ(d.TdcDeviation[2], 12.5);
  EXPECT_DOUBLE_EQ(d.TdcDeviation[3], 25.0);
  EXPECT_FLOAT_EQ(d.CylRpm[2], 92.5f);
  EXPECT_EQ(d.PmaxMean[3], 43);
  EXPECT_EQ(d.PmaxHigh[3], 48);
  EXPECT_EQ(d.PmaxLow[3], 38);
  EXPECT_FLOAT_EQ(d.EnginePmaxMean, 41.5f);
  EXPECT_FLOAT_EQ(d.CylValueFCYL[2], 2.5f);
  EXPECT_FLOAT_EQ(d.CylValueMEA1[3], 3.0f);
  EXPECT_FLOAT_EQ(d.CylValueMEA2[3], 6.0f);
  EXPECT_EQ(d.StrokeCount, 4);
  EXPECT_DOUBLE_EQ(d.PmaxDevLimit, 5.0);
  EXPECT_DOUBLE_EQ(d.Pscav, 2.35);
  EXPECT_EQ(d.StrokePmax[2][4], 46);
  EXPECT_TRUE(d.HasMipBlock);
  EXPECT_FLOAT_EQ(d.CylMip[3], 15.3f);
  EXPECT_EQ(d.CylPind[3], 1003);
  EXPECT_EQ(d.SetupValid, -1);
  EXPECT_FALSE(d.HasExtraChannel);
  EXPECT_TRUE(r->Ui.Messages.empty());
}

// A linear curve passes the symmetric smoothing filter unchanged, so the
// loaded samples can be compared with what the file holds.
TEST(MeasurementReader, LoadsEveryCurveLayout) {
  struct Case {
    std::string Version;
    bool Mip, Mode;
    int Samples;
  };
  for (const Case& c : {Case{"4.00", true, true, 1440}, Case{"4.10", true, true, 1440},
                        Case{"3.90", true, true, 360}, Case{"", true, true, 360},
                        Case{"", false, false, 180}, Case{"", false, true, 180}}) {
    SCOPED_TRACE("version '" + c.Version + "', samples " + std::to_string(c.Samples) +
                 (c.Mode ? ", MODE" : ""));
    MeasurementFileBuilder file;
    file.Version = c.Version;
    file.Mip = c.Mip;
    file.Mode = c.Mode;
    file.Cylinders = 3;
    auto r = Load(file.Build());
    ASSERT_TRUE(r->Accepted);
    const MeasurementData& d = *r->Data;
    EXPECT_EQ(d.HasMipBlock, c.Mip);
    for (int i = 1; i <= 3; ++i) {
      if (c.Samples == 360) {
        // Expanded: sample 4k-3 is the file's sample k, the ones between interpolate.
        EXPECT_NEAR(d.PressureCurve[i][4 * 100 - 3], 10 * i + 10.0, 1e-4);
        EXPECT_NEAR(d.PressureCurve[i][4 * 100 - 1], 10 * i + 10.05, 1e-4);
        // The last three continue the slope of samples 359 and 360.
        EXPECT_NEAR(d.PressureCurve[i][1440], 10 * i + 36.075, 1e-4);
      } else {
        EXPECT_NEAR(d.PressureCurve[i][c.Samples], 10 * i + 0.1 * c.Samples, 1e-4);
        EXPECT_NEAR(d.PressureCurve[i][37], 10 * i + 3.7, 1e-4);
      }
      if (c.Samples == 180) {
        EXPECT_EQ(d.PressureCurve[i][TdcSample], 0.0f);
      }
    }
  }
}

TEST(MeasurementReader, SmoothsPressureCurvesButNotTheSecondChannel) {
  MeasurementFileBuilder file;
  file.Cylinders = 1;
  file.Extra = "FUEL";
  file.Pressure = [](int, int s) { return s == 700 ? 100.0 : 10.0; };
  file.ExtraValue = [](int, int s) { return s == 700 ? 100.0 : 10.0; };
  auto r = Load(file.Build());
  ASSERT_TRUE(r->Accepted);
  // The peak keeps weight 0.6, its neighbours get 0.1 of it.
  EXPECT_NEAR(r->Data->PressureCurve[1][700], 0.6 * 100 + 0.4 * 10, 1e-3);
  EXPECT_NEAR(r->Data->PressureCurve[1][699], 10 + (0.2 - 0.01) * 90, 1e-3);
  EXPECT_FLOAT_EQ(r->Data->ExtraCurve[1][700], 100.0f);
  EXPECT_FLOAT_EQ(r->Data->ExtraCurve[1][699], 10.0f);
}

TEST(MeasurementReader, FieldVariants) {
  MeasurementFileBuilder file;
  const std::string good = file.Build();

  // RPM lines of four characters; a zero-padded negative correction.
  auto r = Load(Patched(Patched(good, "091,5\r\n", "1234\r\n"), "001,5", "0-2,5"));
  ASSERT_TRUE(r->Accepted);
  EXPECT_FLOAT_EQ(r->Data->CylRpm[1], 1234.0f);
  EXPECT_FLOAT_EQ(r->Data->CylRpm[2], 92.5f);
  EXPECT_DOUBLE_EQ(r->Data->TdcCorrection, -2.5);

  // A POWER value whose fifth character is not a digit is read from four.
  r = Load(Patched(good, "01001;", "1234 ;"));
  ASSERT_TRUE(r->Accepted);
  EXPECT_EQ(r->Data->CylPind[1], 1234);

  // "STROKE" followed by "S" is the stroke count, not the stroke.
  file.Strokes = 2;
  const std::string twoStrokes = Patched(file.Build(), "STROKES\r\n02\r\n", "");
  r = Load(Patched(twoStrokes, "STROKE\r\n1900", "STROKES\r\n0200"));
  ASSERT_TRUE(r->Accepted);
  EXPECT_EQ(r->Data->Stroke, 0);
  EXPECT_EQ(r->Data->StrokeCount, 2);
  EXPECT_EQ(r->Data->StrokePmax[2][2], 44);
}

TEST(MeasurementReader, ItemsOccurringTwiceAndMissingItems) {
  MeasurementFileBuilder file;
  std::string twice = Patched(file.Build(), "DATE\r\n", "DATE\r\n01.01.2000\r\nDATE\r\n");
  auto r = Load(twice);
  ASSERT_TRUE(r->Accepted);
  EXPECT_EQ(r->Data->MeasDate, "06.12.2026");

  // Items the new file lacks keep the previous file's values; flags and shifts are reset.
  MeasurementFileBuilder first;
  first.Shift = true;
  first.Extra = "FUEL";
  auto data = std::make_unique<MeasurementData>();
  ASSERT_TRUE(LoadMeasurementBytes(*data, first.Build()));
  EXPECT_FLOAT_EQ(data->TdcShift[2], -1.0f);
  ASSERT_TRUE(data->HasExtraChannel);
  const std::string withoutScav =
      Patched(MeasurementFileBuilder().Build(), "PSCAV\r\n2,35\r\n", "");
  data->Pscav = 9.99;
  ASSERT_TRUE(LoadMeasurementBytes(*data, withoutScav));
  EXPECT_DOUBLE_EQ(data->Pscav, 9.99);
  EXPECT_FLOAT_EQ(data->TdcShift[2], 0.0f);
  EXPECT_FALSE(data->HasExtraChannel);
}

TEST(MeasurementReader, PressureAxisFollowsTheHighestPmax) {
  for (const auto& [high, axis] : std::initializer_list<std::pair<int, float>>{
           {50, 50}, {51, 75}, {76, 100}, {101, 150}, {151, 200}, {201, 250}, {260, 250}}) {
    MeasurementFileBuilder file;
    file.Cylinders = 1;
    auto r = Load(Patched(file.Build(), "041;046;036", "041;" + Fixed(high, 3, 0) + ";036"));
    ASSERT_TRUE(r->Accepted);
    EXPECT_EQ(r->Data->PressureAxisMax, axis) << high;
  }
}

TEST(MeasurementReader, SecondChannels) {
  MeasurementFileBuilder file;
  file.Extra = "FUEL";
  // 1100 raises the axis 500 -> 1250 in three steps; 2000 only four steps to 1500.
  file.ExtraValue = [](int c, int s) { return s == 10 ? (c == 1 ? 1100.0 : 0.0) : 1.0; };
  auto r = Load(file.Build());
  ASSERT_TRUE(r->Accepted);
  EXPECT_TRUE(r->Data->HasExtraChannel);
  EXPECT_FALSE(r->Data->ExtraIsBinary);
  EXPECT_EQ(r->Data->ExtraAxisMax, 1250.0f);
  file.ExtraValue = [](int c, int s) { return s == 10 && c == 2 ? 2000.0 : 1.0; };
  r = Load(file.Build());
  ASSERT_TRUE(r->Accepted);
  EXPECT_EQ(r->Data->ExtraAxisMax, 1500.0f);

  // A binary ACL tail: 360 samples expanded to 1440, amplitude over all of them.
  file.Extra = "ACL1";
  file.ExtraValue = [](int c, int s) { return s == 300 ? 40.0 * c : (s == 20 ? -10.0 : 0.0); };
  r = Load(file.Build());
  ASSERT_TRUE(r->Accepted);
  const MeasurementData& d = *r->Data;
  EXPECT_TRUE(d.HasExtraChannel && d.ExtraIsBinary && d.ExtraIsAcl);
  EXPECT_FLOAT_EQ(d.ExtraCurve[2][4 * 300 - 3], 80.0f);
  EXPECT_FLOAT_EQ(d.ExtraCurve[2][4 * 300 - 1], 40.0f);
  EXPECT_GT(d.AclAmplitude, 79.0f);
  EXPECT_LT(d.AclAmplitude, 80.0f);

  file.Extra = "FUE1";
  r = Load(file.Build());
  ASSERT_TRUE(r->Accepted);
  EXPECT_TRUE(r->Data->ExtraIsBinary);
  EXPECT_FALSE(r->Data->ExtraIsAcl);
}

TEST(MeasurementReader, TdcShiftRowKeepsBlanks) {
  MeasurementFileBuilder file;
  file.Shift = true;
  auto r = Load(file.Build());
  ASSERT_TRUE(r->Accepted);
  EXPECT_FLOAT_EQ(r->Data->TdcShift[1], -0.5f);
  EXPECT_FLOAT_EQ(r->Data->TdcShift[2], -1.0f);
}

TEST(MeasurementReader, StartTest) {
  const std::string body = MeasurementFileBuilder().Build();
  const std::string items = body.substr(body.find("VERSION"));
  EXPECT_TRUE(Load(std::string("\0\r\nX", 4) + items)->Accepted);
  EXPECT_TRUE(Load("\r\nXY" + items)->Accepted);
  EXPECT_TRUE(Load("A\nXY" + items)->Accepted);
  auto r = Load("ABCD\r\n" + items, German);
  EXPECT_FALSE(r->Accepted);
  ASSERT_EQ(r->Ui.Messages.size(), 1u);
  EXPECT_EQ(r->Ui.Messages[0].Caption, "Fehler :");
  EXPECT_EQ(r->Ui.Messages[0].Text,
            "Dies ist keine ZEPHIRAX Daten-Datei !\n"
            "Die Datei beginnt nicht wie eine Messdatei.");
  r = Load("VO", Spanish);
  EXPECT_FALSE(r->Accepted);
  EXPECT_EQ(r->Ui.Messages.at(0).Text,
            " No es un fichero de datos para el ZEPHIRAX !\n"
            "El fichero no empieza como un fichero de medición.");
}

// A rejected file changes nothing; the message keeps its first line and
// adds what is wrong and where, in the user's language.
TEST(MeasurementReader, RejectedFilesLeaveTheMeasurementAlone) {
  const std::string good = MeasurementFileBuilder().Build();
  struct Case {
    std::string Bytes;
    const char* Reason;  // in English
  };
  const std::vector<Case> bad = {
      {Patched(good, "CYLINDERS\r\n02", "CYLINDERS\r\n21"),
       "A count inside the header is out of range."},
      {Patched(good, "CYLINDERS\r\n02", "CYLINDERS\r\n00"),
       "A count inside the header is out of range."},
      {Patched(good, "STROKES\r\n03", "STROKES\r\n31"),
       "A count inside the header is out of range."},
      {Patched(good, "MODE\r\n2", "MODE\r\n3"), "A count inside the header is out of range."},
      {Patched(good, "0500", "05x0"), "A value inside the header is not a valid number."},
      {Patched(good, "015,1;", "015;1;"),
       "A value inside the cylinder values is not a valid number."},
      {good.substr(0, good.size() / 2), "The file ends inside the curve block."},
  };
  const char* headlines[] = {
      "Konnte ZEPHIRAX Daten-Datei nicht lesen!", "Could not open ZEPHIRAX data file !",
      "Could not open ZEPHIRAX data file !", "No puedo abr\xC3\xADr el fichero de datos !"};
  for (int language : {German, English, French, Spanish}) {
    for (size_t k = 0; k < bad.size(); ++k) {
      auto data = std::make_unique<MeasurementData>();
      ScriptedUserInterface ui;
      ASSERT_TRUE(LoadMeasurementBytes(*data, good));
      const MeasurementData before = *data;
      EXPECT_FALSE(test::ShownLoad(LoadMeasurementBytes(*data, bad[k].Bytes), ui, language)) << k;
      EXPECT_TRUE(*data == before) << k;
      ASSERT_EQ(ui.Messages.size(), 1u) << k;
      const std::string& text = ui.Messages[0].Text;
      EXPECT_EQ(text.substr(0, text.find('\n')), headlines[language]) << k;
      if (language == English) {
        EXPECT_EQ(text, headlines[English] + std::string("\n") + bad[k].Reason);
      }
      EXPECT_EQ(ui.Messages[0].Icon, MsgIcon::Error);
      EXPECT_EQ(ui.Messages[0].Caption, language == Spanish  ? "Falta :"
                                        : language == German ? "Fehler :"
                                                             : "Error :");
    }
  }
}

TEST(MeasurementReader, FileWithoutCylinderCountNeedsAnEarlierOne) {
  const std::string good = MeasurementFileBuilder().Build();
  const std::string noCount = Patched(good, "CYLINDERS\r\n02\r\n", "");
  EXPECT_FALSE(Load(noCount)->Accepted);
  auto data = std::make_unique<MeasurementData>();
  ASSERT_TRUE(LoadMeasurementBytes(*data, good));
  EXPECT_TRUE(LoadMeasurementBytes(*data, noCount));
  EXPECT_EQ(data->CylCount, 2);
}

TEST(MeasurementReader, MissingFileIsNotADataFile) {
  test::TempDir dir;
  auto data = std::make_unique<MeasurementData>();
  ScriptedUserInterface ui;
  EXPECT_FALSE(test::ShownLoad(LoadMeasurement(*data, dir.File("nothing.KV")), ui, English,
                               dir.File("nothing.KV")));
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Text, "This is not a ZEPHIRAX data file !\n" + dir.File("nothing.KV") +
                                     "\nThe file is missing or cannot be read.");

  // A file cut short names itself and the part it ends in, in the user's language.
  const std::string good = MeasurementFileBuilder().Build();
  test::WriteBytes(dir.File("cut.KV"), good.substr(0, good.size() - 100));
  EXPECT_FALSE(
      test::ShownLoad(LoadMeasurement(*data, dir.File("cut.KV")), ui, French, dir.File("cut.KV")));
  EXPECT_EQ(ui.Messages.back().Text, "Could not open ZEPHIRAX data file !\n" + dir.File("cut.KV") +
                                         "\nLe fichier se termine dans le bloc des courbes.");

  test::WriteBytes(dir.File("good.KV"), good);
  EXPECT_TRUE(LoadMeasurement(*data, dir.File("good.KV")));
}

TEST(ExpandTo1440, InterpolatesLinearly) {
  Curve curve{};
  for (int k = 1; k <= 360; ++k) curve[k] = static_cast<float>(k * k);
  ExpandTo1440(curve);
  EXPECT_FLOAT_EQ(curve[1], 1);
  EXPECT_FLOAT_EQ(curve[2], 1.75f);
  EXPECT_FLOAT_EQ(curve[3], 2.5f);
  EXPECT_FLOAT_EQ(curve[4], 3.25f);
  EXPECT_FLOAT_EQ(curve[5], 4);
  EXPECT_FLOAT_EQ(curve[1437], 129600);
  EXPECT_FLOAT_EQ(curve[1438], 129600 + 719 / 4.0f);
  EXPECT_FLOAT_EQ(curve[1440], 129600 + 0.75f * 719);
}

}  // namespace
}  // namespace zephirax
