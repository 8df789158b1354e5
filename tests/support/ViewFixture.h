#pragma once

#include <memory>

#include "analysis/ViewContext.h"

// What a view test draws from, without the program's state: the files and
// settings a view reads and the objects it leaves its results in. It passes
// as the view's context wherever a view routine wants one.

namespace zephirax::test {

struct ViewFixture {
  // Heap-held: a measurement with its curves is about a quarter megabyte.
  std::unique_ptr<MeasurementData> Measurement = std::make_unique<MeasurementData>();
  std::unique_ptr<ReferenceData> Reference = std::make_unique<ReferenceData>();
  AdditionalData AddData;
  bool HasAddData = false;
  Settings Config;
  NumberFormat Regional;
  ViewState View;
  DrawingState Drawing;

  operator ViewContext() {
    return {*Measurement, *Reference, AddData, HasAddData, Config, Regional, View, Drawing};
  }
};

}  // namespace zephirax::test
