#include "measurement/Units.h"

namespace zephirax {

double PressureToDisplay(double bar, int pressureUnit) {
  switch (pressureUnit) {
    case UnitMPa:
      return bar / 10.0;
    case UnitPsi:
      return bar * PsiPerBar;
    default:
      return bar;
  }
}

double PowerToDisplay(double kW, int powerUnit) {
  return powerUnit == UnitHp ? kW * HpPerKWViews : kW;
}

double PowerToDisplayAddData(double kW, int powerUnit) {
  return powerUnit == UnitHp ? kW * HpPerKWAddData : kW;
}

double TempToDisplay(double degC, int tempUnit) {
  return tempUnit == UnitDegF ? degC * 1.8 + 32.0 : degC;
}

double LengthToDisplay(double mm, int lengthUnit) {
  return lengthUnit == UnitInch ? mm / 25.4 : mm;
}

const char* PressureUnitName(int pressureUnit) {
  switch (pressureUnit) {
    case UnitMPa:
      return "MPa";
    case UnitPsi:
      return "psi";
    default:
      return "bar";
  }
}

const char* PowerUnitName(int powerUnit) {
  return powerUnit == UnitHp ? "hp" : "kW";
}

}  // namespace zephirax
