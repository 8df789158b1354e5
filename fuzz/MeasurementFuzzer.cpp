#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzEntries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zephirax::fuzz::FuzzMeasurementReader(data, size);
  return 0;
}
