#pragma once

#include <array>
#include <string>
#include <string_view>

#include "measurement/Units.h"
#include "setup/EngineSetup.h"

// The setup editor's field rules without a window: what each field shows for
// the record, what a typed key or text does to the record, and which rows the
// firing-order page shows. The editor works on the record itself, so every
// accepted entry is in memory at once.

namespace zephirax {

// The units the editor shows lengths and pressures in (the settings'
// LengthUnit and PressureUnit); the record keeps mm and bar.
struct SetupUnits {
  int Length = UnitMm;
  int Pressure = UnitBar;
};

// The language's letter for "yes": J, Y, O or S.
char YesLetter(int language);

// Fields of one letter, where every key replaces the content.
enum class LetterField { EngineLayout, TdcSensor, KmSensor, FuelAclSensor, AverageCurve };

std::string LetterText(const EngineSetup& setup, LetterField field, int language);

struct LetterKeyResult {
  std::string Text;   // what the field shows now
  bool Beep = false;  // the key was not one the field knows
};

// A key typed into a one-letter field. An in-line engine gets VAngle 0; a
// setup without TDC sensor has no KM sensor either, so switching the TDC
// sensor off switches the KM sensor off, and the KM sensor is only switched on
// with a TDC sensor. A key the field does not know beeps and gives the safe
// answer (in-line, "N").
LetterKeyResult TypeLetter(EngineSetup& setup, LetterField field, char32_t key, int language);

// Counts checked when the field is left.
enum class CountField { Cylinders, Strokes, Cycle };

std::string CountText(const EngineSetup& setup, CountField field);

struct CountLeaveResult {
  bool Valid = true;
  std::string Corrected;  // when not valid: the field's new text (the record holds it)
};

// Stores a valid count; anything else is replaced by the new-setup value (6
// cylinders, 10 strokes, two-stroke) in field and record.
CountLeaveResult LeaveCount(EngineSetup& setup, CountField field, std::string_view text);

// Fields stored on every change.
struct NumberField {
  enum Kind {
    TdcCorrection,
    Bore,
    Stroke,
    ConRod,
    VAngle,
    Pscav,
    PmaxDevLimit,
    FiringOrder,
    TdcDeviation
  };
  Kind What = TdcCorrection;
  int Index = 0;  // firing position or cylinder, 1..20, for the two per-cylinder kinds
};

// The value in the display unit, formatted as the field shows it.
std::string NumberText(const EngineSetup& setup, NumberField field, SetupUnits units);

// Converts the typed text from the display unit and stores it. A text that is
// not a number leaves the record as it was and returns false.
bool StoreNumberText(EngineSetup& setup, NumberField field, std::string_view text,
                     SetupUnits units);

// How many characters the field takes; 0 for no limit.
int MaxTextLength(NumberField field);

// A caption with the bracketed unit of the display: "[mm]" becomes "[in]",
// "[bar]" becomes "[MPa]" or "[psi]".
std::string WithUnits(std::string_view caption, SetupUnits units);

// One row of the firing-order page: position p's cylinder and cylinder p's
// TDC deviation.
struct SetupLayoutRow {
  bool Visible = false;
  std::string FiringText;
  std::string DeviationText;
};

// The page's rows for the record: rows 1..CylCount are shown and filled.
std::array<SetupLayoutRow, MaxCylinders> SetupLayout(const EngineSetup& setup);

}  // namespace zephirax
