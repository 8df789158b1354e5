#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "adddata/AdditionalData.h"

// The ".EXH" file beside a measurement: keyword lines, each followed by one
// value line of fixed-width fields. Per-cylinder lines hold as many values as
// the measurement has cylinders, so the file is read and written for the
// cylinder count of the measurement it belongs to.

namespace zephirax {

// The additional data beside a measurement: NAME.EXH, or NAME.exh as files
// copied from case-insensitive systems often are (the upper-case name when
// neither exists).
std::string AdditionalDataName(const std::string& measFileName);

// Reads the file into `data`. On success the values the file holds are set,
// the ISO and fuel fields a file lacks read 0, and every other field keeps its
// value. False, with `data` untouched, when the file cannot be opened, is not
// a regular file, holds no item at all (an empty file), ends inside an item,
// or `cylCount` lies outside 0..MaxCylinders. Nothing is shown
// to the user: a missing file is the normal case of a measurement without data.
bool ReadAdditionalData(AdditionalData& data, const std::string& fileName, int32_t cylCount);

// The same on bytes already in memory.
bool ReadAdditionalDataBytes(AdditionalData& data, std::string_view bytes, int32_t cylCount);

// The file's bytes for `data` and `cylCount` (clamped to 0..MaxCylinders).
std::string AdditionalDataBytes(const AdditionalData& data, int32_t cylCount);

// Creates or replaces the file as a whole; false when `cylCount` lies outside
// 0..MaxCylinders or the file could not be written (the old file then stays).
bool WriteAdditionalData(const AdditionalData& data, const std::string& fileName, int32_t cylCount);

}  // namespace zephirax
