#pragma once

// Values are held in bar, kW, deg C and mm; they are converted only when shown,
// printed or exported. The factors are the program's own (psi uses 14.525).

namespace zephirax {

enum PressureUnitCode { UnitBar = 0, UnitMPa = 1, UnitPsi = 2 };
enum PowerUnitCode { UnitKW = 0, UnitHp = 1 };
enum TempUnitCode { UnitDegC = 0, UnitDegF = 1 };
enum LengthUnitCode { UnitMm = 0, UnitInch = 1 };

inline constexpr double PsiPerBar = 14.525;
inline constexpr double HpPerKWViews = 1.3596;     // analysis views and printouts
inline constexpr double HpPerKWAddData = 1.34102;  // additional-data dialog

double PressureToDisplay(double bar, int pressureUnit);
double PowerToDisplay(double kW, int powerUnit);
double PowerToDisplayAddData(double kW, int powerUnit);
double TempToDisplay(double degC, int tempUnit);
double LengthToDisplay(double mm, int lengthUnit);

// "bar", "MPa", "psi"; "kW", "hp".
const char* PressureUnitName(int pressureUnit);
const char* PowerUnitName(int powerUnit);

}  // namespace zephirax
