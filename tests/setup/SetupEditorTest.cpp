#include "setup/SetupEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/LangText.h"

namespace zephirax {
namespace {

EngineSetup NewSetup() {
  EngineSetup setup;
  NewSetupDefaults(setup);
  return setup;
}

constexpr SetupUnits Metric{UnitMm, UnitBar};
constexpr SetupUnits InchMPa{UnitInch, UnitMPa};
constexpr SetupUnits InchPsi{UnitInch, UnitPsi};

TEST(SetupEditorKeys, EveryKeyAnswersInTheFieldAndTheRecord) {
  using F = LetterField;
  using Change = void (*)(EngineSetup&);
  const Change none = [](EngineSetup&) {};
  const Change inLine = [](EngineSetup& s) { s.VAngle = 0; };  // no V angle in line
  const Change noTdc = [](EngineSetup& s) { s.TdcSensor = s.KmSensor = 0; };
  // Starting from a new setup with a V angle of 45: in-line, TDC and KM
  // sensors, no fuel/ACL sensor, averaged curve.
  const struct {
    F Field;
    int Language;
    char32_t Key;
    const char* Text;
    bool Beep;
    Change Expect;
  } cases[] = {
      {F::EngineLayout, German, U'r', "R", false, inLine},
      {F::EngineLayout, German, U'L', "L", false, inLine},
      {F::EngineLayout, English, U'r', "L", false, inLine},
      {F::EngineLayout, French, U'v', "V", false, [](EngineSetup& s) { s.InLineEngine = 0; }},
      {F::EngineLayout, German, U'x', "R", true, inLine},
      {F::TdcSensor, German, U'Y', "J", false, none},
      {F::TdcSensor, Spanish, U's', "S", false, none},
      {F::TdcSensor, English, U'n', "N", false, noTdc},
      {F::TdcSensor, English, U'x', "N", true, noTdc},
      {F::TdcSensor, German, U'ü', "N", true, noTdc},
      {F::KmSensor, French, U'o', "O", false, none},
      {F::KmSensor, English, U'7', "N", true, [](EngineSetup& s) { s.KmSensor = 0; }},
      {F::FuelAclSensor, English, U'j', "Y", false, [](EngineSetup& s) { s.FuelAclSensor = -1; }},
      {F::FuelAclSensor, English, U'\b', "N", true, none},
      {F::AverageCurve, English, U'N', "N", false, [](EngineSetup& s) { s.AverageCurve = 0; }},
      {F::AverageCurve, German, U' ', "N", true, [](EngineSetup& s) { s.AverageCurve = 0; }},
  };
  for (const auto& c : cases) {
    EngineSetup setup = NewSetup();
    setup.VAngle = 45;
    EngineSetup expected = setup;
    c.Expect(expected);
    const LetterKeyResult result = TypeLetter(setup, c.Field, c.Key, c.Language);
    EXPECT_EQ(result.Text, c.Text) << c.Text << " " << static_cast<int>(c.Key);
    EXPECT_EQ(result.Beep, c.Beep) << c.Text << " " << static_cast<int>(c.Key);
    EXPECT_EQ(setup, expected) << c.Text << " " << static_cast<int>(c.Key);
  }
  // Without a TDC sensor a yes to the KM sensor is a no, without a beep.
  EngineSetup setup = NewSetup();
  setup.TdcSensor = 0;
  const LetterKeyResult km = TypeLetter(setup, F::KmSensor, U'y', English);
  EXPECT_EQ(std::tuple(km.Text, km.Beep, setup.KmSensor), std::tuple("N", false, 0));
}

TEST(SetupEditorCounts, LeavingCorrectsWhatIsOutOfRange) {
  struct Case {
    CountField Field;
    const char* Text;
    bool Valid;
    int32_t Stored;
    const char* Corrected;
  };
  using C = CountField;
  const Case cases[] = {
      {C::Cylinders, "1", true, 1, ""},     {C::Cylinders, "20", true, 20, ""},
      {C::Cylinders, " 8 ", true, 8, ""},   {C::Cylinders, "0", false, 6, "6"},
      {C::Cylinders, "21", false, 6, "6"},  {C::Cylinders, "-3", false, 6, "6"},
      {C::Cylinders, "abc", false, 6, "6"}, {C::Cylinders, "", false, 6, "6"},
      {C::Cylinders, "4.0", false, 6, "6"}, {C::Strokes, "30", true, 30, ""},
      {C::Strokes, "31", false, 10, "10"},  {C::Strokes, "0", false, 10, "10"},
      {C::Cycle, "4", true, 4, ""},         {C::Cycle, "2", true, 2, ""},
      {C::Cycle, "3", false, 2, "2"},       {C::Cycle, "24", false, 2, "2"},
  };
  for (const Case& c : cases) {
    EngineSetup setup = NewSetup();
    setup.CylCount = 12;
    setup.StrokeCount = 20;
    setup.StrokeCycle = 4;
    const CountLeaveResult result = LeaveCount(setup, c.Field, c.Text);
    const int32_t stored = c.Field == C::Cylinders ? setup.CylCount
                           : c.Field == C::Strokes ? setup.StrokeCount
                                                   : setup.StrokeCycle;
    EXPECT_EQ(result.Valid, c.Valid) << c.Text;
    EXPECT_EQ(stored, c.Stored) << c.Text;
    if (!c.Valid) {
      EXPECT_EQ(result.Corrected, c.Corrected) << c.Text;
    }
  }
}

TEST(SetupEditorNumbers, TypedTextIsStoredInMmAndBar) {
  using N = NumberField;
  const struct {
    SetupUnits Units;
    NumberField Field;
    const char* Text;
    void (*Expect)(EngineSetup&);  // the change to a new setup's values
  } cases[] = {
      {Metric, {N::Bore}, "600", [](EngineSetup& s) { s.Bore = 600; }},
      {InchPsi, {N::Bore}, "23.62", [](EngineSetup& s) { s.Bore = 600; }},  // 599.95 mm
      {InchPsi, {N::ConRod}, "10,5", [](EngineSetup& s) { s.ConRod = 267; }},
      {InchMPa, {N::Pscav}, "0.25", [](EngineSetup& s) { s.Pscav = 2.5; }},
      {InchPsi, {N::PmaxDevLimit}, "14.525", [](EngineSetup& s) { s.PmaxDevLimit = 1.0; }},
      {Metric, {N::TdcCorrection}, " -1.5", [](EngineSetup& s) { s.TdcCorrection = -1.5; }},
      {Metric, {N::VAngle}, "+45", [](EngineSetup& s) { s.VAngle = 45; }},
      {Metric, {N::FiringOrder, 3}, "12", [](EngineSetup& s) { s.FiringOrder[3] = 12; }},
      {Metric, {N::TdcDeviation, 20}, "-2.5", [](EngineSetup& s) { s.TdcDeviation[20] = -2.5; }},
  };
  for (const auto& c : cases) {
    EngineSetup setup = NewSetup();
    EngineSetup expected = NewSetup();
    c.Expect(expected);
    EXPECT_TRUE(StoreNumberText(setup, c.Field, c.Text, c.Units)) << c.Text;
    EXPECT_EQ(setup, expected) << c.Text;
  }
}

TEST(SetupEditorNumbers, TextThatIsNoNumberLeavesTheRecord) {
  using N = NumberField;
  const struct {
    SetupUnits Units;
    NumberField Field;
    const char* Text;
  } cases[] = {
      {Metric, {N::Bore}, "12.5"},  // whole mm only
      {Metric, {N::Bore}, "abc"},
      {Metric, {N::Bore}, "99999999999"},
      {InchPsi, {N::Stroke}, "1.2.3"},
      {Metric, {N::Pscav}, ""},
      {Metric, {N::Pscav}, "-"},
      {Metric, {N::TdcDeviation, 2}, "0-2.5"},  // the file's padding, not a typed number
      {Metric, {N::FiringOrder, 1}, "1.5"},
      {Metric, {N::FiringOrder, 0}, "1"},  // no such position
      {Metric, {N::TdcDeviation, 21}, "1"},
  };
  for (const auto& c : cases) {
    EngineSetup setup = NewSetup();
    const EngineSetup before = setup;
    EXPECT_FALSE(StoreNumberText(setup, c.Field, c.Text, c.Units)) << c.Text;
    EXPECT_EQ(setup, before) << c.Text;
  }
}

TEST(SetupEditorNumbers, FieldsShowTheRecordInTheDisplayUnits) {
  EngineSetup setup = NewSetup();
  setup.Bore = 600;
  setup.Pscav = 2.5;
  setup.PmaxDevLimit = 5.0;
  setup.TdcCorrection = -2.5;
  setup.FiringOrder[2] = 5;
  setup.TdcDeviation[2] = 645;
  using N = NumberField;
  const struct {
    SetupUnits Units;
    NumberField Field;
    const char* Text;
  } cases[] = {
      {Metric, {N::Bore}, "600"},           {InchPsi, {N::Bore}, "23.62"},
      {Metric, {N::Pscav}, "2.50"},         {InchMPa, {N::Pscav}, "0.250"},
      {InchPsi, {N::Pscav}, "36.31"},       {Metric, {N::PmaxDevLimit}, "5.0"},
      {InchMPa, {N::PmaxDevLimit}, "0.50"}, {InchPsi, {N::PmaxDevLimit}, "72.62"},
      {Metric, {N::TdcCorrection}, "-2.5"}, {Metric, {N::VAngle}, "0.0"},
      {Metric, {N::FiringOrder, 2}, "5"},   {Metric, {N::TdcDeviation, 2}, "645.0"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberText(setup, c.Field, c.Units), c.Text) << c.Text;
  EXPECT_EQ(CountText(setup, CountField::Cylinders), "6");
  EXPECT_EQ(CountText(setup, CountField::Strokes), "10");
}

TEST(SetupEditorNumbers, ShownValueTypedBackKeepsTheRecord) {
  // Leaving a field unchanged must not drift the value through the display
  // unit's rounding in whole mm.
  for (int32_t mm : {1, 599, 600, 1234, 3456}) {
    EngineSetup setup = NewSetup();
    setup.Stroke = mm;
    const std::string shown = NumberText(setup, {NumberField::Stroke}, InchPsi);
    ASSERT_TRUE(StoreNumberText(setup, {NumberField::Stroke}, shown, InchPsi));
    EXPECT_EQ(setup.Stroke, mm) << shown;
  }
}

TEST(SetupEditorCaptions, BracketedUnitFollowsTheDisplay) {
  const struct {
    const char* Caption;
    SetupUnits Units;
    const char* Shown;
  } cases[] = {
      {"bore [mm] :", Metric, "bore [mm] :"},
      {"Bohrung [mm] :", InchMPa, "Bohrung [in] :"},
      {"limit [bar] :", InchPsi, "limit [psi] :"},
      {"Ladeluftdruck [bar] :", InchMPa, "Ladeluftdruck [MPa] :"},
  };
  for (const auto& c : cases) EXPECT_EQ(WithUnits(c.Caption, c.Units), c.Shown) << c.Caption;
}

TEST(SetupEditorLayout, RowsOfTheCylindersThereAre) {
  EngineSetup setup = NewSetup();
  setup.CylCount = 3;
  setup.FiringOrder[2] = 3;
  setup.TdcDeviation[3] = 120;
  const auto rows = SetupLayout(setup);
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].Visible, i < 3) << i;
  EXPECT_EQ(rows[1].FiringText, "3");
  EXPECT_EQ(rows[2].DeviationText, "120.0");
  // Counts the arrays do not hold show nothing, or every row, and read nothing past them.
  for (int32_t count : {0, 25}) {
    setup.CylCount = count;
    for (const SetupLayoutRow& row : SetupLayout(setup)) EXPECT_EQ(row.Visible, count > 0);
  }
}

}  // namespace
}  // namespace zephirax
