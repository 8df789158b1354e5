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

// The values a writer puts into fixed-width fields.
enum class CorrectedField {
  Pscav,
  Pmax,  // the pmax rows: mean, high and low per cylinder
  EnginePmaxMean,
  StrokePmax,
  Mip,
  Power,
  PressureSample,
  SecondChannelSample,
  TdcShift,
};

// A value that cannot be written into its field at all.
struct FieldMisfit {
  CorrectedField Field = CorrectedField::Pscav;
  double Value = 0;
};

enum class CorrectionOutcome {
  Written,
  SourceUnreadable,
  ValueDoesNotFit,
  WriteFailed,
  NotReadBack,  // the corrected file would not load again: its layout is not one the writer knows
};

struct CorrectionResult {
  CorrectionOutcome Outcome = CorrectionOutcome::Written;
  FieldMisfit Misfit;  // with ValueDoesNotFit
  explicit operator bool() const { return Outcome == CorrectionOutcome::Written; }
};

// The corrected bytes; no value when a corrected value does not fit its field,
// which `misfit`, when given, then names, or when the corrected bytes would not
// load again over `data` (`unreadable`, when given, then tells so).
std::optional<std::string> PscavCorrectedBytes(const MeasurementData& data, std::string_view source,
                                               FieldMisfit* misfit = nullptr,
                                               bool* unreadable = nullptr);
std::optional<std::string> TdcShiftedBytes(const MeasurementData& data, std::string_view source,
                                           FieldMisfit* misfit = nullptr,
                                           bool* unreadable = nullptr);

// After a scavenging-air-pressure correction: rewrites `fileName`. On any
// failure the file is untouched.
CorrectionResult WritePscavCorrected(const MeasurementData& data, const std::string& fileName);

// After a TDC shift: writes the corrected copy of `sourceName` to
// `destinationName`. On any failure the destination is untouched.
CorrectionResult WriteTdcShifted(const MeasurementData& data, const std::string& sourceName,
                                 const std::string& destinationName);

}  // namespace zephirax
