#pragma once

#include "measurement/MeasurementData.h"

namespace zephirax {

// Moves the whole measurement from its scavenging-air pressure to `newPscav`
// [bar]: every curve sample and every pmax value shifts by the difference;
// whole numbers round half to even. EnginePmaxMean becomes the mean of the new
// PmaxMean values.
void ApplyPscavCorrection(MeasurementData& data, double newPscav);

}  // namespace zephirax
