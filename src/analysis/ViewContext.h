#pragma once

#include "adddata/AdditionalData.h"
#include "analysis/AnalysisButtons.h"
#include "analysis/DrawingState.h"
#include "analysis/ViewState.h"
#include "measurement/MeasurementData.h"
#include "measurement/ReferenceReader.h"
#include "platform/NumberFormat.h"
#include "platform/Settings.h"

// What a view draws from and where it leaves its results. The loaded files
// and the settings are read only. The view records its code and clamps the
// cursor in View, sets Drawing (from the picture size it finds there) and
// says in Buttons which buttons it shows; the caller hands in the objects for
// these, so a drawing for the printer can leave the screen's state alone.

namespace zephirax {

struct ViewContext {
  const MeasurementData& Measurement;
  const ReferenceData& Reference;
  const AdditionalData& AddData;
  const Settings& Config;
  const NumberFormat& Regional;
  ViewState& View;
  DrawingState& Drawing;
  AnalysisButtons& Buttons;
};

}  // namespace zephirax
