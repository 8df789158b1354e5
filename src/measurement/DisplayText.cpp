#include "measurement/DisplayText.h"

#include "measurement/NumberText.h"
#include "measurement/Units.h"

namespace zephirax {

std::string PressureText(double bar, int pressureUnit, const PressureFormat& format) {
  const double shown = PressureToDisplay(bar, pressureUnit);
  switch (pressureUnit) {
    case UnitMPa:
      return FormatFixed(shown, format.MpaWidth, format.MpaDecimals);
    case UnitPsi:
      return FormatFixed(shown, format.PsiWidth, format.PsiDecimals);
    default:
      return FormatFixed(shown, format.BarWidth, format.BarDecimals);
  }
}

std::string RpmText(double rpm) {
  return rpm < 200 ? FormatFixed(rpm, 5, 1) : FormatFixed(rpm, 4, 0);
}

}  // namespace zephirax
