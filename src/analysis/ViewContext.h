#pragma once

#include "adddata/AdditionalData.h"
#include "analysis/DrawingState.h"
#include "analysis/ViewState.h"
#include "measurement/MeasurementData.h"
#include "measurement/ReferenceReader.h"
#include "platform/NumberFormat.h"
#include "platform/Settings.h"

// What a view draws from and where it leaves its results. The loaded files
// and the settings are read only. The view records its code and clamps the
// cursor in View and sets Drawing (from the picture size it finds there);
// the caller hands in the objects for these, so a drawing for the printer can
// leave the screen's state alone. Which buttons a view shows is not the
// view's business (ViewButtons).

namespace zephirax {

struct ViewContext {
  const MeasurementData& Measurement;
  const ReferenceData& Reference;
  const AdditionalData& AddData;
  bool HasAddData;  // AddData were read for this measurement
  const Settings& Config;
  const NumberFormat& Regional;
  ViewState& View;
  DrawingState& Drawing;
};

}  // namespace zephirax
