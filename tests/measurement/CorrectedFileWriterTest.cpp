#include "measurement/CorrectedFileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "measurement/MeasurementReader.h"
#include "measurement/PscavCorrection.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"
#include "voltan-sim/Generator.h"

namespace zephirax {
namespace {

using test::MeasurementFileBuilder;

std::unique_ptr<MeasurementData> Load(std::string_view bytes) {
  auto data = std::make_unique<MeasurementData>();
  EXPECT_TRUE(LoadMeasurementBytes(*data, bytes));
  return data;
}

TEST(PscavCorrection, ShiftsEveryPressureAndRoundsHalfToEven) {
  MeasurementData d;
  d.CylCount = 2;
  d.StrokeCount = 2;
  d.Pscav = 2.0;
  d.PressureCurve[1].fill(10.0f);
  d.PmaxMean = {0, 100, 101};
  d.PmaxHigh = {0, 104, 104};
  d.StrokePmax[2] = {0, 99, 103};
  ApplyPscavCorrection(d, 2.5);
  EXPECT_FLOAT_EQ(d.PressureCurve[1][1440], 10.5f);
  EXPECT_EQ(d.PmaxMean[1], 100);  // 100.5 rounds to the even 100
  EXPECT_EQ(d.PmaxMean[2], 102);  // 101.5 rounds to the even 102
  EXPECT_EQ(d.StrokePmax[2][1], 100);
  EXPECT_EQ(d.StrokePmax[2][2], 104);
  EXPECT_FLOAT_EQ(d.EnginePmaxMean, 101);
  EXPECT_DOUBLE_EQ(d.Pscav, 2.5);
}

// The dialog shows and reads pscav in the user's unit and decimal separator.
TEST(PscavCorrection, DialogTextInEveryUnit) {
  EXPECT_EQ(PscavDisplayText(2.5, UnitBar, ','), "2,50");
  EXPECT_EQ(PscavDisplayText(2.5, UnitMPa, '.'), "0.250");
  EXPECT_EQ(PscavDisplayText(2.0, UnitPsi, ','), "29,050");
  struct Case {
    const char* Text;
    int Unit;
    char Separator;
    std::optional<double> Bar;
  } cases[] = {
      {"2,6", UnitBar, ',', 2.6},   {" 2.6 ", UnitBar, '.', 2.6}, {"0,25", UnitMPa, ',', 2.5},
      {"29,05", UnitPsi, ',', 2.0}, {"+3", UnitBar, '.', 3.0},    {"1e1", UnitBar, '.', 10.0},
      {"2.6", UnitBar, ',', {}},    {"2,6", UnitBar, '.', {}},    {"", UnitBar, '.', {}},
      {"abc", UnitBar, '.', {}},    {"2,6x", UnitBar, ',', {}},   {"1e999", UnitBar, '.', {}},
      {"nan", UnitBar, '.', {}},    {"2 6", UnitBar, '.', {}},
  };
  for (const Case& c : cases) {
    const std::optional<double> bar = PscavFromText(c.Text, c.Unit, c.Separator);
    ASSERT_EQ(bar.has_value(), c.Bar.has_value()) << c.Text;
    if (bar) {
      EXPECT_NEAR(*bar, *c.Bar, 1e-9) << c.Text;
    }
  }
}

// Both writers on old (360-row) and new files, with and without second
// channel and shift row: the result reads back with every corrected value.
TEST(CorrectedFileWriter, RoundTripsThroughTheReader) {
  for (const std::string version : {"", "4.00"}) {
    for (const std::string extra : {"", "FUEL"}) {
      for (bool shift : {false, true}) {
        SCOPED_TRACE("version '" + version + "' extra '" + extra + "'");
        MeasurementFileBuilder file;
        file.Cylinders = 3;
        file.Version = version;
        file.Extra = extra;
        file.Shift = shift;
        const std::string source = file.Build();
        auto data = Load(source);

        ApplyPscavCorrection(*data, 2.85);
        data->TdcShift[2] = -1.5f;
        data->CylMip[1] = 17.26f;
        data->CylPind[3] = 4321;
        for (const bool pscav : {true, false}) {
          const auto bytes =
              pscav ? PscavCorrectedBytes(*data, source) : TdcShiftedBytes(*data, source);
          ASSERT_TRUE(bytes);
          if (version.empty()) {
            // An old file gains its version item after the seventh line.
            size_t at = 0;
            for (int line = 0; line < 7; ++line) at = bytes->find('\n', at) + 1;
            EXPECT_EQ(bytes->compare(at, 15, "VERSION\r\n4.00\r\n"), 0);
          }
          auto back = Load(*bytes);
          EXPECT_TRUE(back->HasMipBlock);
          EXPECT_EQ(back->HasExtraChannel, !extra.empty());
          EXPECT_FLOAT_EQ(back->TdcShift[2], -1.5f);
          // Linear curves pass the smoothing at load unchanged.
          for (int s : {1, 400, 721, 1440}) {
            EXPECT_NEAR(back->PressureCurve[2][s], data->PressureCurve[2][s], 0.051) << s;
            if (!extra.empty()) {
              EXPECT_NEAR(back->ExtraCurve[3][s], data->ExtraCurve[3][s], 0.051) << s;
            }
          }
          if (pscav) {
            EXPECT_DOUBLE_EQ(back->Pscav, 2.85);
            EXPECT_EQ(back->PmaxMean, data->PmaxMean);
            EXPECT_EQ(back->StrokePmax, data->StrokePmax);
            EXPECT_NEAR(back->EnginePmaxMean, data->EnginePmaxMean, 0.05);
          } else {
            EXPECT_FLOAT_EQ(back->CylMip[1], 17.3f);  // one decimal, as the field holds
            EXPECT_EQ(back->CylPind[3], 4321);
            EXPECT_DOUBLE_EQ(back->Pscav, 2.35);  // the TDC writer leaves pscav alone
          }
        }
      }
    }
  }
}

// Files without a MIP item hold 180 samples per curve, in cylinder lines or
// in rows; a correction must keep that shape, or the file no longer loads.
TEST(CorrectedFileWriter, OldLayoutsKeepTheirShape) {
  using voltansim::CurveLayout;
  using voltansim::SecondChannel;
  for (const CurveLayout layout : {CurveLayout::Lines180, CurveLayout::Rows180}) {
    for (const SecondChannel extra : {SecondChannel::None, SecondChannel::Fuel}) {
      SCOPED_TRACE(static_cast<int>(layout) * 10 + static_cast<int>(extra));
      voltansim::GeneratorOptions options;
      options.Cylinders = 3;
      options.Layout = layout;
      options.Extra = extra;
      const std::string source = voltansim::GenerateMeasurement(options);
      auto data = Load(source);
      ApplyPscavCorrection(*data, data->Pscav + 0.5);
      const auto bytes = PscavCorrectedBytes(*data, source);
      ASSERT_TRUE(bytes);
      auto back = std::make_unique<MeasurementData>();
      ASSERT_TRUE(LoadMeasurementBytes(*back, *bytes));
      // The smoothing at load copies the first two and last two samples.
      for (int s : {1, 2, 179, 180}) {
        EXPECT_NEAR(back->PressureCurve[3][s], data->PressureCurve[3][s], 0.051) << s;
        EXPECT_NEAR(back->ExtraCurve[3][s], data->ExtraCurve[3][s], 0.051) << s;
      }
    }
  }
}

TEST(CorrectedFileWriter, KeepsBytesBeyondTheNewEndAndRefusesValuesTooWide) {
  MeasurementFileBuilder file;
  file.Extra = "FUEL";
  file.Shift = true;
  const std::string trailer = "old bytes after the data\r\n";
  const std::string source = file.Build() + trailer;
  auto data = Load(source);
  const auto bytes = PscavCorrectedBytes(*data, source);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), source.size());
  EXPECT_EQ(bytes->substr(bytes->size() - trailer.size()), trailer);
  EXPECT_NE(bytes->find(" -1,0;"), std::string::npos);  // the shift row keeps its blanks

  data->StrokePmax[1][1] = 1000;  // four digits in a three-digit field
  FieldMisfit misfit;
  EXPECT_FALSE(PscavCorrectedBytes(*data, source, &misfit));
  EXPECT_EQ(misfit.Field, CorrectedField::StrokePmax);
  EXPECT_EQ(misfit.Value, 1000);
  test::TempDir dir;
  test::WriteBytes(dir.File("A.KV"), source);
  const CorrectionResult refused = WritePscavCorrected(*data, dir.File("A.KV"));
  EXPECT_EQ(refused.Outcome, CorrectionOutcome::ValueDoesNotFit);
  EXPECT_EQ(refused.Misfit.Field, CorrectedField::StrokePmax);
  EXPECT_EQ(test::ReadBytes(dir.File("A.KV")), source);

  data->StrokePmax[1][1] = 100;
  EXPECT_TRUE(WritePscavCorrected(*data, dir.File("A.KV")));
  EXPECT_TRUE(WriteTdcShifted(*data, dir.File("A.KV"), dir.File("new/B.KV")));
  EXPECT_TRUE(Load(test::ReadBytes(dir.File("new/B.KV")))->HasExtraChannel);
  EXPECT_EQ(WriteTdcShifted(*data, dir.File("missing.KV"), dir.File("C.KV")).Outcome,
            CorrectionOutcome::SourceUnreadable);
}

// An old file whose seventh line falls inside an item would get the version
// item in the middle of its values: such a correction is refused, and the
// user's file stays as it was.
TEST(CorrectedFileWriter, ACorrectionThatWouldNotReadBackIsNotWritten) {
  test::TempDir dir;
  const std::string source = test::ReadBytes(std::string(ZEPHIRAX_TEST_DATA) +
                                             "/fuzz-regressions/measurement/"
                                             "version-item-inside-rpm-values");
  auto data = std::make_unique<MeasurementData>();
  data->CylCount = 3;  // the file has no cylinder count of its own
  ASSERT_TRUE(LoadMeasurementBytes(*data, source));
  bool unreadable = false;
  EXPECT_FALSE(PscavCorrectedBytes(*data, source, nullptr, &unreadable));
  EXPECT_TRUE(unreadable);
  test::WriteBytes(dir.File("OLD.KS"), source);
  EXPECT_EQ(WritePscavCorrected(*data, dir.File("OLD.KS")).Outcome, CorrectionOutcome::NotReadBack);
  EXPECT_EQ(test::ReadBytes(dir.File("OLD.KS")), source);
}

// The pressure's four characters are the first four of its two-decimal text:
// pressures of 10 bar and more lose a decimal, not the file.
TEST(CorrectedFileWriter, ScavengingAirPressureKeepsItsFirstFourCharacters) {
  const std::string source = MeasurementFileBuilder().Build();
  struct Case {
    double Pscav;
    const char* Field;  // empty: refused
    double ReadBack;
  };
  for (const Case& c :
       {Case{2.85, "2,85", 2.85}, Case{12.5, "12,5", 12.5}, Case{12.56, "12,5", 12.5},
        Case{0.5, "0,50", 0.5}, Case{-1.5, "-1,5", -1.5}, Case{9999.9, "9999", 9999},
        Case{12345, "", 0}, Case{std::nan(""), "", 0}}) {
    SCOPED_TRACE(c.Pscav);
    auto data = Load(source);
    data->Pscav = c.Pscav;
    FieldMisfit misfit;
    const auto bytes = PscavCorrectedBytes(*data, source, &misfit);
    if (*c.Field == '\0') {
      EXPECT_FALSE(bytes);
      EXPECT_EQ(misfit.Field, CorrectedField::Pscav);
      continue;
    }
    ASSERT_TRUE(bytes);
    EXPECT_NE(bytes->find(std::string("SCAV\r\n") + c.Field + "\r\n"), std::string::npos);
    EXPECT_DOUBLE_EQ(Load(*bytes)->Pscav, c.ReadBack);
  }
}

}  // namespace
}  // namespace zephirax
