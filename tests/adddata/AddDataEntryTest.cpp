#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

#include "adddata/AddDataEntry.h"
#include "measurement/Units.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using Q = AddDataQuantity;

Settings Units(int tempUnit, int powerUnit = UnitKW, int pressureUnit = UnitBar) {
  Settings config;
  config.TempUnit = tempUnit;
  config.PowerUnit = powerUnit;
  config.PressureUnit = pressureUnit;
  return config;
}

// What an entry stores, in the base units, starting from a stored 7; no
// value means the entry was refused and the 7 stayed.
TEST(AddDataEntry, EntriesAreStoredInBaseUnits) {
  const struct {
    AddDataField Field;
    std::string Text;
    int TempUnit;
    int PowerUnit;
    std::optional<double> Stored;
  } cases[] = {
      {{Q::Texh, 3}, "95", UnitDegC, UnitKW, 95},
      {{Q::Texh, 3}, "212", UnitDegF, UnitKW, 100},
      {{Q::Texh, 3}, "99", UnitDegF, UnitKW, 37},  // 37.2 rounds
      {{Q::TscavBefore, 1}, "100.4", UnitDegF, UnitKW, 38.0},
      {{Q::TscavAfter, 3}, "38,5", UnitDegC, UnitKW, 38.5},  // a decimal comma
      {{Q::EngineRoomTemp, 0}, "77", UnitDegF, UnitKW, 25},
      {{Q::McrPower, 0}, "13410", UnitDegC, UnitHp, 10000},
      {{Q::McrPower, 0}, "13410", UnitDegC, UnitKW, 13410},
      {{Q::ShaftPower, 0}, "13410", UnitDegC, UnitHp, 13410},  // the shaft powers are kW
      {{Q::FuelRack, 20}, "-3.5", UnitDegC, UnitKW, -3.5},
      {{Q::Pbaro, 0}, "1013,25", UnitDegC, UnitKW, 1013.25},
      // An emptied field is no value, also in deg F.
      {{Q::Texh, 3}, "", UnitDegF, UnitKW, 0},
      {{Q::TscavBefore, 1}, "  ", UnitDegF, UnitKW, 0},
      // Not numbers of the field's kind: the last valid value stays.
      {{Q::Texh, 3}, "abc", UnitDegC, UnitKW, std::nullopt},
      {{Q::Texh, 3}, "12.5", UnitDegC, UnitKW, std::nullopt},
      {{Q::TcRpm, 1}, "99999999999", UnitDegC, UnitKW, std::nullopt},
      {{Q::FuelRack, 1}, "1e5", UnitDegC, UnitKW, std::nullopt},
      {{Q::Pitch, 0}, "1" + std::string(45, '0'), UnitDegC, UnitKW, std::nullopt},
      {{Q::Pitch, 0}, "12\xC2\xB0", UnitDegC, UnitKW, std::nullopt},
      // Outside the arrays: nothing is written anywhere.
      {{Q::Texh, 21}, "5", UnitDegC, UnitKW, std::nullopt},
      {{Q::PDiff, 0}, "5", UnitDegC, UnitKW, std::nullopt},
  };
  for (const auto& c : cases) {
    AdditionalData data;
    SetStoredValue(data, c.Field, 7);
    const AdditionalData before = data;
    const bool stored = StoreEntry(data, c.Field, c.Text, Units(c.TempUnit, c.PowerUnit));
    EXPECT_EQ(stored, c.Stored.has_value()) << c.Text;
    if (c.Stored) {
      EXPECT_NEAR(StoredValue(data, c.Field), *c.Stored, 1e-4) << c.Text;
    } else {
      EXPECT_EQ(data, before) << c.Text;
    }
  }
}

TEST(AddDataEntry, ValuesAreShownInTheUsersUnits) {
  const struct {
    AddDataField Field;
    double Stored;
    int TempUnit;
    int PowerUnit;
    const char* Shown;
  } cases[] = {
      {{Q::Texh, 1}, 100, UnitDegF, UnitKW, "212"},
      {{Q::Texh, 1}, 37, UnitDegF, UnitKW, "99"},  // 98.6: a whole number again
      {{Q::TscavBefore, 2}, 38, UnitDegF, UnitKW, "100.4"},
      {{Q::FuelRack, 4}, 45, UnitDegC, UnitKW, "45.0"},
      {{Q::FuelRack, 4}, 12.34, UnitDegC, UnitKW, "12.3"},  // what the file keeps
      {{Q::Pitch, 0}, -3.5, UnitDegC, UnitKW, "-3.5"},
      {{Q::Vit, 2}, -0.04, UnitDegC, UnitKW, "0.0"},
      {{Q::McrPower, 0}, 10000, UnitDegC, UnitHp, "13410"},
      {{Q::ShaftGenPower, 0}, 10000, UnitDegC, UnitHp, "10000"},
      {{Q::FuelSpecGravity, 0}, 0.99125, UnitDegC, UnitKW, "0.9912"},
  };
  for (const auto& c : cases) {
    AdditionalData data;
    SetStoredValue(data, c.Field, c.Stored);
    EXPECT_EQ(DisplayText(data, c.Field, Units(c.TempUnit, c.PowerUnit)), c.Shown) << c.Stored;
  }
}

// Leaving a converted whole number as shown must not move the stored value.
TEST(AddDataEntry, ShownWholeNumbersStoreTheSameValueAgain) {
  const struct {
    AddDataField Field;
    Settings Config;
  } cases[] = {{{Q::Texh, 1}, Units(UnitDegF)},
               {{Q::TexhBeforeTc, 1}, Units(UnitDegF)},
               {{Q::McrPower, 0}, Units(UnitDegC, UnitHp)}};
  for (const auto& c : cases) {
    for (int value = -60; value <= 20000; ++value) {
      AdditionalData data;
      SetStoredValue(data, c.Field, value);
      const std::string shown = DisplayText(data, c.Field, c.Config);
      ASSERT_TRUE(StoreEntry(data, c.Field, shown, c.Config));
      ASSERT_EQ(StoredValue(data, c.Field), value) << shown;
    }
  }
}

TEST(AddDataEntry, IsoFormShowsFixedFormats) {
  const struct {
    AddDataField Field;
    double Stored;
    int TempUnit;
    const char* Shown;
  } cases[] = {
      {{Q::EngineRoomTemp, 0}, 25, UnitDegC, "025.0"},
      {{Q::EngineRoomTemp, 0}, 25, UnitDegF, "077.0"},
      {{Q::TscavAfter, 1}, 38, UnitDegF, "100.4"},
      {{Q::Pbaro, 0}, 1013.25, UnitDegC, "1013"},
      {{Q::FuelSpecGravity, 0}, 0.9912, UnitDegC, "0.9912"},
      {{Q::FuelCalorific, 0}, 10200, UnitDegC, "10200.0"},
      {{Q::FuelViscosity, 0}, 3.5, UnitDegC, "003.5"},
  };
  for (const auto& c : cases) {
    AdditionalData data;
    SetStoredValue(data, c.Field, c.Stored);
    EXPECT_EQ(IsoDisplayText(data, c.Field, Units(c.TempUnit)), c.Shown) << c.Stored;
  }
}

TEST(AddDataEntry, PagesHoldEachQuantityOnceAndCylindersUpToTheCount) {
  const struct {
    int Page;
    int32_t CylCount;
    size_t Count;
    AddDataField First;
    AddDataField Last;
  } cases[] = {
      {0, 6, 12, {Q::Texh, 1}, {Q::TexhAfterTc, 3}},
      {1, 8, 8, {Q::FuelRack, 1}, {Q::FuelRack, 8}},
      {2, 25, 20, {Q::Vit, 1}, {Q::Vit, 20}},
      {3, 8, 12, {Q::TcRpm, 1}, {Q::PDiff, 3}},
      {4, 8, 8, {Q::ShaftPower, 0}, {Q::FuelConsumption, 0}},
  };
  for (const auto& c : cases) {
    const std::vector<AddDataField> fields = PageFields(c.Page, c.CylCount);
    ASSERT_EQ(fields.size(), c.Count) << c.Page;
    EXPECT_EQ(fields.front(), c.First) << c.Page;
    EXPECT_EQ(fields.back(), c.Last) << c.Page;
  }
  EXPECT_TRUE(PageFields(AddDataPageCount, 8).empty());

  // Every numeric quantity has its place, on one page or in the ISO form,
  // and a field's index fits the scope of its quantity.
  std::set<Q> placed;
  for (int page = 0; page < AddDataPageCount; ++page) {
    for (const AddDataField& f : PageFields(page, MaxCylinders)) {
      const EntryScope scope = RuleOf(f.Quantity).Scope;
      const int high = scope == EntryScope::PerCylinder ? MaxCylinders
                       : scope == EntryScope::PerTc     ? TcCount
                                                        : 0;
      EXPECT_TRUE(f.Index >= (high > 0 ? 1 : 0) && f.Index <= high);
      placed.insert(f.Quantity);
    }
  }
  for (const AddDataField& f : IsoFields()) placed.insert(f.Quantity);
  EXPECT_EQ(placed.size(), static_cast<size_t>(Q::FuelViscosity) + 1);
}

TEST(AddDataEntry, MemoIsStoredWithWindowsLineEndsAndLimited) {
  const struct {
    std::string Memo;
    std::string Comment;
  } cases[] = {
      {"", ""},
      {"a\nb", "a\r\nb"},
      {"a\r\nb", "a\r\nb"},
      {"\xC3\xA4\xE2\x82\xAC", "\xE4\x80"},  // ä and € have cp1252 bytes
      {"\xCE\xA9", "?"},                     // Ω has none
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CommentFromMemo(c.Memo), c.Comment) << c.Memo;
  }
  EXPECT_EQ(MemoFromComment("a\r\nb\xE4\r"), "a\nb\xC3\xA4\r");

  const struct {
    std::string Memo;
    bool Fits;
  } limits[] = {
      {std::string(255, 'x'), true},         {std::string(256, 'x'), false},
      {std::string(253, 'x') + "\n", true},  // a line break takes two
      {std::string(254, 'x') + "\n", false}, {std::string(254, 'x') + "\xE2\x82\xAC", true},
  };
  for (const auto& l : limits) EXPECT_EQ(MemoFits(l.Memo), l.Fits) << l.Memo.size();
}

TEST(AddDataEntry, ShipNameKeepsWhatTheFileKeeps) {
  EXPECT_EQ(ShipNameFromEntry("MV Northern Star"), "MV Northern Star");
  EXPECT_EQ(ShipNameFromEntry(std::string(35, 'S')), std::string(MaxShipNameLength, 'S'));
  EXPECT_EQ(ShipNameFromEntry("\xCE\xA9mega K\xC3\xB6ln"), "?mega K\xF6ln");
}

TEST(AddDataEntry, ChosenFileLeadsToItsMeasurement) {
  const struct {
    std::vector<std::string> Present;
    std::string Chosen;
    std::string Measurement;
  } cases[] = {
      {{"A.KV", "A.EXH"}, "A.EXH", "A.KV"},
      {{"A.kv"}, "A.EXH", "A.kv"},
      {{"A.kv"}, "A.Exh", "A.kv"},
      {{"A.KV", "A.kv"}, "A.exh", "A.KV"},
      {{"A.KS"}, "A.EXH", "A"},  // not found: the load says so
      {{}, "B.KS", "B.KS"},      // a measurement stands for itself
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    for (const std::string& name : c.Present) test::WriteBytes(dir.File(name), "x");
    EXPECT_EQ(MeasurementForChosenFile(dir.File(c.Chosen)), dir.File(c.Measurement)) << c.Chosen;
  }
}

}  // namespace
}  // namespace zephirax
