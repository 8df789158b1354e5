#pragma once

#include <optional>
#include <string>

#include "measurement/CorrectedFileWriter.h"
#include "measurement/MeasurementData.h"

// Saving a TDC-corrected measurement: the corrected copy of the file being
// corrected under a new name, and its additional data beside it.

namespace zephirax {

// The name a corrected measurement is saved under: the chosen name with
// ".KV" appended, unless it already ends in ".KV" (any case).
std::string TdcSaveName(const std::string& chosenName);

// The additional data of the file being corrected, when there are any: they
// follow the corrected measurement.
std::optional<std::string> ExhToFollow(const std::string& tdcFileName);

struct TdcSaveResult {
  CorrectionResult Write;
  std::string SavedName;   // where the measurement went (or was to go)
  std::string ExhName;     // where the additional data went, when they were copied
  bool ExhFailed = false;  // the measurement was saved, its additional data not
  explicit operator bool() const { return static_cast<bool>(Write) && !ExhFailed; }
};

// Writes the corrected copy of `tdcFileName` as TdcSaveName(chosenName), then
// copies `exh` byte for byte beside it as NAME.EXH. Saving onto the file being
// corrected works: the writer reads it whole first.
TdcSaveResult SaveTdcFile(const MeasurementData& data, const std::string& tdcFileName,
                          const std::string& chosenName, const std::optional<std::string>& exh);

}  // namespace zephirax
