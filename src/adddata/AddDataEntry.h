#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "adddata/AdditionalData.h"
#include "platform/Settings.h"

// What the additional-data dialogs do with the user's entries, without a
// window: which quantities each page shows, how an entry becomes a stored value
// in the base units (deg C, kW) and how a stored value is shown in the user's
// units.

namespace zephirax {

// The numeric quantities the dialogs edit. The ship name and the memo are
// texts and have routines of their own.
enum class AddDataQuantity {
  Texh,
  TexhBeforeTc,
  TexhAfterTc,
  FuelRack,
  Vit,
  TcRpm,
  TscavBefore,
  TscavAfter,
  PDiff,
  ShaftPower,
  EngineRoomTemp,
  RunningHours,
  Pitch,
  ShaftGenPower,
  McrPower,
  EngineLoad,
  FuelConsumption,
  Pbaro,
  FuelTemp,
  FuelSpecGravity,
  FuelCalorific,
  FuelViscosity,
};

// One value: a quantity and, for the arrays, its cylinder (1..20) or
// turbocharger (1..3); 0 for a single value.
struct AddDataField {
  AddDataQuantity Quantity = AddDataQuantity::Texh;
  int Index = 0;
  bool operator==(const AddDataField&) const = default;
};

enum class EntryScope { Single, PerCylinder, PerTc };
// What the user's units change: temperatures are entered in deg F with that
// setting, the MCR power in hp. Every other quantity is stored as entered.
enum class EntryUnit { None, Temperature, McrPower };

struct QuantityRule {
  bool Whole = false;  // a whole number; otherwise a decimal one
  EntryUnit Unit = EntryUnit::None;
  EntryScope Scope = EntryScope::Single;
  int Decimals = 0;  // shown in the dialog: what the file keeps
};

QuantityRule RuleOf(AddDataQuantity quantity);

// The dialog's pages: 0 exhaust-gas temperatures, 1 fuel rack, 2 VIT,
// 3 charging-air system, 4 ship name, load and others.
inline constexpr int AddDataPageCount = 5;
// The fields of `page` in reading order; the cylinder pages show cylinders
// 1..cylCount (clamped to 0..MaxCylinders). Page 4 also holds the ship name,
// which is no numeric field.
std::vector<AddDataField> PageFields(int page, int32_t cylCount);

// The seven values of the ISO correction form, in its order.
std::vector<AddDataField> IsoFields();

// An entry as a number in the units shown: blanks around it are allowed, a
// comma is read as a decimal point, an empty entry is 0. No value when the
// text is not a number of the quantity's kind (a whole-number field takes no
// decimals) or does not fit 32 bits.
std::optional<double> ParseEntry(std::string_view text, bool whole);

// Stores an entry shown in the units of `config` as the base-unit value of
// `field`; an empty entry stores 0 (no value) in any unit. False, with `data`
// unchanged, when the entry is not a number: the field keeps its last valid
// value.
bool StoreEntry(AdditionalData& data, const AddDataField& field, std::string_view text,
                const Settings& config);

// The stored value of `field` as the dialog shows it in the units of
// `config`: a whole number, or with the decimals the file keeps; always with
// a decimal point.
std::string DisplayText(const AdditionalData& data, const AddDataField& field,
                        const Settings& config);

// The ISO form shows its values in fixed formats ("025.0" deg C, "1013"
// mbar, "0.9912").
std::string IsoDisplayText(const AdditionalData& data, const AddDataField& field,
                           const Settings& config);

// The base-unit value of `field`, and setting it (whole quantities round).
double StoredValue(const AdditionalData& data, const AddDataField& field);
void SetStoredValue(AdditionalData& data, const AddDataField& field, double value);

// The ship name as stored from the entry (UTF-8): cp1252, at most
// MaxShipNameLength characters, as the file keeps it.
std::string ShipNameFromEntry(std::string_view text);

// The memo's text (UTF-8, lines separated by "\n") as the comment is stored:
// cp1252 with CR LF line ends. Its size is what counts against
// MaxCommentLength, so a line break takes two of the 255 characters.
std::string CommentFromMemo(std::string_view text);
bool MemoFits(std::string_view text);
// The stored comment as the memo shows it.
std::string MemoFromComment(std::string_view comment);

// The measurement that belongs to the file chosen in the open dialog: an
// additional-data file (".EXH", any case) stands for NAME.KV, else NAME.kv,
// else NAME without extension, whichever exists first (NAME when none does,
// which then fails to load); any other file is the measurement itself.
std::string MeasurementForChosenFile(const std::string& chosen);

}  // namespace zephirax
