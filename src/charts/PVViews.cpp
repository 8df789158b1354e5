#include "charts/PVViews.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "analysis/EvaluationTexts.h"
#include "analysis/PAlphaViews.h"
#include "analysis/PlotTexts.h"
#include "charts/ChartFrame.h"
#include "measurement/DisplayText.h"
#include "measurement/Evaluation.h"
#include "measurement/NumberText.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/MakerCaption.h"
#include "platform/Pixels.h"
#include "platform/Rounding.h"

namespace zephirax {
namespace {

// Sample indices here count from 0 on the 1440-sample grid; the stored curves
// count from 1, so index k is element k + 1.
constexpr int PVTdcIndex = 720;
constexpr int PVPexpIndex = 864;  // 36 degrees after TDC
constexpr int PVLastIndex = SamplesPerCurve - 1;
// 60 degrees either side of TDC are plotted as measured, so that the
// combustion around TDC is not rounded off by the smoothing.
constexpr int PVRawFrom = 480;
constexpr int PVRawTo = 960;

constexpr int PVTop = 50;
constexpr int PVBottomMargin = 50;
constexpr int PVTdcOffset = 10;  // TDC lies this far right of the pressure axis

constexpr LangText PVTdcName{"OT", "TDC", "PMH", "TDC"};
constexpr LangText PVBdcName{"UT", "BDC", "PMB", "BDC"};

constexpr LangText PVCylCaption{"Cyl : ", "Cyl : ", "Cyl : ", "Cil : "};
constexpr LangText PVPtdcCaption{"ptdc : ", "ptdc : ", "pPMH : ", "ptdc : "};
constexpr LangText PVRpmCaption{"rpm : ", "rpm : ", "rpm : ", "rev : "};
constexpr LangText PVMipCaption{"mip : ", "mip : ", "pmi : ", "pmi : "};
constexpr LangText PVTexhCaption{"texh : ", "texh : ",
                                 "t\xC3\xA9"
                                 "chap : ",
                                 "texh : "};
constexpr LangText PVPscavCaption{"pscav : ", "pscav : ", "psural : ", "pscav : "};
constexpr LangText PVShiftCaption{"shift : ", "shift : ",
                                  "d\xC3\xA9"
                                  "cal : ",
                                  "shift : "};

// The plot of one draw.
struct PVFrame {
  ChartPlot Plot;
  int Unit = UnitBar;
  double TravelScale = 0;  // pixels per mm of piston travel
  bool HasTravel = false;  // false without a stroke: axes only, no loops

  // y of a pressure in bar. The MPa axis is scaled in bar like the bar axis.
  int YOf(double bar) const {
    const double shown = Unit == UnitPsi ? PsiPerBar * bar : bar;
    return Above(Plot.Base, shown * Plot.Scale);
  }
};

int PVUnit(int pressureUnit) {
  return pressureUnit == UnitPsi || pressureUnit == UnitMPa ? pressureUnit : UnitBar;
}

int PVCylinders(const MeasurementData& data) {
  return std::clamp<int>(data.CylCount, 1, MaxCylinders);
}

// The plot of a picture `width` x `height`; the frame drawing and the mapping
// of a click onto the loop share it.
PVFrame MakePVFrame(const ViewContext& state, int width, int height) {
  const MeasurementData& data = state.Measurement;
  PVFrame frame;
  frame.Unit = PVUnit(state.Config.PressureUnit);
  ChartPlot& plot = frame.Plot;
  plot.Left = frame.Unit == UnitPsi ? 40 : 30;
  plot.Top = PVTop;
  plot.Right = width - plot.Left;
  plot.Base = height - PVBottomMargin;

  const AxisLadder ladder = PmaxLadder(frame.Unit, data.PressureAxisMax);
  // A corrupt axis maximum leaves every pressure on the base line.
  if (ladder.Maximum > 0 && std::isfinite(ladder.Maximum))
    plot.Scale = (plot.Base - plot.Top) / ladder.Maximum;
  frame.HasTravel = data.Stroke > 0;
  if (frame.HasTravel)
    frame.TravelScale = (plot.Right - plot.Left - PVTdcOffset) / (2.0 * data.Stroke);
  return frame;
}

PVFrame DrawPVFrame(const ViewContext& state, Canvas& canvas) {
  const MeasurementData& data = state.Measurement;
  const PVFrame frame = MakePVFrame(state, canvas.Width(), canvas.Height());
  const ChartPlot& plot = frame.Plot;
  const AxisLadder ladder = PmaxLadder(frame.Unit, data.PressureAxisMax);

  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.MoveTo(plot.Left, plot.Top);
  canvas.LineTo(plot.Left, plot.Base);
  canvas.MoveTo(plot.Left, plot.Base);
  canvas.LineTo(plot.Right, plot.Base);
  canvas.TextOut(10, 10, PressureAxisTitle(frame.Unit));
  DrawLadder(canvas, plot, ladder);

  // The top grid line and the one at the highest label coincide; draw it once.
  canvas.SetPen(Colors::Silver, 1, PenStyle::Solid);
  auto gridLine = [&](int y) {
    canvas.MoveTo(plot.Left, y);
    canvas.LineTo(plot.Right, y);
  };
  gridLine(plot.Top);
  for (const AxisLabel& label : ladder.Labels) {
    const int y = RightOf(plot.Top, (ladder.Maximum - label.Value) * plot.Scale);
    if (y != plot.Top) gridLine(y);
  }
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);

  const int language = state.Config.Language;
  for (const int x : {plot.Left + PVTdcOffset, plot.Right}) {
    canvas.MoveTo(x, plot.Base);
    canvas.LineTo(x, plot.Base + 3);
  }
  canvas.TextOut(plot.Left, plot.Base + 5, Tr(PVTdcName, language));
  canvas.TextOut(plot.Right - 10, plot.Base + 5, Tr(PVBdcName, language));
  return frame;
}

// The x of every sample. The loop starts at BDC (index 0), runs along the
// compression stroke to TDC (index 719 is drawn at travel 0) and back along
// expansion to BDC (index 1439). The travel is the same for every cylinder,
// so it is worked out once per draw.
using SampleXs = std::array<int, SamplesPerCurve>;

SampleXs MakeSampleXs(const PVFrame& frame, const MeasurementData& data) {
  SampleXs xs{};
  const int tdcX = frame.Plot.Left + PVTdcOffset;
  const float stroke = static_cast<float>(data.Stroke);
  const float conRod = static_cast<float>(data.ConRod);
  xs[0] = frame.Plot.Right;
  for (int k = 1; k < SamplesPerCurve; ++k) {
    const float angle =
        k < PVTdcIndex ? (PVTdcIndex - 1 - k) / 4.0f : (k - (PVTdcIndex - 1)) / 4.0f;
    xs[k] = RightOf(tdcX, PistonTravel(angle, stroke, conRod) * frame.TravelScale);
  }
  return xs;
}

// The curve as plotted: smoothed, except around TDC.
Curve PlottedCurve(const Curve& stored) {
  Curve plotted = stored;
  PeakPreservingSmooth(stored, plotted, SamplesPerCurve);
  std::copy(stored.begin() + PVRawFrom + 1, stored.begin() + PVRawTo + 2,
            plotted.begin() + PVRawFrom + 1);
  return plotted;
}

void DrawLoop(Canvas& canvas, const PVFrame& frame, const SampleXs& xs, const Curve& curve,
              Color colour) {
  canvas.SetPen(colour, 1, PenStyle::Solid);
  canvas.MoveTo(xs[0], frame.YOf(curve[1]));
  for (int k = 1; k < SamplesPerCurve; ++k) canvas.LineTo(xs[k], frame.YOf(curve[k + 1]));
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
}

// Every pressure of the value box: bar 5.1, MPa 4.1, psi 4.0.
constexpr PressureFormat PVPressureFormat{5, 1, 4, 1, 4, 0};

std::string PVPressureText(double bar, int unit) {
  return PressureText(bar, unit, PVPressureFormat);
}

// The largest sample, the first of equal ones; a curve that never rises above
// 0 reports 0 at TDC, as the cylinder evaluation does.
struct PVPeak {
  float Value = 0;
  int Index = PVTdcIndex;
};

PVPeak FindPVPeak(const Curve& curve) {
  PVPeak peak;
  for (int k = 0; k < SamplesPerCurve; ++k) {
    if (curve[k + 1] > peak.Value) {
      peak.Value = curve[k + 1];
      peak.Index = k;
    }
  }
  return peak;
}

void DrawValueBox(const ViewContext& state, Canvas& canvas, const PVFrame& frame, int cylinder,
                  const Curve& measured, const Curve& plotted, int cursor) {
  const MeasurementData& data = state.Measurement;
  const Settings& config = state.Config;
  const int language = config.Language;
  const int unit = frame.Unit;
  const int right = frame.Plot.Right;
  const int top = frame.Plot.Top;

  // The last rows reach below the frame of the box; the box is kept at its size.
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.SetBrush(Colors::White);
  canvas.Rectangle(right - 190, top - 5, right, top + 220);

  const std::string pressureUnit = std::string("[") + PressureUnitName(unit) + "]";
  const std::string angleUnit = Tr(DegUnit, language);
  auto row = [&](int offset, const char* caption, const std::string& value,
                 const std::string& unitText, int valueOffset = 100) {
    const int y = top + offset;
    canvas.TextOut(right - 180, y, caption);
    if (!value.empty()) canvas.TextOut(right - valueOffset, y, value);
    if (!unitText.empty()) canvas.TextOut(right - 60, y, unitText);
  };

  const PVPeak peak = FindPVPeak(measured);
  row(0, Tr(PVCylCaption, language), std::to_string(cylinder), "");
  row(20, Tr(PVPtdcCaption, language), PVPressureText(measured[PVTdcIndex + 1], unit), pressureUnit,
      110);
  row(40, "pmax : ", PVPressureText(peak.Value, unit), pressureUnit);
  row(60, "apmax : ", FormatFixed((peak.Index - PVTdcIndex) / 4.0, 4, 1), angleUnit);
  row(80, "pexp : ", PVPressureText(measured[PVPexpIndex + 1], unit), pressureUnit);
  row(100, Tr(PVRpmCaption, language), RpmText(data.CylRpm[cylinder]), Tr(RpmUnit, language));
  row(120, Tr(PVMipCaption, language), PVPressureText(data.CylMip[cylinder], unit), pressureUnit);

  const int32_t pind = data.CylPind[cylinder];
  const bool hp = config.PowerUnit == UnitHp;
  row(140, "pind : ", hp ? FormatFixed(pind * HpPerKWViews, 4, 0) : FormatInt(pind, 4),
      std::string("[") + PowerUnitName(config.PowerUnit) + "]");

  const bool fahrenheit = config.TempUnit == UnitDegF;
  std::string texh;
  if (state.HasAddData) {
    const int32_t degC = state.AddData.Texh[cylinder];
    texh = fahrenheit ? FormatInt(RoundHalfEven(degC * 1.8 + 32), 3) : FormatInt(degC, 3);
  }
  row(160, Tr(PVTexhCaption, language), texh,
      fahrenheit ? "[\xC2\xB0"
                   "F]"
                 : "[\xC2\xB0"
                   "C]");

  row(180, Tr(PVPscavCaption, language), PVPressureText(data.Pscav, unit), pressureUnit);
  row(200, Tr(PVShiftCaption, language), FormatFixed(data.TdcShift[cylinder], 4, 1), angleUnit);

  // The second row reads the other stroke at the same piston position; at
  // index 0 that is the last sample, one revolution on.
  const int mirrored = cursor == 0 ? PVLastIndex : SamplesPerCurve - cursor;
  row(220, "pcur:", PVPressureText(plotted[cursor + 1], unit), "");
  row(240, "pcur:", PVPressureText(plotted[mirrored + 1], unit), "");
  row(260, "acur:", FormatFixed((cursor - PVTdcIndex) / 4.0, 6, 2), "");
}

int PVCylinder(const ViewContext& state) {
  return std::clamp<int>(state.View.CurrentCylinder, 1, PVCylinders(state.Measurement));
}

void DrawPVSingle(const ViewContext& state, Canvas& canvas) {
  const MeasurementData& data = state.Measurement;
  const PVFrame frame = DrawPVFrame(state, canvas);
  const int cylinder = PVCylinder(state);
  const Curve& measured = data.PressureCurve[cylinder];
  const Curve plotted = PlottedCurve(measured);
  const int cursor = std::clamp<int>(state.View.CursorPos, 0, PVLastIndex);

  if (frame.HasTravel) {
    const SampleXs xs = MakeSampleXs(frame, data);
    DrawLoop(canvas, frame, xs, plotted, Colors::Green);
    // The cursor stands where the loop draws the cursor sample.
    canvas.SetPen(Colors::Red, 1, PenStyle::Solid);
    canvas.MoveTo(xs[cursor], frame.Plot.Top);
    canvas.LineTo(xs[cursor], frame.Plot.Base);
    canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  }
  DrawValueBox(state, canvas, frame, cylinder, measured, plotted, cursor);
}

void DrawPVAll(const ViewContext& state, Canvas& canvas) {
  const MeasurementData& data = state.Measurement;
  const PVFrame frame = DrawPVFrame(state, canvas);
  SampleXs xs{};
  if (frame.HasTravel) xs = MakeSampleXs(frame, data);
  const std::string word = std::string(CylinderWord(state.Config.Language)) + " ";
  const int cylinders = PVCylinders(data);
  for (int cylinder = 1; cylinder <= cylinders; ++cylinder) {
    const Color colour = CylinderColor(cylinder);
    if (frame.HasTravel)
      DrawLoop(canvas, frame, xs, PlottedCurve(data.PressureCurve[cylinder]), colour);
    canvas.SetFontColor(colour);
    canvas.TextOut(canvas.Width() - 100, (cylinder - 1) * 16 + 5, word + std::to_string(cylinder));
  }
  canvas.SetFontColor(Colors::Black);
}

bool HasCurves(const ViewContext& state) {
  return state.Measurement.HasMipBlock;
}

}  // namespace

int PVSampleAt(const ViewContext& state, int x, int y, int first, int last) {
  if (!HasCurves(state)) return -1;
  const PVFrame frame = MakePVFrame(state, std::max(state.Drawing.ControlWidth, 1),
                                    std::max(state.Drawing.ControlHeight, 1));
  const ChartPlot& plot = frame.Plot;
  if (!frame.HasTravel || x < plot.Left || x > plot.Right || y < plot.Top || y > plot.Base)
    return -1;
  const SampleXs xs = MakeSampleXs(frame, state.Measurement);
  const Curve plotted = PlottedCurve(state.Measurement.PressureCurve[PVCylinder(state)]);
  int nearest = -1;
  long long nearestDistance = 0;
  for (int k = std::max(first, 0); k <= std::min(last, PVLastIndex); ++k) {
    const long long dx = xs[k] - x;
    const long long dy = frame.YOf(plotted[k + 1]) - y;
    const long long distance = dx * dx + dy * dy;
    if (nearest < 0 || distance < nearestDistance) {
      nearest = k;
      nearestDistance = distance;
    }
  }
  return nearest;
}

void ShowPVSingle(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewPVSingle);
  if (HasCurves(state)) DrawPVSingle(state, canvas);
  DrawMakerCaption(canvas);
}

void ShowPVAll(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewPVAll);
  if (HasCurves(state)) DrawPVAll(state, canvas);
  DrawMakerCaption(canvas);
}

}  // namespace zephirax
