#include "setup/SetupEditor.h"

#include "measurement/FixedField.h"
#include "measurement/NumberText.h"
#include "platform/LangText.h"
#include "platform/Rounding.h"

namespace zephirax {

namespace {

constexpr double MmPerInch = 25.4;

// What a new setup has; a count that is not accepted falls back to it.
constexpr int32_t DefaultCylinders = 6;
constexpr int32_t DefaultStrokes = 10;
constexpr int32_t DefaultCycle = 2;

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The fields show the number without the blanks that right-align it.
std::string Shown(const std::string& formatted) {
  return std::string(TrimBlanks(formatted));
}

std::string Fixed(double value, int width, int decimals) {
  return Shown(FormatFixed(value, width, decimals));
}

std::string Whole(int32_t value, int width) {
  return Shown(FormatInt(value, width));
}

// A sign belongs in front: the file fields' zero padding before a sign
// ("0-2.5") is no way to type a number.
bool SignOnlyInFront(std::string_view text) {
  return text.find_first_of("+-", 1) == std::string_view::npos;
}

bool TypedNumber(std::string_view text, double& value) {
  text = TrimBlanks(text);
  return SignOnlyInFront(text) && ParseFloatField(text, value);
}

bool TypedInteger(std::string_view text, int32_t& value) {
  text = TrimBlanks(text);
  return SignOnlyInFront(text) && ParseIntField(text, value);
}

bool IsYesKey(char32_t key) {
  switch (key) {
    case U'J':
    case U'j':
    case U'O':
    case U'o':
    case U'S':
    case U's':
    case U'Y':
    case U'y':
      return true;
    default:
      return false;
  }
}

bool IsNoKey(char32_t key) {
  return key == U'N' || key == U'n';
}

std::string YesText(int language) {
  return std::string(1, YesLetter(language));
}

// German calls an in-line engine a "Reihenmotor".
std::string InLineText(int language) {
  return language == German ? "R" : "L";
}

}  // namespace

char YesLetter(int language) {
  switch (language) {
    case German:
      return 'J';
    case French:
      return 'O';
    case Spanish:
      return 'S';
    default:
      return 'Y';
  }
}

std::string LetterText(const EngineSetup& setup, LetterField field, int language) {
  switch (field) {
    case LetterField::EngineLayout:
      return setup.InLineEngine == 1 ? InLineText(language) : "V";
    case LetterField::TdcSensor:
      return setup.TdcSensor == 1 ? YesText(language) : "N";
    case LetterField::KmSensor:
      return setup.KmSensor == 1 ? YesText(language) : "N";
    case LetterField::FuelAclSensor:
      return setup.FuelAclSensor == -1 ? YesText(language) : "N";
    case LetterField::AverageCurve:
      return setup.AverageCurve == -1 ? YesText(language) : "N";
  }
  return "N";
}

LetterKeyResult TypeLetter(EngineSetup& setup, LetterField field, char32_t key, int language) {
  LetterKeyResult result;
  const bool yes = IsYesKey(key);
  const bool no = IsNoKey(key);
  result.Beep = !yes && !no;
  switch (field) {
    case LetterField::EngineLayout: {
      if (key == U'V' || key == U'v') {
        setup.InLineEngine = 0;
        return {"V", false};
      }
      const bool inLineKey = key == U'L' || key == U'l' || key == U'R' || key == U'r';
      setup.InLineEngine = 1;
      setup.VAngle = 0;
      if (!inLineKey) return {InLineText(language), true};
      const bool typedR = key == U'R' || key == U'r';
      return {typedR && language == German ? "R" : "L", false};
    }
    case LetterField::TdcSensor:
      setup.TdcSensor = yes ? 1 : 0;
      if (!yes) setup.KmSensor = 0;
      break;
    case LetterField::KmSensor:
      setup.KmSensor = yes && setup.TdcSensor == 1 ? 1 : 0;
      break;
    case LetterField::FuelAclSensor:
      setup.FuelAclSensor = yes ? -1 : 0;
      break;
    case LetterField::AverageCurve:
      setup.AverageCurve = yes ? -1 : 0;
      break;
  }
  result.Text = LetterText(setup, field, language);
  return result;
}

std::string CountText(const EngineSetup& setup, CountField field) {
  switch (field) {
    case CountField::Cylinders:
      return Whole(setup.CylCount, 2);
    case CountField::Strokes:
      return Whole(setup.StrokeCount, 2);
    case CountField::Cycle:
      return Whole(setup.StrokeCycle, 1);
  }
  return {};
}

CountLeaveResult LeaveCount(EngineSetup& setup, CountField field, std::string_view text) {
  int32_t value = 0;
  switch (field) {
    case CountField::Cylinders:
      if (TypedInteger(text, value) && value >= 1 && value <= MaxCylinders) {
        setup.CylCount = value;
        return {};
      }
      setup.CylCount = DefaultCylinders;
      break;
    case CountField::Strokes:
      if (TypedInteger(text, value) && value >= 1 && value <= MaxStrokes) {
        setup.StrokeCount = value;
        return {};
      }
      setup.StrokeCount = DefaultStrokes;
      break;
    case CountField::Cycle: {
      const std::string_view cycle = TrimBlanks(text);
      if (cycle == "2" || cycle == "4") {
        setup.StrokeCycle = cycle[0] - '0';
        return {};
      }
      setup.StrokeCycle = DefaultCycle;
      break;
    }
  }
  return {false, CountText(setup, field)};
}

std::string NumberText(const EngineSetup& setup, NumberField field, SetupUnits units) {
  const bool inch = units.Length == UnitInch;
  const auto length = [inch](int32_t mm) {
    return inch ? Fixed(mm / MmPerInch, 6, 2) : Whole(mm, 4);
  };
  switch (field.What) {
    case NumberField::TdcCorrection:
      return Fixed(setup.TdcCorrection, 6, 1);
    case NumberField::Bore:
      return length(setup.Bore);
    case NumberField::Stroke:
      return length(setup.Stroke);
    case NumberField::ConRod:
      return length(setup.ConRod);
    case NumberField::VAngle:
      return Fixed(setup.VAngle, 5, 1);
    case NumberField::Pscav:
      switch (units.Pressure) {
        case UnitMPa:
          return Fixed(setup.Pscav / 10.0, 5, 3);
        case UnitPsi:
          return Fixed(setup.Pscav * PsiPerBar, 5, 2);
        default:
          return Fixed(setup.Pscav, 4, 2);
      }
    case NumberField::PmaxDevLimit:
      switch (units.Pressure) {
        case UnitMPa:
          return Fixed(setup.PmaxDevLimit / 10.0, 4, 2);
        case UnitPsi:
          return Fixed(setup.PmaxDevLimit * PsiPerBar, 5, 2);
        default:
          return Fixed(setup.PmaxDevLimit, 4, 1);
      }
    case NumberField::FiringOrder:
      if (field.Index < 1 || field.Index > MaxCylinders) return {};
      return Whole(setup.FiringOrder[field.Index], 2);
    case NumberField::TdcDeviation:
      if (field.Index < 1 || field.Index > MaxCylinders) return {};
      return Fixed(setup.TdcDeviation[field.Index], 5, 1);
  }
  return {};
}

bool StoreNumberText(EngineSetup& setup, NumberField field, std::string_view text,
                     SetupUnits units) {
  const bool perCylinder =
      field.What == NumberField::FiringOrder || field.What == NumberField::TdcDeviation;
  if (perCylinder && (field.Index < 1 || field.Index > MaxCylinders)) return false;

  const auto length = [&text, &units](int32_t& mm) {
    if (units.Length == UnitInch) {
      double inches = 0;
      if (!TypedNumber(text, inches)) return false;
      mm = RoundHalfEven(inches * MmPerInch);
      return true;
    }
    return TypedInteger(text, mm);
  };
  const auto pressure = [&text, &units](double& bar) {
    double typed = 0;
    if (!TypedNumber(text, typed)) return false;
    switch (units.Pressure) {
      case UnitMPa:
        bar = typed * 10.0;
        break;
      case UnitPsi:
        bar = typed / PsiPerBar;
        break;
      default:
        bar = typed;
        break;
    }
    return true;
  };
  // Each conversion writes the record only once the text has converted.
  switch (field.What) {
    case NumberField::TdcCorrection:
      return TypedNumber(text, setup.TdcCorrection);
    case NumberField::Bore:
      return length(setup.Bore);
    case NumberField::Stroke:
      return length(setup.Stroke);
    case NumberField::ConRod:
      return length(setup.ConRod);
    case NumberField::VAngle:
      return TypedNumber(text, setup.VAngle);
    case NumberField::Pscav:
      return pressure(setup.Pscav);
    case NumberField::PmaxDevLimit:
      return pressure(setup.PmaxDevLimit);
    case NumberField::FiringOrder:
      return TypedInteger(text, setup.FiringOrder[field.Index]);
    case NumberField::TdcDeviation:
      return TypedNumber(text, setup.TdcDeviation[field.Index]);
  }
  return false;
}

int MaxTextLength(NumberField field) {
  switch (field.What) {
    case NumberField::Bore:
    case NumberField::Stroke:
    case NumberField::ConRod:
      return 7;
    case NumberField::FiringOrder:
      return 2;
    case NumberField::TdcDeviation:
      return 5;
    default:
      return 0;
  }
}

std::string WithUnits(std::string_view caption, SetupUnits units) {
  std::string text(caption);
  const auto replace = [&text](std::string_view from, std::string_view to) {
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
  };
  if (units.Length == UnitInch) replace("[mm]", "[in]");
  if (units.Pressure == UnitMPa) replace("[bar]", "[MPa]");
  if (units.Pressure == UnitPsi) replace("[bar]", "[psi]");
  return text;
}

std::array<SetupLayoutRow, MaxCylinders> SetupLayout(const EngineSetup& setup) {
  std::array<SetupLayoutRow, MaxCylinders> rows{};
  for (int p = 1; p <= MaxCylinders; ++p) {
    SetupLayoutRow& row = rows[p - 1];
    row.Visible = p <= setup.CylCount;
    if (!row.Visible) continue;
    row.FiringText = NumberText(setup, {NumberField::FiringOrder, p}, {});
    row.DeviationText = NumberText(setup, {NumberField::TdcDeviation, p}, {});
  }
  return rows;
}

}  // namespace zephirax
