#include "adddata/AddDataEntry.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>

#include "measurement/FixedField.h"
#include "measurement/Units.h"
#include "platform/Rounding.h"
#include "platform/TextEncoding.h"

namespace zephirax {

namespace {

using Q = AddDataQuantity;

bool Fahrenheit(const Settings& config) {
  return config.TempUnit == UnitDegF;
}

bool Horsepower(const Settings& config) {
  return config.PowerUnit == UnitHp;
}

// The number as entered in the user's units, in the base unit.
double ToBaseUnit(double entered, EntryUnit unit, const Settings& config) {
  if (unit == EntryUnit::Temperature && Fahrenheit(config)) return (entered - 32.0) / 1.8;
  if (unit == EntryUnit::McrPower && Horsepower(config)) return entered / HpPerKWAddData;
  return entered;
}

double ToDisplayUnit(double stored, EntryUnit unit, const Settings& config) {
  if (unit == EntryUnit::Temperature) return TempToDisplay(stored, config.TempUnit);
  if (unit == EntryUnit::McrPower) return PowerToDisplayAddData(stored, config.PowerUnit);
  return stored;
}

// A whole-number field holds int32_t, a decimal one float; both are read and
// written through double. Null for a quantity of the other kind.
template <class Data>
auto WholeSlot(Data& d, const AddDataField& f) -> decltype(&d.ShaftPower) {
  const int i = f.Index;
  switch (f.Quantity) {
    case Q::Texh:
      return &d.Texh[i];
    case Q::TexhBeforeTc:
      return &d.TexhBeforeTc[i];
    case Q::TexhAfterTc:
      return &d.TexhAfterTc[i];
    case Q::TcRpm:
      return &d.TcRpm[i];
    case Q::PDiff:
      return &d.PDiff[i];
    case Q::ShaftPower:
      return &d.ShaftPower;
    case Q::RunningHours:
      return &d.RunningHours;
    case Q::ShaftGenPower:
      return &d.ShaftGenPower;
    case Q::McrPower:
      return &d.McrPower;
    default:
      return nullptr;
  }
}

template <class Data>
auto DecimalSlot(Data& d, const AddDataField& f) -> decltype(&d.Pitch) {
  const int i = f.Index;
  switch (f.Quantity) {
    case Q::FuelRack:
      return &d.FuelRack[i];
    case Q::Vit:
      return &d.Vit[i];
    case Q::TscavBefore:
      return &d.TscavBefore[i];
    case Q::TscavAfter:
      return &d.TscavAfter[i];
    case Q::EngineRoomTemp:
      return &d.EngineRoomTemp;
    case Q::Pitch:
      return &d.Pitch;
    case Q::EngineLoad:
      return &d.EngineLoad;
    case Q::FuelConsumption:
      return &d.FuelConsumption;
    case Q::Pbaro:
      return &d.Pbaro;
    case Q::FuelTemp:
      return &d.FuelTemp;
    case Q::FuelSpecGravity:
      return &d.FuelSpecGravity;
    case Q::FuelCalorific:
      return &d.FuelCalorific;
    case Q::FuelViscosity:
      return &d.FuelViscosity;
    default:
      return nullptr;
  }
}

// An index outside its array reads 0 and is never written.
bool IndexUsable(const AddDataField& field) {
  switch (RuleOf(field.Quantity).Scope) {
    case EntryScope::PerCylinder:
      return field.Index >= 1 && field.Index <= MaxCylinders;
    case EntryScope::PerTc:
      return field.Index >= 1 && field.Index <= TcCount;
    case EntryScope::Single:
      break;
  }
  return true;
}

// Fixed-point without the C library's locale; no "-0.0" for a value that
// rounds to zero.
std::string Fixed(double value, int decimals) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "0";
  std::string text(buffer, result.ptr);
  if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

}  // namespace

QuantityRule RuleOf(AddDataQuantity quantity) {
  constexpr auto Cyl = EntryScope::PerCylinder;
  constexpr auto Tc = EntryScope::PerTc;
  constexpr auto One = EntryScope::Single;
  constexpr auto Temp = EntryUnit::Temperature;
  constexpr auto None = EntryUnit::None;
  switch (quantity) {
    case Q::Texh:
      return {true, Temp, Cyl, 0};
    case Q::TexhBeforeTc:
    case Q::TexhAfterTc:
      return {true, Temp, Tc, 0};
    case Q::FuelRack:
    case Q::Vit:
      return {false, None, Cyl, 1};
    case Q::TcRpm:
    case Q::PDiff:
      return {true, None, Tc, 0};
    case Q::TscavBefore:
    case Q::TscavAfter:
      return {false, Temp, Tc, 1};
    case Q::ShaftPower:
    case Q::RunningHours:
    case Q::ShaftGenPower:
      return {true, None, One, 0};
    case Q::McrPower:
      return {true, EntryUnit::McrPower, One, 0};
    case Q::EngineRoomTemp:
    case Q::FuelTemp:
      return {false, Temp, One, 1};
    case Q::Pitch:
    case Q::EngineLoad:
    case Q::FuelConsumption:
    case Q::FuelCalorific:
    case Q::FuelViscosity:
      return {false, None, One, 1};
    case Q::Pbaro:
      return {false, None, One, 0};
    case Q::FuelSpecGravity:
      return {false, None, One, 4};
  }
  return {};
}

std::vector<AddDataField> PageFields(int page, int32_t cylCount) {
  const int cyls = std::clamp<int32_t>(cylCount, 0, MaxCylinders);
  std::vector<AddDataField> fields;
  auto perCylinder = [&](AddDataQuantity q) {
    for (int i = 1; i <= cyls; ++i) fields.push_back({q, i});
  };
  switch (page) {
    case 0:
      perCylinder(Q::Texh);
      for (int t = 1; t <= TcCount; ++t) fields.push_back({Q::TexhBeforeTc, t});
      for (int t = 1; t <= TcCount; ++t) fields.push_back({Q::TexhAfterTc, t});
      break;
    case 1:
      perCylinder(Q::FuelRack);
      break;
    case 2:
      perCylinder(Q::Vit);
      break;
    case 3:
      // Row by row, as the page lays them out: one column per turbocharger.
      for (const Q q : {Q::TcRpm, Q::TscavBefore, Q::TscavAfter, Q::PDiff}) {
        for (int t = 1; t <= TcCount; ++t) fields.push_back({q, t});
      }
      break;
    case 4:
      for (const Q q : {Q::ShaftPower, Q::EngineRoomTemp, Q::RunningHours, Q::Pitch,
                        Q::ShaftGenPower, Q::McrPower, Q::EngineLoad, Q::FuelConsumption}) {
        fields.push_back({q, 0});
      }
      break;
    default:
      break;
  }
  return fields;
}

std::vector<AddDataField> IsoFields() {
  return {{Q::EngineRoomTemp, 0},  {Q::TscavAfter, 1},    {Q::Pbaro, 0},        {Q::FuelTemp, 0},
          {Q::FuelSpecGravity, 0}, {Q::FuelCalorific, 0}, {Q::FuelViscosity, 0}};
}

std::optional<double> ParseEntry(std::string_view text, bool whole) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return 0.0;
  const std::string_view trimmed = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  if (whole) {
    int32_t value = 0;
    if (!ParseIntField(trimmed, value)) return std::nullopt;
    return value;
  }
  double value = 0;
  if (!ParseFloatField(trimmed, value)) return std::nullopt;
  return value;
}

bool StoreEntry(AdditionalData& data, const AddDataField& field, std::string_view text,
                const Settings& config) {
  if (!IndexUsable(field)) return false;
  // An emptied field is no value, as in a record just cleared: 0 as stored,
  // whatever the units shown.
  if (text.find_first_not_of(" \t") == std::string_view::npos) {
    SetStoredValue(data, field, 0);
    return true;
  }
  const QuantityRule rule = RuleOf(field.Quantity);
  const std::optional<double> entered = ParseEntry(text, rule.Whole);
  if (!entered) return false;
  const double stored = ToBaseUnit(*entered, rule.Unit, config);
  // A number too large for the stored type is no usable entry either.
  const double limit =
      rule.Whole ? 2147483647.0 : static_cast<double>(std::numeric_limits<float>::max());
  if (!(std::fabs(stored) <= limit)) return false;
  SetStoredValue(data, field, stored);
  return true;
}

double StoredValue(const AdditionalData& data, const AddDataField& field) {
  if (!IndexUsable(field)) return 0;
  if (const int32_t* whole = WholeSlot(data, field)) return *whole;
  if (const float* decimal = DecimalSlot(data, field)) return *decimal;
  return 0;
}

void SetStoredValue(AdditionalData& data, const AddDataField& field, double value) {
  if (!IndexUsable(field)) return;
  if (int32_t* whole = WholeSlot(data, field)) *whole = RoundHalfEven(value);
  if (float* decimal = DecimalSlot(data, field)) {
    const double limit = std::numeric_limits<float>::max();
    *decimal = static_cast<float>(std::clamp(value, -limit, limit));
  }
}

std::string DisplayText(const AdditionalData& data, const AddDataField& field,
                        const Settings& config) {
  const QuantityRule rule = RuleOf(field.Quantity);
  const double shown = ToDisplayUnit(StoredValue(data, field), rule.Unit, config);
  // A whole number shows as one, also converted, so that leaving the field
  // unchanged stores the same value again.
  if (rule.Whole) return std::to_string(RoundHalfEven(shown));
  return Fixed(shown, rule.Decimals);
}

std::string IsoDisplayText(const AdditionalData& data, const AddDataField& field,
                           const Settings& config) {
  // Zero-padded width and decimals: "%05.1f" and so on.
  struct Format {
    int Width = 5;
    int Decimals = 1;
  } format;
  switch (field.Quantity) {
    case Q::TscavAfter:
      format = {4, 1};
      break;
    case Q::Pbaro:
      format = {4, 0};
      break;
    case Q::FuelSpecGravity:
      format = {6, 4};
      break;
    case Q::FuelCalorific:
      format = {6, 1};
      break;
    default:
      break;
  }
  const double shown = ToDisplayUnit(StoredValue(data, field), RuleOf(field.Quantity).Unit, config);
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%0*.*f", format.Width, format.Decimals, shown);
  std::string text(buffer);
  // Whatever the C library's locale, the form shows a decimal point.
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

std::string ShipNameFromEntry(std::string_view text) {
  std::string name = Utf8ToCp1252(text);
  if (name.size() > MaxShipNameLength) name.resize(MaxShipNameLength);
  return name;
}

std::string CommentFromMemo(std::string_view text) {
  const std::string bytes = Utf8ToCp1252(text);
  std::string comment;
  comment.reserve(bytes.size() + 16);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) comment.push_back('\r');
    comment.push_back(bytes[i]);
  }
  return comment;
}

bool MemoFits(std::string_view text) {
  return CommentFromMemo(text).size() <= MaxCommentLength;
}

std::string MemoFromComment(std::string_view comment) {
  std::string text = Cp1252ToUtf8(comment);
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    shown.push_back(text[i]);
  }
  return shown;
}

std::string MeasurementForChosenFile(const std::string& chosen) {
  namespace fs = std::filesystem;
  const fs::path path(chosen);
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension != ".exh") return chosen;
  std::error_code error;
  for (const char* measurement : {".KV", ".kv"}) {
    const fs::path candidate = fs::path(path).replace_extension(measurement);
    if (fs::is_regular_file(candidate, error)) return candidate.string();
  }
  return fs::path(path).replace_extension().string();
}

}  // namespace zephirax
