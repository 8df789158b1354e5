#pragma once

#include <string>

#include "measurement/MeasurementData.h"

namespace zephirax {

// The measurement and its evaluation as one JSON object: the fixed contract of
// `zephirax-cli dump`. Arrays hold cylinders 1..CylCount only.
std::string MeasurementJson(const MeasurementData& data);

// What dump prints for a file it could not load.
inline const char* RejectedJson() {
  return "{\"accepted\":false}";
}

}  // namespace zephirax
