#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "measurement/KeywordScanner.h"

// The items of a measurement file and the keys by which the readers and the
// correcting writers recognise them. A key is the last four (or three) letters
// of an item's keyword line as they stand in the scanner's window; the
// keywords themselves are never compared whole, so a device's spelling of the
// rest of the line does not matter.

namespace zephirax {

enum class Item {
  Version,
  Date,
  Time,
  Cylinders,
  Mode,
  EngineType,
  VAngle,
  ConRod,
  Bore,
  Stroke,
  TdcSensor,
  TdcCorrection,
  FiringOrder,
  TdcDeviation,
  Rpm,
  PmaxStatistics,
  EnginePmaxMean,
  Fcyl,
  Mea,
  StrokeCount,
  PmaxDevLimit,
  Pscav,
  StrokePressures,
  Mip,
  Power,
  PressureCurves,
  FuelBinary,
  AclBinary,
  Shift,
  FuelCurves,
};

struct ItemKey {
  Item Id;
  std::string_view Key;  // window positions 1..Key.size()
};

// Every key, in the order they are tried.
std::span<const ItemKey> ItemKeys();

// The item whose key the window holds now, if any.
std::optional<Item> RecognisedItem(const KeywordScanner& in);

// The keyword lines the program writes itself.
inline constexpr std::string_view VersionKeyword = "VERSION";
inline constexpr std::string_view FuelKeyword = "FUEL";
inline constexpr std::string_view ShiftKeyword = "SHIFT";

}  // namespace zephirax
