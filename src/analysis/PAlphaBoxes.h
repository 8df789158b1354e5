#pragma once

#include <optional>
#include <string>

#include "analysis/PAlphaPlot.h"
#include "measurement/DisplayText.h"

// The value boxes of the p/alpha views: the single-cylinder box, the zoomed
// cursor box, the fuel-injection box and the reference table. All readouts use
// the working curves, so the display filter changes them.

namespace zephirax {

// Field width and decimals of a MIP readout: bar 4:1, MPa 4:2, psi 3:0.
inline constexpr PressureFormat MipFormat{4, 1, 4, 2, 3, 0};

// The frame part of the single-cylinder box (view 0, not zoomed): rectangle,
// separator, captions and units.
void DrawSingleValueBoxFrame(const ViewContext& state, Canvas& canvas);
// Its values for `cylinder`, read from `work`.
void WriteSingleValues(const ViewContext& state, Canvas& canvas, int cylinder,
                       const WorkCurve& work);

// The box of the zoomed single view (1440-sample layout).
void DrawZoomCursorBox(const ViewContext& state, Canvas& canvas, int cylinder,
                       const WorkCurve& work);

// The injection values of one second-channel curve (indexed from 1 as
// stored). Values that need a crossing of the half level that never happens
// are empty.
struct FuelInjectionValues {
  float Fpnrp = 0;
  float Fmaxp = 0;
  float Fpsta = 0;            // angle in degrees
  std::optional<float> Fvoa;  // angle in degrees
  std::optional<float> Fvop;  // bar
  std::optional<float> Fdur;  // degrees
};
FuelInjectionValues FuelInjection(const Curve& extra);

// The fuel-injection box of view 0 with the fuel trace on.
void DrawFuelBox(const ViewContext& state, Canvas& canvas, int cylinder);

// The table of view 14: the current cylinder against the reference cylinder.
void DrawReferenceTable(const ViewContext& state, Canvas& canvas, int cylinder,
                        const WorkCurve& work, const WorkCurve& refWork);

}  // namespace zephirax
