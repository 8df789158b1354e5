#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "measurement/MeasurementData.h"

namespace zephirax {

// Moves the whole measurement from its scavenging-air pressure to `newPscav`
// [bar]: every curve sample and every pmax value shifts by the difference;
// whole numbers round half to even. EnginePmaxMean becomes the mean of the new
// PmaxMean values.
void ApplyPscavCorrection(MeasurementData& data, double newPscav);

// The scavenging-air pressure as the correction dialog shows it in
// `pressureUnit`: bar "%4.2f", MPa "%5.3f", psi "%6.3f", with the user's
// decimal separator.
std::string PscavDisplayText(double pscavBar, int pressureUnit, char decimalSeparator);

// The entered text in bar; no value when it is not a number written with the
// user's decimal separator (blanks around it are allowed).
std::optional<double> PscavFromText(std::string_view text, int pressureUnit, char decimalSeparator);

}  // namespace zephirax
