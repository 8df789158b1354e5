#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// One entry per reader that takes bytes from outside the program: files users
// open or copy around, the settings file, the serial line. Each feeds the
// bytes to the reader as the program does, runs what the program would run
// next on an accepted input, and checks the reader's own promises (a rejected
// input changes nothing, what was written reads back). A broken promise
// aborts with a message, so the fuzzer and the regression test both see it.
// The fuzz targets and the regression test share these routines.

namespace zephirax::fuzz {

void FuzzMeasurementReader(const uint8_t* data, size_t size);
// The first byte picks the cylinder (out-of-range ones included).
void FuzzReferenceReader(const uint8_t* data, size_t size);
void FuzzSetupReader(const uint8_t* data, size_t size);
// The first byte picks the cylinder count (out-of-range ones included).
void FuzzAdditionalDataReader(const uint8_t* data, size_t size);
void FuzzIniReader(const uint8_t* data, size_t size);
// The first byte picks the size of the chunks the bytes arrive in.
void FuzzReceiveDecoder(const uint8_t* data, size_t size);

struct FuzzTarget {
  std::string_view Name;  // the folder of its regression files and its program's suffix
  void (*Run)(const uint8_t* data, size_t size);
};

std::span<const FuzzTarget> FuzzTargets();

}  // namespace zephirax::fuzz
