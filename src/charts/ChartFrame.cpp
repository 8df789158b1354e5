#include "charts/ChartFrame.h"

#include <algorithm>
#include <cmath>

#include "analysis/PAlphaPlot.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/MakerCaption.h"
#include "platform/Pixels.h"

namespace zephirax {

namespace {

// One row of the pmax axis table: labels every `LabelStep` from `LabelFrom`
// down to `LabelTo`. MPa rows carry bar values and write them divided by ten.
struct PmaxAxisRow {
  int Unit;
  int Maximum;
  int TickStep;
  int LabelFrom;
  int LabelTo;
  int LabelStep;
};

constexpr PmaxAxisRow PmaxAxisRows[] = {
    {UnitBar, 50, 10, 50, 25, 25},          {UnitBar, 75, 5, 75, 25, 25},
    {UnitBar, 100, 10, 100, 50, 50},        {UnitBar, 150, 10, 150, 50, 50},
    {UnitBar, 200, 10, 200, 100, 100},      {UnitBar, 250, 10, 250, 50, 50},
    {UnitMPa, 100, 10, 100, 50, 50},        {UnitMPa, 150, 10, 150, 50, 50},
    {UnitMPa, 200, 10, 200, 100, 100},      {UnitMPa, 250, 10, 250, 50, 50},
    {UnitPsi, 500, 100, 500, 100, 100},     {UnitPsi, 750, 50, 750, 250, 250},
    {UnitPsi, 1000, 100, 1000, 100, 100},   {UnitPsi, 1500, 100, 1500, 500, 500},
    {UnitPsi, 2000, 200, 2000, 500, 500},   {UnitPsi, 2500, 250, 2500, 500, 500},
    {UnitPsi, 3000, 100, 3000, 500, 500},   {UnitPsi, 3500, 100, 3500, 500, 500},
    {UnitPsi, 4000, 200, 4000, 1000, 1000},
};

constexpr LangText CylinderWordText{"Cyl", "Cyl", "Cyl", "Cil"};

}  // namespace

int ChartPlot::YOf(double value) const {
  return Above(Base, value * Scale);
}

void BeginChart(const ViewContext& state, Canvas& canvas, int view) {
  state.View.CurrentView = view;
  const int width = std::max(state.Drawing.ControlWidth, 1);
  const int height = std::max(state.Drawing.ControlHeight, 1);
  canvas.SetSize(width, height);
  canvas.SetPen(Colors::White, 1, PenStyle::Solid);
  canvas.SetBrush(Colors::White);
  canvas.Rectangle(0, 0, width, height);
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.SetFont(ViewFontName, ViewFontHeight, true);
  canvas.SetFontColor(Colors::Black);
}

BarLayout MakeBarLayout(int pictureWidth, int count) {
  BarLayout layout;
  if (count > 0) layout.Width = std::max(pictureWidth - 60, 0) / (2 * count);
  return layout;
}

std::vector<double> StepTicks(double maximum, double step) {
  std::vector<double> ticks;
  if (!(step > 0) || !(maximum >= 0)) return ticks;
  for (int k = 0; k * step <= maximum; ++k) ticks.push_back(maximum - k * step);
  return ticks;
}

void AddLabels(AxisLadder& ladder, int from, int to, int step, int divisor) {
  if (step <= 0) return;
  for (int value = from; value >= to; value -= step) {
    ladder.Labels.push_back({static_cast<double>(value), std::to_string(value / divisor)});
  }
}

AxisLadder PmaxLadder(int pressureUnit, float barAxisMax) {
  AxisLadder ladder;
  ladder.Maximum = PressureAxisMaximum(barAxisMax, pressureUnit);
  const int unit = pressureUnit == UnitMPa || pressureUnit == UnitPsi ? pressureUnit : UnitBar;
  for (const PmaxAxisRow& row : PmaxAxisRows) {
    if (row.Unit != unit || row.Maximum != ladder.Maximum) continue;
    ladder.Ticks = StepTicks(row.Maximum, row.TickStep);
    AddLabels(ladder, row.LabelFrom, row.LabelTo, row.LabelStep, unit == UnitMPa ? 10 : 1);
    break;
  }
  return ladder;
}

void DrawLadder(Canvas& canvas, const ChartPlot& plot, const AxisLadder& ladder) {
  // Positions are measured down from the top, where the maximum sits.
  const auto yOf = [&](double value) {
    return RightOf(plot.Top, (ladder.Maximum - value) * plot.Scale);
  };
  for (const double tick : ladder.Ticks) {
    const int y = yOf(tick);
    canvas.MoveTo(plot.Left - 3, y);
    canvas.LineTo(plot.Left, y);
  }
  for (const AxisLabel& label : ladder.Labels) canvas.TextOut(0, yOf(label.Value) - 10, label.Text);
}

const char* CylinderWord(int language) {
  return Tr(CylinderWordText, language);
}

int ChartCylinders(const MeasurementData& data) {
  return std::clamp<int>(data.CylCount, 0, MaxCylinders);
}

}  // namespace zephirax
