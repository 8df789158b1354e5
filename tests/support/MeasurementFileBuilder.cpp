#include "support/MeasurementFileBuilder.h"

#include <cstdio>
#include <cstring>

namespace zephirax::test {

std::string Fixed(double value, int width, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, value);
  std::string text = buffer;
  for (char& c : text) {
    if (c == ' ') c = '0';
    if (c == '.') c = ',';
  }
  return text;
}

int MeasurementFileBuilder::Rows() const {
  if (!Mip) return 180;
  return Version >= "4.00" ? 1440 : 360;
}

std::string MeasurementFileBuilder::Header() const {
  const std::string crlf = "\r\n";
  std::string f = std::string("VOLTAN ") + (Mip ? "KV" : "KS") + crlf + "TEST FILE" + crlf +
                  "SERIAL 00042" + crlf + "A" + crlf + "B" + crlf + "C" + crlf + "----" + crlf;
  if (!Version.empty()) f += "VERSION" + crlf + Version + crlf;
  f += "DATE" + crlf + "06.12.2026" + crlf + "TIME" + crlf + "14:32" + crlf;
  f += "CYLINDERS" + crlf + Fixed(Cylinders, 2, 0) + crlf;
  if (Mode) f += "MODE" + crlf + std::to_string(StrokeCycle) + crlf;
  f += "ENGINE TYPE" + crlf + "V" + crlf + "V-ANGLE" + crlf + "045,0" + crlf;
  f += "CONROD" + crlf + "2000" + crlf + "BORE" + crlf + "0500" + crlf + "STROKE" + crlf + "1900" +
       crlf;
  f += "TDC SENSOR" + crlf + "Y" + crlf + "TDC CORRECTION" + crlf + "001,5" + crlf;
  f += "FIRING ORDER" + crlf;
  for (int i = 1; i <= Cylinders; ++i) f += Fixed(i, 2, 0) + (i < Cylinders ? ";" : crlf);
  f += "TDC DEVIATION" + crlf;
  for (int i = 1; i <= Cylinders; ++i)
    f += Fixed(12.5 * (i - 1), 1, 1) + (i < Cylinders ? ";" : crlf);
  f += "RPM" + crlf;
  for (int i = 1; i <= Cylinders; ++i) f += Fixed(90 + i + 0.5, 5, 1) + crlf;
  f += "PMAXMIN" + crlf;
  for (int i = 1; i <= Cylinders; ++i) {
    f += Fixed(40 + i, 3, 0) + ";" + Fixed(45 + i, 3, 0) + ";" + Fixed(35 + i, 3, 0) + crlf;
  }
  f += "PMEANENG" + crlf + "041,5" + crlf;
  f += "FCYL" + crlf;
  for (int i = 1; i <= Cylinders; ++i) f += Fixed(1.25 * i, 1, 2) + (i < Cylinders ? ";" : crlf);
  f += ">MEAS" + crlf;
  for (int i = 1; i <= Cylinders; ++i) f += Fixed(i, 5, 1) + ";" + Fixed(2 * i, 5, 1) + crlf;
  f += "STROKES" + crlf + Fixed(Strokes, 2, 0) + crlf;
  f += "PMAX LIMIT" + crlf + "05,0" + crlf + "PSCAV" + crlf + "2,35" + crlf;
  f += "PRESSURES" + crlf;
  for (int i = 1; i <= Cylinders; ++i) {
    for (int k = 1; k <= Strokes; ++k) f += Fixed(40 + i + k, 3, 0) + (k < Strokes ? ";" : crlf);
  }
  if (Mip) {
    f += "MIP" + crlf;
    for (int i = 1; i <= Cylinders; ++i) f += Fixed(15 + 0.1 * i, 5, 1) + ";";
    f += crlf + "POWER" + crlf;
    for (int i = 1; i <= Cylinders; ++i) f += Fixed(1000 + i, 5, 0) + ";";
    f += crlf;
  }
  return f;
}

std::string MeasurementFileBuilder::CurveBlock() const {
  const std::string crlf = "\r\n";
  const int rows = Rows();
  auto block = [&](const std::function<double(int, int)>& value, int width) {
    std::string b;
    if (!Mip && !Mode) {
      for (int i = 1; i <= Cylinders; ++i) {
        for (int s = 1; s <= rows; ++s) b += Fixed(value(i, s), width, 1) + ";";
        b += crlf;
      }
    } else {
      for (int s = 1; s <= rows; ++s) {
        for (int i = 1; i <= Cylinders; ++i) b += Fixed(value(i, s), width, 1) + ";";
        b += crlf;
      }
    }
    return b;
  };
  std::string f = "CURVE" + crlf + crlf + block(Pressure, 5);
  std::string tail;
  if (Extra == "FUEL") {
    f += "FUEL" + crlf + block(ExtraValue, Mip ? 6 : 5);
  } else if (!Extra.empty()) {
    f += Extra + crlf;
    for (int i = 1; i <= Cylinders; ++i) {
      for (int s = 1; s <= 360; ++s) {
        const float v = static_cast<float>(ExtraValue(i, s));
        char bytes[4];
        std::memcpy(bytes, &v, 4);  // the test machines are little-endian like the device
        tail.append(bytes, 4);
      }
    }
  }
  if (Shift) {
    f += "SHIFT" + crlf;
    for (int i = 1; i <= Cylinders; ++i) {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "%5.1f;", TdcShift(i));
      std::string field = buffer;
      for (char& c : field) c = c == '.' ? ',' : c;
      f += field;
    }
    f += crlf;
  }
  return f + "END" + crlf + tail;
}

}  // namespace zephirax::test
