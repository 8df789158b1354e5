#pragma once

#include <string>

#include "measurement/MeasurementData.h"

namespace zephirax {

struct InfoOptions {
  int Language = 1;
  int PressureUnit = 0;
  int PowerUnit = 0;
  std::string FileName;
};

// A readable per-cylinder table of the evaluation with the engine means, in
// the chosen language and units (UTF-8 text).
std::string InfoTable(const MeasurementData& data, const InfoOptions& options);

}  // namespace zephirax
