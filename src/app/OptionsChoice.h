#pragma once

#include <array>
#include <string>

#include "platform/Settings.h"

// What the options dialog's controls hold, apart from the controls: which
// button of each group is checked (-1 when none is) and the texts of the
// entry fields. The dialog is preset from the settings and, however it is
// closed, the settings are taken back from it.

namespace zephirax {

struct OptionsChoice {
  int Language = -1;      // 0 German, 1 English, 2 French, 3 Spanish
  int PressureUnit = -1;  // 0 bar, 1 MPa, 2 psi
  int PowerUnit = -1;     // 0 kW, 1 hp
  int TempUnit = -1;      // 0 deg C, 1 deg F
  int LengthUnit = -1;    // 0 mm, 1 inch
  int DpDaScale = -1;     // 0: 2.5, 1: 5.0, 2: 10.0 bar/deg CA
  int AclScale = -1;      // 0 "min", 1 "normal", 2 "max"
  int SensorType = -1;    // 0 none, 1 injection pressure, 2 acceleration sensor
  std::string EmailDestination;
  std::string EmailSenderAddress;
  std::string EmailSenderName;
  std::string Device;  // serial device path; empty: the COM port number's device
};

// The full scales of the three dp/da buttons, in bar/deg CA.
inline constexpr std::array<float, 3> DpDaScales = {2.5f, 5.0f, 10.0f};
// The texts of the ACL scale buttons, as stored.
inline constexpr std::array<const char*, 3> AclScaleTexts = {"min", "normal", "max"};

// The buttons that show `settings`; a value no button stands for (a dp/da
// scale of 7.5, an ACL scale "huge") leaves its group without a checked button.
OptionsChoice ChoiceFromSettings(const Settings& settings);

// Takes every setting back from `choice`; a group without a checked button
// keeps its setting. Blanks around the device path are dropped.
void TakeSettings(Settings& settings, const OptionsChoice& choice);

// The captions of the three dp/da buttons for a pressure unit (0 bar, 1 MPa,
// 2 psi): the same full scales in that unit.
std::array<const char*, 3> DpDaCaptions(int pressureUnit);

}  // namespace zephirax
