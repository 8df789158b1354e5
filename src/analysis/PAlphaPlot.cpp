#include "analysis/PAlphaPlot.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "analysis/PAlphaBoxes.h"
#include "analysis/PAlphaScales.h"
#include "analysis/PlotTexts.h"
#include "analysis/TdcBox.h"
#include "analysis/TdcMarker.h"
#include "measurement/NumberText.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/MakerCaption.h"
#include "platform/Pixels.h"
#include "platform/Rounding.h"

namespace zephirax {

namespace {

constexpr int FirstZoomSample = 520;  // -50 degrees
constexpr int LastZoomCursor = 920;   // +50 degrees
constexpr int ZoomSamples = 400;
constexpr int FirstCoarseCursor = 360;

constexpr LangText AngleTitle{"Angle [deg]", "Angle [deg]", "Angle [deg]",
                              "\xC3\xA1"
                              "ngulo [grados]"};

bool IsPsi(const ViewContext& state) {
  return state.Config.PressureUnit == UnitPsi;
}

// The 180-sample layout cannot be zoomed: its samples are two degrees apart
// and its x positions are laid out over the full revolution.
bool Zoomed(const ViewContext& state) {
  return state.View.ZoomOn && state.Measurement.HasMipBlock;
}

// Which samples a curve draws and where they go across the plot.
struct SampleSpan {
  int First = 0;
  int Last = 0;     // inclusive
  double Step = 0;  // pixels per sample
};

SampleSpan CurveSpan(const ViewContext& state) {
  const double pixPerDeg = state.Drawing.PixPerDeg;
  if (!state.Measurement.HasMipBlock) return {0, CoarseSamples - 1, 2.0 * pixPerDeg};
  if (Zoomed(state)) return {FirstZoomSample, FirstZoomSample + ZoomSamples - 1, pixPerDeg / 4};
  return {0, SamplesPerCurve - 1, pixPerDeg / 4};
}

// Draws values[First..Last] as a polyline, y given by `yOf(value)`.
template <class YOf>
void DrawSpan(Canvas& canvas, const DrawingState& d, const SampleSpan& span, const float* values,
              YOf yOf) {
  canvas.MoveTo(d.PlotLeft, yOf(values[span.First]));
  for (int k = span.First + 1; k <= span.Last; ++k) {
    canvas.LineTo(RightOf(d.PlotLeft, (k - span.First) * span.Step), yOf(values[k]));
  }
}

void DrawPressureCurve(const ViewContext& state, Canvas& canvas, const WorkCurve& curve,
                       Color color) {
  const DrawingState& d = state.Drawing;
  const double yScale = IsPsi(state) ? PsiPerBar : 1.0;
  canvas.SetPen(color, 1, PenStyle::Solid);
  DrawSpan(canvas, d, CurveSpan(state), curve.data(),
           [&](float v) { return Above(d.PlotBase, yScale * v * d.PixPerPressure); });
}

// The fuel-injection trace; stored values are bar. In psi the trace follows
// the psi labels, whose top is the table's psi maximum rather than the exact
// conversion of the bar maximum. MPa has no fuel scale of its own: the trace
// stays on the bar scale.
void DrawFuelTrace(const ViewContext& state, Canvas& canvas, const Curve& extra) {
  const DrawingState& d = state.Drawing;
  const FuelScale* scale = IsPsi(state) ? FindFuelScale(d.ExtraAxisMax) : nullptr;
  if (scale == nullptr) {
    DrawSpan(canvas, d, CurveSpan(state), extra.data() + 1,
             [&](float v) { return Above(d.PlotBase, v * d.PixPerExtra); });
    return;
  }
  const double psiMaximum = scale->PsiMaximum;
  DrawSpan(canvas, d, CurveSpan(state), extra.data() + 1, [&](float v) {
    return Above(d.PlotBase, v * d.PixPerExtra * d.ExtraAxisMax * PsiPerBar / psiMaximum);
  });
}

// The vibration trace, centred on its own mean a quarter of the height above
// the base and scaled by the largest deviation of any curve. An unknown scale
// text draws like "min", the calmest; without an amplitude the trace is flat.
void DrawAclTrace(const ViewContext& state, Canvas& canvas, const Curve& extra) {
  const DrawingState& d = state.Drawing;
  const double amplitude = state.Measurement.AclAmplitude;
  double sum = 0;
  for (int s = 1; s <= SamplesPerCurve; ++s) sum += extra[s];
  const double mean = sum / SamplesPerCurve;
  const double height = d.PlotBase - d.PlotTop;
  const int baseline = d.PlotBase - (d.PlotBase - d.PlotTop) / 4;
  const SampleSpan span = CurveSpan(state);
  if (!(amplitude > 0) || !std::isfinite(amplitude)) {
    DrawSpan(canvas, d, span, extra.data() + 1, [&](float) { return baseline; });
  } else if (state.Config.AclScale == "max") {
    DrawSpan(canvas, d, span, extra.data() + 1,
             [&](float v) { return Above(baseline, (v - mean) / amplitude * height); });
  } else if (state.Config.AclScale == "normal") {
    DrawSpan(canvas, d, span, extra.data() + 1,
             [&](float v) { return Above(baseline, (v - mean) / amplitude * height / 2); });
  } else {
    DrawSpan(canvas, d, span, extra.data() + 1,
             [&](float v) { return Above(baseline, (v - mean) / 2 / amplitude * height / 2); });
  }
}

void DrawSecondChannel(const ViewContext& state, Canvas& canvas, const Curve& extra, Color color) {
  canvas.SetPen(color, 1, PenStyle::Solid);
  if (state.View.FuelOn) DrawFuelTrace(state, canvas, extra);
  if (state.View.AclOn) DrawAclTrace(state, canvas, extra);
}

// DrawCursor and CursorAtX are each other's inverse; keep them together.
void DrawCursor(const ViewContext& state, Canvas& canvas) {
  const DrawingState& d = state.Drawing;
  int32_t& cursor = state.View.CursorPos;
  int x = 0;
  if (!state.Measurement.HasMipBlock) {
    x = RightOf(d.PlotLeft, (static_cast<double>(cursor) - FirstCoarseCursor) * d.PixPerDeg / 2);
  } else if (Zoomed(state)) {
    cursor = std::clamp(cursor, FirstZoomSample, LastZoomCursor);
    x = RightOf(d.PlotLeft, (cursor - FirstZoomSample) * d.PixPerDeg / 4);
  } else {
    x = RightOf(d.PlotLeft, static_cast<double>(cursor) * d.PixPerDeg / 4);
  }
  canvas.SetPen(Colors::Red, 1, PenStyle::Solid);
  canvas.MoveTo(x, d.PlotTop);
  canvas.LineTo(x, d.PlotBase);
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.SetFont(ViewFontName, ViewFontHeight, true);
}

// The dp/da scale for one DpDaMax: the psi correction of the curve and the
// top label per unit (bar, psi, MPa). The psi labels are rounded figures, so
// the curve is squeezed by f to meet them.
struct DpDaScale {
  double PsiFactor = 1;
  double RefPsiFactor = 1;
  double Top[3] = {};
  int Decimals[3] = {1, 1, 1};
};

// Another DpDaMax than 10, 5 or 2.5 gets exact labels (the maximum converted
// to each unit) and an unsqueezed curve, so scale and curve still agree.
DpDaScale DpDaScaleFor(double dpdaMax) {
  if (dpdaMax == 10) return {0.968333, 0.96833, {10, 150, 1}, {1, 1, 1}};
  if (dpdaMax == 5) return {0.72625, 0.72625, {5, 100, 0.5}, {1, 1, 1}};
  if (dpdaMax == 2.5) return {0.72625, 0.72625, {2.5, 50, 0.25}, {1, 1, 2}};
  return {1, 1, {dpdaMax, dpdaMax * PsiPerBar, dpdaMax / 10}, {1, 1, 2}};
}

int UnitColumn(int pressureUnit) {
  if (pressureUnit == UnitPsi) return 1;
  if (pressureUnit == UnitMPa) return 2;
  return 0;
}

// Where a dp/da curve goes: DpDaMax sits 40 % of the plot height above the
// zero line in the middle of the plot, squeezed by Factor in psi.
struct DpDaMapping {
  int ZeroY = 0;
  double Axis = 0;  // the pressure-axis maximum, in the axis' unit
  double DpDaMax = 0;
  double PixPerPressure = 0;
  double Factor = 1;

  int YAt(const WorkCurve& work, int k) const {
    return Above(ZeroY, DpDaAt(work, k) * Axis / 2.5 / DpDaMax * PixPerPressure * Factor);
  }
};

// Empty when no scale can be built: a zero, negative or missing DpDaMax, or
// no frame drawn yet.
std::optional<DpDaMapping> MapDpDa(const ViewContext& state, bool reference) {
  const DrawingState& d = state.Drawing;
  const double dpdaMax = state.Config.DpDaMax;
  if (!(dpdaMax > 0) || !std::isfinite(dpdaMax) || !(d.PixPerPressure > 0)) return std::nullopt;
  const DpDaScale scale = DpDaScaleFor(dpdaMax);
  const double psiFactor = reference ? scale.RefPsiFactor : scale.PsiFactor;
  return DpDaMapping{d.PlotBase - (d.PlotBase - d.PlotTop) / 2,
                     (d.PlotBase - d.PlotTop) / d.PixPerPressure, dpdaMax, d.PixPerPressure,
                     IsPsi(state) ? psiFactor : 1.0};
}

void DrawDpDaCurve(const ViewContext& state, Canvas& canvas, const WorkCurve& work, int first,
                   int last, const DpDaMapping& mapping, Color color) {
  const DrawingState& d = state.Drawing;
  const int origin = Zoomed(state) ? FirstZoomSample : 0;
  canvas.SetPen(color, 1, PenStyle::Solid);
  canvas.MoveTo(RightOf(d.PlotLeft, (first - origin) * d.PixPerDeg / 4), mapping.YAt(work, first));
  for (int k = first + 1; k <= last; ++k) {
    canvas.LineTo(RightOf(d.PlotLeft, (k - origin) * d.PixPerDeg / 4), mapping.YAt(work, k));
  }
}

void DrawDpDaScale(const ViewContext& state, Canvas& canvas, int x, int zeroY, double fullHeight,
                   const DpDaScale& scale) {
  const int column = UnitColumn(state.Config.PressureUnit);
  const double top = scale.Top[column];
  const int decimals = scale.Decimals[column];
  const int topY = Above(zeroY, fullHeight);
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.MoveTo(x, topY);
  canvas.LineTo(x, RightOf(zeroY, fullHeight));
  canvas.SetFontColor(Colors::Blue);
  canvas.TextOut(x - 30, topY - 24, "dp/da");
  for (int j = 1; j <= 5; ++j) {
    const double value = top * j / 5;
    const double offset = fullHeight * j / 5;
    for (const int sign : {1, -1}) {
      const int y = Above(zeroY, sign * offset);
      canvas.MoveTo(x - 3, y);
      canvas.LineTo(x, y);
      canvas.TextOut(x - 30, y - 8, FormatFixed(sign * value, 0, decimals));
    }
  }
  canvas.SetFontColor(Colors::Black);
}

// The slope of the working curve (and in views 14 and 19 of the reference)
// around TDC, its zero line on the middle of the plot and DpDaMax at 40 % of
// the height above it.
void DrawDpDa(const ViewContext& state, Canvas& canvas, const WorkCurve& work,
              const WorkCurve& refWork) {
  const std::optional<DpDaMapping> mapping = MapDpDa(state, false);
  if (!mapping) return;
  const DrawingState& d = state.Drawing;
  const int view = state.View.CurrentView;
  const bool withRef = view == ViewPAlphaRef || view == ViewTdcManual;
  const int zeroY = mapping->ZeroY;

  const bool zoomed = Zoomed(state);
  const int first = zoomed ? 560 : 520;
  const int last = zoomed ? 880 : 920;
  const int origin = zoomed ? FirstZoomSample : 0;
  const int lineStart = RightOf(d.PlotLeft, (first - origin) * d.PixPerDeg / 4);
  const int lineEnd = RightOf(lineStart, (last - first) * d.PixPerDeg / 4);
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.MoveTo(lineStart, zeroY);
  canvas.LineTo(lineEnd, zeroY);
  if (zoomed) {
    DrawDpDaScale(state, canvas, lineStart, zeroY, mapping->Axis / 2.5 * d.PixPerPressure,
                  DpDaScaleFor(mapping->DpDaMax));
  }

  DrawDpDaCurve(state, canvas, work, first, last, *mapping, withRef ? Colors::Green : Colors::Blue);
  if (withRef) {
    DrawDpDaCurve(state, canvas, refWork, first, last, *MapDpDa(state, true), Colors::Blue);
  }
}

void DrawAngleScale(const ViewContext& state, Canvas& canvas) {
  const DrawingState& d = state.Drawing;
  const int language = state.Config.Language;
  canvas.TextOut(d.PlotCentreX - 15, d.PlotBase + 5, Tr(TdcNameText, language));
  canvas.TextOut(d.PlotCentreX - 15, d.PlotBase + 25, Tr(AngleTitle, language));

  // Offsets are degrees from the left edge. Labels every 30 degrees (10
  // zoomed), none at TDC; the grid lines go with them except that, not
  // zoomed, the left edge is the pressure axis and keeps it black.
  const bool zoomed = Zoomed(state);
  const int span = zoomed ? 100 : 360;
  const int labelEvery = zoomed ? 10 : 30;
  const int centre = span / 2;
  for (int offset = 0; offset <= span; offset += 10) {
    const int x = RightOf(d.PlotLeft, offset * d.PixPerDeg);
    canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
    canvas.MoveTo(x, d.PlotBase);
    canvas.LineTo(x, d.PlotBase + 3);
    if (offset % labelEvery != 0 || offset == centre) continue;
    if (offset != 0 || zoomed) {
      canvas.SetPen(Colors::Silver, 1, PenStyle::Solid);
      canvas.MoveTo(x, d.PlotBase);
      canvas.LineTo(x, d.PlotTop);
    }
    const int degrees = offset - centre;
    canvas.TextOut(x - 10, d.PlotBase + 5, (degrees > 0 ? "+" : "") + std::to_string(degrees));
  }
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
}

// Ticks are counted down from the top, grid lines and labels sit at their
// values; MPa rows hold bar values and write them divided by ten.
void DrawPressureScale(const ViewContext& state, Canvas& canvas, float axisMax) {
  const PressureScale* scale = FindPressureScale(state.Config.PressureUnit, axisMax);
  if (scale == nullptr) return;
  const DrawingState& d = state.Drawing;
  const int maximum = scale->Maximum;
  auto heightOf = [&](int value) {
    return RightOf(d.PlotTop, static_cast<double>(maximum - value) * d.PixPerPressure);
  };

  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  for (int i = 0; i <= maximum / scale->TickStep; ++i) {
    const int y = RightOf(d.PlotTop, static_cast<double>(i) * scale->TickStep * d.PixPerPressure);
    canvas.MoveTo(d.PlotLeft - 3, y);
    canvas.LineTo(d.PlotLeft, y);
  }
  canvas.SetPen(Colors::Silver, 1, PenStyle::Solid);
  for (const int value : scale->Grid) {
    if (value == 0) break;
    canvas.MoveTo(d.PlotLeft, heightOf(value));
    canvas.LineTo(d.PlotRight, heightOf(value));
  }
  if (scale->BlackZeroLine) {
    canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
    canvas.MoveTo(d.PlotLeft, heightOf(0));
    canvas.LineTo(d.PlotRight, heightOf(0));
  }
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.SetFontColor(Colors::Black);
  for (const int value : scale->Labels) {
    if (value == 0) break;
    canvas.TextOut(0, heightOf(value) - 10, std::to_string(value / scale->LabelDivisor));
  }
}

void DrawFuelScale(const ViewContext& state, Canvas& canvas) {
  const DrawingState& d = state.Drawing;
  const int unit = state.Config.PressureUnit;
  canvas.SetFontColor(Colors::Purple);
  canvas.TextOut(d.PlotRight - 10, 10, PressureAxisTitle(unit));
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.MoveTo(d.PlotRight, d.PlotBase);
  canvas.LineTo(d.PlotRight, d.PlotTop);

  const FuelScale* scale = FindFuelScale(d.ExtraAxisMax);
  if (scale != nullptr && unit != UnitMPa) {
    const bool psi = unit == UnitPsi;
    const int maximum = psi ? scale->PsiMaximum : scale->BarMaximum;
    const double pixPerUnit = (d.PlotBase - d.PlotTop) / static_cast<double>(maximum);
    for (const int value : psi ? scale->PsiLabels : scale->BarLabels) {
      if (value == 0) break;
      const int y = RightOf(d.PlotTop, (maximum - value) * pixPerUnit);
      canvas.TextOut(d.PlotRight + 3, y - 7, std::to_string(value));
    }
  }
  canvas.SetFontColor(Colors::Black);
}

bool ShowsFuelScale(const ViewContext& state) {
  const int view = state.View.CurrentView;
  return state.Measurement.HasExtraChannel && state.View.FuelOn &&
         (view == ViewPAlphaSingle || view == ViewPAlphaAll || view == ViewPAlphaRef);
}

}  // namespace

float PAlphaAxisMax(const MeasurementData& data, int pressureUnit) {
  return PressureAxisMaximum(data.PressureAxisMax, pressureUnit);
}

float PressureAxisMaximum(float barAxisMax, int pressureUnit) {
  if (pressureUnit != UnitPsi) return barAxisMax;
  const double psi = PsiPerBar * barAxisMax;
  for (const float candidate :
       {500.0f, 750.0f, 1000.0f, 1500.0f, 2000.0f, 2500.0f, 3000.0f, 3500.0f}) {
    if (candidate >= psi) return candidate;
  }
  return 4000.0f;
}

void MakeWorkingCurve(const Curve& stored, bool filter, WorkCurve& work) {
  std::copy(stored.begin() + 1, stored.end(), work.begin());
  if (!filter) return;
  // In place on purpose: each mean already sees the four smoothed values
  // before it. The readouts of the views depend on exactly this smoothing.
  for (int k = 4; k <= SamplesPerCurve - 5; ++k) {
    double sum = 0;
    for (int j = k - 4; j <= k + 4; ++j) sum += work[j];
    work[k] = static_cast<float>(sum / 9);
  }
}

void DrawPAlphaFrame(const ViewContext& state, Canvas& canvas, float axisMax) {
  const MeasurementData& data = state.Measurement;
  DrawingState& d = state.Drawing;
  const int width = d.ControlWidth;
  const int height = d.ControlHeight;
  canvas.SetSize(width, height);

  // A measurement without a fuel range would make the fuel scale divide by
  // zero; NaN fails the comparison and is replaced as well.
  d.ExtraAxisMax = data.ExtraAxisMax >= 500 ? data.ExtraAxisMax : 500;
  // Neither may the pressure axis; a measurement always has a positive one,
  // so a broken value falls back to the smallest axis.
  if (!(axisMax > 0) || !std::isfinite(axisMax)) axisMax = 50;

  const bool zoomed = Zoomed(state);
  d.PlotLeft = IsPsi(state) ? 40 : 30;
  d.PlotTop = 50;
  d.PlotRight = width - d.PlotLeft;
  d.PlotBase = height - 50;
  d.PlotCentreX = (d.PlotRight - d.PlotLeft) / 2 + d.PlotLeft;
  d.PixPerDeg = (d.PlotRight - d.PlotLeft) / (zoomed ? 100.0 : 360.0);
  d.PixPerPressure = (d.PlotBase - d.PlotTop) / static_cast<double>(axisMax);
  d.PixPerExtra = (d.PlotBase - d.PlotTop) / static_cast<double>(d.ExtraAxisMax);
  d.AxisMax = axisMax;

  canvas.SetFont(ViewFontName, ViewFontHeight, true);
  canvas.SetFontColor(Colors::Black);
  canvas.SetPen(Colors::White, 1, PenStyle::Solid);
  canvas.SetBrush(Colors::White);
  canvas.Rectangle(0, 0, width, height);

  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.MoveTo(d.PlotLeft, d.PlotTop);
  canvas.LineTo(d.PlotLeft, d.PlotBase);
  if (data.HasMipBlock) {
    canvas.MoveTo(d.PlotCentreX, d.PlotBase);
    canvas.LineTo(d.PlotCentreX, d.PlotTop);
  }
  canvas.MoveTo(d.PlotLeft, d.PlotBase);
  canvas.LineTo(d.PlotRight, d.PlotBase);

  const bool traceShown = data.HasExtraChannel && (state.View.FuelOn || state.View.AclOn);
  canvas.SetFontColor(traceShown ? Colors::Green : Colors::Black);
  canvas.TextOut(10, 10, PressureAxisTitle(state.Config.PressureUnit));
  canvas.SetFontColor(Colors::Black);

  if (data.HasMipBlock) DrawAngleScale(state, canvas);
  DrawPressureScale(state, canvas, axisMax);
  if (ShowsFuelScale(state)) DrawFuelScale(state, canvas);
  if (state.View.CurrentView == ViewPAlphaSingle && !zoomed) {
    DrawSingleValueBoxFrame(state, canvas);
  }
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.SetFontColor(Colors::Black);
}

int CursorAtX(const ViewContext& state, int x) {
  const DrawingState& d = state.Drawing;
  if (!(d.PixPerDeg > 0) || !std::isfinite(d.PixPerDeg)) return state.View.CursorPos;
  const double degrees = (static_cast<double>(x) - d.PlotLeft) / d.PixPerDeg;
  // Far outside the picture the result is only clamped by the caller; keep it an int.
  auto steps = [&](double perDegree) {
    return static_cast<int>(
        std::clamp<long long>(RoundHalfEven(degrees * perDegree), -PixelLimit, PixelLimit));
  };
  if (!state.Measurement.HasMipBlock) return FirstCoarseCursor + steps(2);
  if (Zoomed(state)) return FirstZoomSample + steps(4);
  return steps(4);
}

std::optional<int> DpDaCurveY(const ViewContext& state, const WorkCurve& work, int k) {
  const std::optional<DpDaMapping> mapping = MapDpDa(state, false);
  if (!mapping) return std::nullopt;
  return mapping->YAt(work, std::clamp(k, 1, SamplesPerCurve - 2));
}

void DrawPAlphaCurve(const ViewContext& state, Canvas& canvas, int cylinder, Color color) {
  const MeasurementData& data = state.Measurement;
  if (data.CylCount < 1 || data.CylCount > MaxCylinders) return;
  if (cylinder < 1 || cylinder > data.CylCount) return;

  const int view = state.View.CurrentView;
  const bool fine = data.HasMipBlock;
  const bool zoomed = Zoomed(state);

  WorkCurve work;
  WorkCurve refWork;
  MakeWorkingCurve(data.PressureCurve[cylinder], state.View.FilterOn, work);
  MakeWorkingCurve(state.Reference.RefCurve, state.View.RefFilterOn, refWork);

  DrawPressureCurve(state, canvas, work, color);

  if (fine && data.HasExtraChannel && (view == ViewPAlphaSingle || view == ViewPAlphaRef)) {
    DrawSecondChannel(state, canvas, data.ExtraCurve[cylinder],
                      view == ViewPAlphaSingle ? Colors::Purple : color);
    if (view == ViewPAlphaRef) {
      DrawSecondChannel(state, canvas, state.Reference.RefExtraCurve, Colors::Blue);
    }
  }

  if ((view == ViewPAlphaSingle || view == ViewPAlphaRef) && state.View.CursorOn) {
    DrawCursor(state, canvas);
  }
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.SetFont(ViewFontName, ViewFontHeight, true);

  if (view == ViewPAlphaSingle) {
    if (!zoomed) {
      WriteSingleValues(state, canvas, cylinder, work);
    } else {
      DrawZoomCursorBox(state, canvas, cylinder, work);
    }
    if (state.View.FuelOn && data.HasExtraChannel) DrawFuelBox(state, canvas, cylinder);
  }

  // The 180-sample layout has no quarter-degree samples around TDC to
  // differentiate over, so it shows no dp/da.
  const bool dpdaView = view == ViewPAlphaSingle || view == ViewPAlphaAll ||
                        view == ViewPAlphaRef || view == ViewTdcAuto || view == ViewTdcManual;
  if (fine && state.View.DpDaOn && dpdaView) DrawDpDa(state, canvas, work, refWork);

  if (view == ViewPAlphaRef || view == ViewTdcManual) {
    DrawPressureCurve(state, canvas, refWork, Colors::Blue);
  } else if (view == ViewTdcAuto) {
    DrawPressureCurve(state, canvas, refWork, Colors::Green);
  }
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);

  if (view == ViewPAlphaRef || view == ViewTdcManual) {
    DrawReferenceTable(state, canvas, cylinder, work, refWork);
  } else if (view == ViewTdcAuto) {
    // The marker is laid against the dp/da curve, which needs the quarter-degree samples.
    if (fine) DrawTdcMarker(state, canvas, work, zoomed ? FirstZoomSample : 0);
    DrawTdcBox(state, canvas);
  }

  DrawMakerCaption(canvas);
}

}  // namespace zephirax
