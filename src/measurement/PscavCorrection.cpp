#include "measurement/PscavCorrection.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "measurement/Units.h"
#include "platform/Rounding.h"

namespace zephirax {

void ApplyPscavCorrection(MeasurementData& data, double newPscav) {
  const double oldPscav = data.Pscav;
  const int cylinders = std::clamp(data.CylCount, 0, MaxCylinders);
  const int strokes = std::clamp(data.StrokeCount, 0, MaxStrokes);
  double pmaxSum = 0;
  for (int c = 1; c <= cylinders; ++c) {
    for (int s = 1; s <= SamplesPerCurve; ++s) {
      float& p = data.PressureCurve[c][s];
      p = static_cast<float>(p - oldPscav + newPscav);
    }
    for (int32_t* pmax : {&data.PmaxMean[c], &data.PmaxHigh[c], &data.PmaxLow[c]}) {
      *pmax = RoundHalfEven(*pmax - oldPscav + newPscav);
    }
    for (int k = 1; k <= strokes; ++k) {
      data.StrokePmax[c][k] = RoundHalfEven(data.StrokePmax[c][k] - oldPscav + newPscav);
    }
    pmaxSum += data.PmaxMean[c];
  }
  if (cylinders > 0) data.EnginePmaxMean = static_cast<float>(pmaxSum / cylinders);
  data.Pscav = newPscav;
}

std::string PscavDisplayText(double pscavBar, int pressureUnit, char decimalSeparator) {
  char text[64];
  if (pressureUnit == UnitMPa) {
    std::snprintf(text, sizeof text, "%5.3f", pscavBar / 10);
  } else if (pressureUnit == UnitPsi) {
    std::snprintf(text, sizeof text, "%6.3f", PsiPerBar * pscavBar);
  } else {
    std::snprintf(text, sizeof text, "%4.2f", pscavBar);
  }
  std::string shown(text);
  std::replace(shown.begin(), shown.end(), '.', decimalSeparator);
  return shown;
}

std::optional<double> PscavFromText(std::string_view text, int pressureUnit,
                                    char decimalSeparator) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  std::string number(text);
  // The other separator is not the user's: "2.5" is no number where "2,5" is.
  if (decimalSeparator != '.' && number.find('.') != std::string::npos) return std::nullopt;
  std::replace(number.begin(), number.end(), decimalSeparator, '.');
  if (!number.empty() && number.front() == '+') number.erase(0, 1);
  double value = 0;
  const char* end = number.data() + number.size();
  const auto [stop, error] = std::from_chars(number.data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  if (pressureUnit == UnitMPa) return value * 10;
  if (pressureUnit == UnitPsi) return value / PsiPerBar;
  return value;
}

}  // namespace zephirax
