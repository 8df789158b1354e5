#pragma once

#include <string>
#include <string_view>

#include "measurement/KeywordScanner.h"
#include "measurement/MeasurementData.h"

// One cylinder of a second measurement, loaded beside the current one so that
// the p/alpha views can compare a cylinder with a reference cylinder.

namespace zephirax {

struct ReferenceData {
  int32_t RefCylCount = 0;
  PerCylinder<float> RefCylRpm{};
  PerCylinder<float> RefCylMip{};
  PerCylinder<int32_t> RefCylPind{};
  Curve RefCurve{};
  Curve RefExtraCurve{};
  bool RefHasExtra = false;
  bool RefExtraIsBinary = false;

  bool operator==(const ReferenceData&) const = default;
};

// Loads cylinder `cylinder` of the measurement file into `reference`. The
// reference's date and time go into the measurement's MeasDate and MeasTime,
// its pressure range may widen the measurement's PressureAxisMax. A rejected
// file (also one without that cylinder) leaves both exactly as they were and
// the result names the fault.
LoadResult LoadReference(ReferenceData& reference, MeasurementData& data,
                         const std::string& fileName, int cylinder);

LoadResult LoadReferenceBytes(ReferenceData& reference, MeasurementData& data,
                              std::string_view bytes, int cylinder);

}  // namespace zephirax
