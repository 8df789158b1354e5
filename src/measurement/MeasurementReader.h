#pragma once

#include <string>
#include <string_view>

#include "measurement/KeywordScanner.h"
#include "measurement/MeasurementData.h"

namespace zephirax {

// Reads a measurement file into `data`. On success every field the file
// carries is replaced (fields of items the file lacks keep their values). A
// rejected file leaves `data` exactly as it was and the result names the fault.
LoadResult LoadMeasurement(MeasurementData& data, const std::string& fileName);

// The same on bytes already in memory.
LoadResult LoadMeasurementBytes(MeasurementData& data, std::string_view bytes);

// Linear expansion of a 360-sample curve (samples 1..360) to 1440 samples in
// place; the last four samples continue the slope of the last interval.
void ExpandTo1440(Curve& curve);

}  // namespace zephirax
