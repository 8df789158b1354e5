#pragma once

#include <functional>
#include <string>

// Composes small measurement files item by item for reader tests, so a test
// can state exactly which bytes a file holds.

namespace zephirax::test {

// Right-aligned fixed-width number with blanks turned into '0' and a decimal comma.
std::string Fixed(double value, int width, int decimals);

struct MeasurementFileBuilder {
  int Cylinders = 2;
  int Strokes = 3;
  std::string Version = "4.00";  // empty: no VERSION item
  bool Mip = true;               // MIP and POWER items, N-row curve layout
  bool Mode = true;              // MODE item (selects 180 rows over 180 lines without MIP)
  int StrokeCycle = 2;
  std::string Extra;  // "", "FUEL", "FUE1" or "ACL1"
  bool Shift = false;
  std::function<double(int cylinder, int sample)> Pressure = [](int c, int s) {
    return 10.0 * c + 0.1 * s;
  };
  std::function<double(int cylinder, int sample)> ExtraValue = [](int c, int s) {
    return 100.0 * c + 0.1 * s;
  };
  std::function<double(int cylinder)> TdcShift = [](int c) { return -0.5 * c; };

  // Rows of the curve block: 1440, 360 or 180.
  int Rows() const;
  std::string Header() const;      // the lines before the curve block
  std::string CurveBlock() const;  // "CURVE" and everything after it
  std::string Build() const { return Header() + CurveBlock(); }
};

}  // namespace zephirax::test
