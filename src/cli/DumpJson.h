#pragma once

#include <string>

#include "measurement/MeasurementData.h"
#include "measurement/ReferenceReader.h"

namespace zephirax {

// The measurement and its evaluation as one JSON object: the fixed contract of
// `zephirax-cli dump`. Arrays hold cylinders 1..CylCount only.
std::string MeasurementJson(const MeasurementData& data);

// The reference measurement beside the current one: the contract of
// `zephirax-cli ref`. Arrays hold cylinders 1..RefCylCount.
std::string ReferenceJson(const ReferenceData& ref, const MeasurementData& data);

// What dump and ref print for a file they could not load.
inline const char* RejectedJson() {
  return "{\"accepted\":false}";
}

}  // namespace zephirax
