#pragma once

#include <cstdint>
#include <string>

// The user's settings, kept in ZEPHIRAX.INI. Texts are UTF-8 in memory.
// ComPort and BaudRate start out of range: a stored text the program does not
// recognise leaves them so, and then no key is written back for them.

namespace zephirax {

struct Settings {
  int32_t Language = 1;          // 0 German, 1 English, 2 French, 3 Spanish
  int32_t PressureUnit = 0;      // 0 bar, 1 MPa, 2 psi
  int32_t PowerUnit = 0;         // 0 kW, 1 hp
  int32_t TempUnit = 0;          // 0 deg C, 1 deg F
  int32_t LengthUnit = 0;        // 0 mm, 1 inch
  int32_t ComPort = 0;           // 1..12
  uint16_t BaudRate = 0;         // 9600 or 38400
  std::string Device;            // serial device path; when set it is used instead of ComPort
  std::string ShipName;          // at most 30 characters
  float DpDaMax = 5.0f;          // 2.5, 5.0 or 10.0 bar/deg CA
  std::string AclScale = "min";  // "min", "normal" or "max"
  int32_t SensorType = 0;        // 0 none, 1 injection pressure, 2 acceleration sensor
  std::string EmailDestination;
  std::string EmailSenderName;
  std::string EmailSenderAddress;
};

}  // namespace zephirax
