#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adddata/AdditionalData.h"
#include "measurement/Units.h"
#include "platform/Settings.h"
#include "setup/EngineSetup.h"

// The pages of the three text printouts as positioned texts and lines, laid
// out in 1/100 mm from the top-left margin corner. The printer side only draws
// them, in one font (Arial bold, 12 pt).

namespace zephirax {

// Units the values are printed in (the settings' codes).
struct PrintUnits {
  int Temp = UnitDegC;
  int Power = UnitKW;
  int Pressure = UnitBar;
  int Length = UnitMm;
};
PrintUnits PrintUnitsOf(const Settings& config);

struct PageText {
  enum Anchor {
    Left,        // the text cell's top-left corner at (X, Y)
    Centred,     // centred on X
    PageCentre,  // centred on the page's width; X is ignored
  };
  int X = 0;
  int Y = 0;
  std::string Text;  // UTF-8
  Anchor Align = Left;
  int MaxWidth = 0;  // > 0: a longer text is shortened with an ellipsis
};

struct PageLine {
  int X1 = 0;
  int Y1 = 0;
  int X2 = 0;
  int Y2 = 0;
};

// Text wrapped at word boundaries inside a box; what does not fit is cut.
struct PageBlock {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  std::string Text;  // UTF-8, lines separated by "\n"
};

struct PrintoutPage {
  std::string JobTitle;  // UTF-8
  std::vector<PageText> Texts;
  std::vector<PageLine> Lines;
  std::vector<PageBlock> Blocks;
};

// Layout of the printouts, in 1/100 mm. The additional-data pages have 10 mm
// margins; the setup listing is placed from the paper's corner.
inline constexpr int PrintFontPoints = 12;
inline constexpr int AddDataMargin = 1000;
inline constexpr int SetupListingMargin = 0;
// Cylinders side by side in one block of the cylinder table.
inline constexpr int CylindersPerBlock = 10;

// The blank form for `cylCount` cylinders (clamped to 1..20). `pageHeight` is
// the height inside the margins; the maker's footer stands 11 mm above its
// end.
PrintoutPage AdditionalDataFormPage(int language, const PrintUnits& units, int32_t cylCount,
                                    int pageHeight);

// What the data printout says about its measurement: the file's name and the
// date and time of the measurement (UTF-8).
struct PrintedMeasurement {
  std::string FileName;
  std::string Date;
  std::string Time;
};

// The same form filled with `data` (values in the base units, printed in
// `units`), under a line naming the measurement and one naming the ship.
PrintoutPage AdditionalDataPage(int language, const PrintUnits& units, const AdditionalData& data,
                                int32_t cylCount, const PrintedMeasurement& measurement,
                                int pageHeight);

// The engine setup, one item per line; lengths and pressures in `units`.
PrintoutPage EngineSetupPage(int language, const PrintUnits& units, const EngineSetup& setup,
                             const std::string& fileName);

}  // namespace zephirax
