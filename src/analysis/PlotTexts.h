#pragma once

#include "measurement/Units.h"
#include "platform/LangText.h"

// Texts shared by the pressure diagrams (over crank angle, over volume, 3D).

namespace zephirax {

// The name of top dead centre under the angle axes.
inline constexpr LangText TdcNameText{"OT", "TDC", "PMH", "PM"};

// "p [bar]", "p [MPa]", "p [psi]": the title of a pressure axis.
inline const char* PressureAxisTitle(int pressureUnit) {
  if (pressureUnit == UnitPsi) return "p [psi]";
  if (pressureUnit == UnitMPa) return "p [MPa]";
  return "p [bar]";
}

}  // namespace zephirax
