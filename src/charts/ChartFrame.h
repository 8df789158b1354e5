#pragma once

#include <string>
#include <vector>

#include "analysis/ViewContext.h"
#include "platform/Canvas.h"

// What every comparison view shares: the start of a draw (view code, buttons,
// a white picture of the control's size), the cylinder bar positions, and the
// value axis with its ticks and labels.

namespace zephirax {

// The plot rectangle of one draw and its vertical scale (pixels per display
// unit). Recomputed on every draw from the picture size.
struct ChartPlot {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Base = 0;
  double Scale = 0;

  // The y of a value in the display unit, measured up from Base.
  int YOf(double value) const;
};

// Records `view` as CurrentView, sizes the canvas to the control, clears it white and leaves a
// black solid pen, black font colour, white brush and the 14-pixel bold Arial font set.
void BeginChart(const ViewContext& state, Canvas& canvas, int view);

// Bars and gaps of equal width across the picture: one per cylinder (or stroke).
struct BarLayout {
  int Width = 0;  // (W - 60) div (2 x count)
  // Left edge of bar `i` (1..count).
  int X(int i) const { return (i - 1) * 2 * Width + 30 + Width / 2; }
};
BarLayout MakeBarLayout(int pictureWidth, int count);

// A value axis: tick values and labelled values, in the unit the plot is
// scaled in (bar for the MPa pressure axes, whose labels read bar / 10).
struct AxisLabel {
  double Value = 0;
  std::string Text;
};
struct AxisLadder {
  double Maximum = 0;
  std::vector<double> Ticks;
  std::vector<AxisLabel> Labels;
};

// M, M - step, M - 2 step, ... down to the last value not below 0.
std::vector<double> StepTicks(double maximum, double step);
// Labels from `from` down to `to` every `step`, written as whole numbers
// divided by `divisor`.
void AddLabels(AxisLadder& ladder, int from, int to, int step, int divisor = 1);

// The pressure axis of the pmax charts, the p/V and the 3D views for a
// pressure unit and PressureAxisMax (bar). Maximum is PressureAxisMaximum;
// a unit and maximum without a row of the table (MPa at 50 and 75 bar) give
// no ticks and no labels.
AxisLadder PmaxLadder(int pressureUnit, float barAxisMax);

// Ticks from (Left - 3, y) to (Left, y), labels at (0, y - 10), with
// y = Top + (Maximum - value) x Scale.
void DrawLadder(Canvas& canvas, const ChartPlot& plot, const AxisLadder& ladder);

// "Cyl" / "Cil": the word under the cylinder axis and before legend numbers.
const char* CylinderWord(int language);

// The number of cylinders a chart draws: CylCount held within 0..20.
int ChartCylinders(const MeasurementData& data);

}  // namespace zephirax
