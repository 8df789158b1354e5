#include "app/OptionsChoice.h"

namespace zephirax {
namespace {

// The index of a group's setting, -1 when it is none of `count` codes.
int Checked(int32_t code, int count) {
  return code >= 0 && code < count ? code : -1;
}

void TakeChecked(int32_t& code, int checked) {
  if (checked >= 0) code = checked;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

OptionsChoice ChoiceFromSettings(const Settings& settings) {
  OptionsChoice choice;
  choice.Language = Checked(settings.Language, 4);
  choice.PressureUnit = Checked(settings.PressureUnit, 3);
  choice.PowerUnit = Checked(settings.PowerUnit, 2);
  choice.TempUnit = Checked(settings.TempUnit, 2);
  choice.LengthUnit = Checked(settings.LengthUnit, 2);
  for (size_t k = 0; k < DpDaScales.size(); ++k) {
    if (settings.DpDaMax == DpDaScales[k]) choice.DpDaScale = static_cast<int>(k);
  }
  for (size_t k = 0; k < AclScaleTexts.size(); ++k) {
    if (settings.AclScale == AclScaleTexts[k]) choice.AclScale = static_cast<int>(k);
  }
  choice.SensorType = Checked(settings.SensorType, 3);
  choice.EmailDestination = settings.EmailDestination;
  choice.EmailSenderAddress = settings.EmailSenderAddress;
  choice.EmailSenderName = settings.EmailSenderName;
  choice.Device = settings.Device;
  return choice;
}

void TakeSettings(Settings& settings, const OptionsChoice& choice) {
  settings.EmailDestination = choice.EmailDestination;
  settings.EmailSenderAddress = choice.EmailSenderAddress;
  settings.EmailSenderName = choice.EmailSenderName;
  TakeChecked(settings.Language, Checked(choice.Language, 4));
  TakeChecked(settings.PressureUnit, Checked(choice.PressureUnit, 3));
  TakeChecked(settings.PowerUnit, Checked(choice.PowerUnit, 2));
  TakeChecked(settings.TempUnit, Checked(choice.TempUnit, 2));
  TakeChecked(settings.LengthUnit, Checked(choice.LengthUnit, 2));
  if (Checked(choice.DpDaScale, 3) >= 0) settings.DpDaMax = DpDaScales[choice.DpDaScale];
  if (Checked(choice.AclScale, 3) >= 0) settings.AclScale = AclScaleTexts[choice.AclScale];
  TakeChecked(settings.SensorType, Checked(choice.SensorType, 3));
  settings.Device = Trimmed(choice.Device);
}

std::array<const char*, 3> DpDaCaptions(int pressureUnit) {
  switch (pressureUnit) {
    case 1:
      return {"0.25 MPa/°CA", "0.5 MPa/°CA", "1.0 MPa/°CA"};
    case 2:
      return {"50 psi/°CA", "100 psi/°CA", "150 psi/°CA"};
    default:
      return {"2.5 bar/°CA", "5 bar/°CA", "10 bar/°CA"};
  }
}

}  // namespace zephirax
