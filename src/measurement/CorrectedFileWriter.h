#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "measurement/MeasurementData.h"

// A corrected measurement is never composed from nothing: the original file is
// copied and the corrected values are written over the old ones in place, so
// that the result stays readable by every reader of the format. A file older
// than version "4.00" gains a version item and its curves are always written
// with 1440 rows.

namespace zephirax {

// The corrected bytes; no value when a corrected value does not fit its field.
std::optional<std::string> PscavCorrectedBytes(const MeasurementData& data,
                                               std::string_view source);
std::optional<std::string> TdcShiftedBytes(const MeasurementData& data, std::string_view source);

// After a scavenging-air-pressure correction: rewrites `fileName`.
// False, with the file untouched, when it cannot be read or written.
bool WritePscavCorrected(const MeasurementData& data, const std::string& fileName);

// After a TDC shift: writes the corrected copy of `sourceName` to
// `destinationName`. False, with the destination untouched, on failure.
bool WriteTdcShifted(const MeasurementData& data, const std::string& sourceName,
                     const std::string& destinationName);

}  // namespace zephirax
