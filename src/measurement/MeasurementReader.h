#pragma once

#include <string>
#include <string_view>

#include "measurement/MeasurementData.h"
#include "platform/UserInterface.h"

namespace zephirax {

// Reads a measurement file into `data`. On success every field the file
// carries is replaced (fields of items the file lacks keep their values) and
// the result is true. A rejected file leaves `data` exactly as it was and the
// user gets the program's message, in `language`, through `ui`.
bool LoadMeasurement(MeasurementData& data, const std::string& fileName, int language,
                     UserInterface& ui);

// The same on bytes already in memory.
bool LoadMeasurementBytes(MeasurementData& data, std::string_view bytes, int language,
                          UserInterface& ui);

// Linear expansion of a 360-sample curve (samples 1..360) to 1440 samples in
// place; the last four samples continue the slope of the last interval.
void ExpandTo1440(Curve& curve);

}  // namespace zephirax
