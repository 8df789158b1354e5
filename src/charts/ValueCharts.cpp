#include "charts/ValueCharts.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "charts/ChartFrame.h"
#include "charts/ChartTexts.h"
#include "charts/ValueChartAxes.h"
#include "measurement/DisplayText.h"
#include "measurement/NumberText.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/MakerCaption.h"
#include "platform/Rounding.h"

namespace zephirax {

namespace {

constexpr LangText PmaxMeanAxisTitle{"pmaxmean", "pmaxmean", "pmaxmoy", "pmaxmedio"};
constexpr LangText PmaxMeanChartLabel{"pmaxmean = ", "pmaxmean = ", "pmaxmoy = ", "pmaxmedio = "};
constexpr LangText MipAxisWord{"MIP", "MIP", "pmi", "pmi"};
constexpr LangText RpmAxisTitle{"RPM [1/min]", "RPM [1/min]", "RPM [t/min]", "rev [1/min]"};
constexpr LangText RpmMeanLabel{"rpm mittel = ", "rpm mean = ", "RPM moy = ", "rev medio = "};
constexpr LangText RpmMeanUnit{" [U/min]", " [1/min]", " [t/min]", " [1/min]"};
constexpr LangText TexhMeanLabel{"texh mean = ", "texh mean = ", "texh moy = ", "texh medio = "};
constexpr LangText StrokeAxisCaption{"strokes", "strokes", "cycles", "carrera"};

constexpr int BottomMargin = 50;
constexpr int MeanLineInset = 30;

// One value per cylinder (or stroke), in the unit the plot is scaled in, and
// the text written over its bar.
struct BarValues {
  std::vector<double> Heights;
  std::vector<std::string> Texts;
};

// Cylinders a chart may draw: none when CylCount is out of range, since the
// per-cylinder arrays hold 20.
int ValidCylinders(const MeasurementData* data) {
  if (data == nullptr || data->CylCount < 1 || data->CylCount > MaxCylinders) return 0;
  return data->CylCount;
}

int ValidStrokes(const MeasurementData& data) {
  return data.StrokeCount >= 1 && data.StrokeCount <= MaxStrokes ? data.StrokeCount : 0;
}

// The largest of values 1..count of `value`, values that are not numbers left out.
double Largest(int count, const std::function<double(int)>& value) {
  double largest = -std::numeric_limits<double>::infinity();
  for (int i = 1; i <= count; ++i) largest = std::max(largest, value(i));
  return largest;
}

double Mean(int count, const std::function<double(int)>& value) {
  double sum = 0;
  for (int i = 1; i <= count; ++i) sum += value(i);
  return count > 0 ? sum / count : 0;
}

ChartPlot MakePlot(const Canvas& canvas, int left, int top, double maximum) {
  ChartPlot plot;
  plot.Left = left;
  plot.Top = top;
  plot.Right = canvas.Width() - left;
  plot.Base = canvas.Height() - BottomMargin;
  // An unusable maximum from a corrupt file leaves the bars flat rather than
  // scaled by infinity.
  if (maximum > 0 && std::isfinite(maximum)) plot.Scale = (plot.Base - plot.Top) / maximum;
  return plot;
}

void DrawAxes(Canvas& canvas, const ChartPlot& plot, const AxisLadder& ladder,
              const std::string& title) {
  canvas.MoveTo(plot.Left, plot.Top);
  canvas.LineTo(plot.Left, plot.Base);
  canvas.MoveTo(plot.Left, plot.Base);
  canvas.LineTo(plot.Right, plot.Base);
  canvas.TextOut(10, 0, title);
  DrawLadder(canvas, plot, ladder);
}

// A bar from the base line up to `top` (down for a negative value), passed
// top-left corner first.
void BarRectangle(Canvas& canvas, int x1, int x2, int base, int top) {
  canvas.Rectangle(x1, std::min(base, top), x2, std::max(base, top));
}

// Green bars with black outline, the value 20 pixels over each bar and the
// number of each bar at `numberY`.
void DrawBars(Canvas& canvas, const ChartPlot& plot, const BarLayout& layout,
              const BarValues& values, int numberY) {
  canvas.SetBrush(Colors::Lime);
  for (size_t k = 0; k < values.Heights.size(); ++k) {
    const int i = static_cast<int>(k) + 1;
    const int x = layout.X(i);
    const int top = plot.YOf(values.Heights[k]);
    BarRectangle(canvas, x, x + layout.Width, plot.Base, top);
    canvas.TextOut(x + 10, top - 20, values.Texts[k]);
    canvas.TextOut(x + 10, numberY, FormatInt(i, 2));
  }
  canvas.SetBrush(Colors::White);
}

void DrawMeanLine(Canvas& canvas, const ChartPlot& plot, double mean) {
  const int y = plot.YOf(mean);
  canvas.SetPen(Colors::Red, 1, PenStyle::Dot);
  canvas.MoveTo(MeanLineInset, y);
  canvas.LineTo(canvas.Width() - MeanLineInset, y);
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
}

void WriteMean(Canvas& canvas, int y, const std::string& label, const std::string& figure,
               const std::string& unit) {
  const int centre = canvas.Width() / 2;
  canvas.TextOut(centre + 110, y, label);
  canvas.TextOut(centre + 200, y, figure);
  canvas.TextOut(centre + 240, y, unit);
}

// Pressures are plotted in bar for bar and MPa (the MPa axis labels read
// bar / 10), in psi for psi.
double PressureOnPlot(double bar, int unit) {
  return unit == UnitPsi ? bar * PsiPerBar : bar;
}

constexpr PressureFormat PmaxValueFormat{3, 0, 4, 1, 4, 0};
constexpr PressureFormat PmaxMeanFormat{5, 1, 4, 1, 4, 0};
constexpr PressureFormat MipFormat{4, 1, 4, 2, 3, 0};

std::string PmaxValueText(double bar, int unit) {
  return PressureText(bar, unit, PmaxValueFormat);
}

std::string PmaxMeanText(double bar, int unit) {
  return PressureText(bar, unit, PmaxMeanFormat);
}

std::string MipText(double bar, int unit) {
  return PressureText(bar, unit, MipFormat);
}

std::string Bracketed(const std::string& word, const std::string& unit) {
  return word + " [" + unit + "]";
}

// The frame the three pmax charts share: margins, the pmax ladder and axes.
ChartPlot DrawPmaxFrame(const ViewContext& state, Canvas& canvas, const std::string& title) {
  const int unit = state.Config.PressureUnit;
  const AxisLadder ladder = PmaxLadder(unit, state.Measurement.PressureAxisMax);
  const ChartPlot plot = MakePlot(canvas, unit == UnitPsi ? 40 : 30, 60, ladder.Maximum);
  DrawAxes(canvas, plot, ladder, title);
  return plot;
}

std::string PmaxTitle(int unit) {
  return Bracketed("pmax", PressureUnitName(unit));
}

}  // namespace

void ShowPmaxSingle(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewPmaxSingle);
  const MeasurementData* data = &state.Measurement;
  const int cylinders = ValidCylinders(data);
  const int cylinder = state.View.CurrentCylinder;
  const int strokes = cylinders > 0 ? ValidStrokes(*data) : 0;
  if (strokes > 0 && cylinder >= 1 && cylinder <= cylinders) {
    const int unit = state.Config.PressureUnit;
    const int language = state.Config.Language;
    const ChartPlot plot = DrawPmaxFrame(state, canvas, PmaxTitle(unit));
    const auto& pmax = data->StrokePmax[cylinder];
    BarValues values;
    for (int j = 1; j <= strokes; ++j) {
      values.Heights.push_back(PressureOnPlot(pmax[j], unit));
      values.Texts.push_back(PmaxValueText(pmax[j], unit));
    }
    // The stroke numbers sit inside the bars, the axis caption below them.
    DrawBars(canvas, plot, MakeBarLayout(canvas.Width(), strokes), values, plot.Base - 20);
    canvas.TextOut(canvas.Width() - 100, 10,
                   std::string(CylinderWord(language)) + " " + FormatInt(cylinder, 2));
    canvas.TextOut(200, plot.Base + 10, Tr(StrokeAxisCaption, language));

    const double mean = Mean(strokes, [&](int j) { return pmax[j]; });
    DrawMeanLine(canvas, plot, PressureOnPlot(mean, unit));
    WriteMean(canvas, plot.Top - 30, Tr(ChartPmaxMeanLabel, language), PmaxMeanText(mean, unit),
              PressureUnitName(unit));
  }
  DrawMakerCaption(canvas);
}

void ShowPmaxMean(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewPmaxMean);
  const MeasurementData* data = &state.Measurement;
  const int cylinders = ValidCylinders(data);
  if (cylinders > 0) {
    const int unit = state.Config.PressureUnit;
    const int language = state.Config.Language;
    const std::string pmaxTitle = PmaxTitle(unit);
    const ChartPlot plot = DrawPmaxFrame(state, canvas, pmaxTitle);
    // The chart's own title replaces the pressure axis title in its place;
    // text has no background, so the first is blanked out before.
    canvas.FillRect(10, 0, 10 + canvas.TextWidth(pmaxTitle), canvas.TextHeight(pmaxTitle));
    canvas.TextOut(10, 0, Bracketed(Tr(PmaxMeanAxisTitle, language), PressureUnitName(unit)));

    BarValues values;
    for (int i = 1; i <= cylinders; ++i) {
      values.Heights.push_back(PressureOnPlot(data->PmaxMean[i], unit));
      values.Texts.push_back(PmaxValueText(data->PmaxMean[i], unit));
    }
    DrawBars(canvas, plot, MakeBarLayout(canvas.Width(), cylinders), values, plot.Base + 10);
    canvas.TextOut(plot.Right, plot.Base + 10, CylinderWord(language));

    const double mean = Mean(cylinders, [&](int i) { return data->PmaxMean[i]; });
    DrawMeanLine(canvas, plot, PressureOnPlot(mean, unit));
    WriteMean(canvas, plot.Top - 30, Tr(PmaxMeanChartLabel, language), PmaxMeanText(mean, unit),
              PressureUnitName(unit));
  }
  DrawMakerCaption(canvas);
}

void ShowMipAll(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewMipAll);
  const MeasurementData* data = &state.Measurement;
  const int cylinders = ValidCylinders(data);
  if (cylinders > 0 && data->HasMipBlock) {
    const int unit = state.Config.PressureUnit;
    const int language = state.Config.Language;
    const auto mip = [&](int i) { return static_cast<double>(data->CylMip[i]); };
    const AxisLadder ladder = MipLadder(unit, Largest(cylinders, mip));
    const ChartPlot plot = MakePlot(canvas, 30, 50, ladder.Maximum);
    DrawAxes(canvas, plot, ladder, Bracketed(Tr(MipAxisWord, language), PressureUnitName(unit)));

    BarValues values;
    for (int i = 1; i <= cylinders; ++i) {
      values.Heights.push_back(PressureOnPlot(mip(i), unit));
      values.Texts.push_back(MipText(mip(i), unit));
    }
    DrawBars(canvas, plot, MakeBarLayout(canvas.Width(), cylinders), values, plot.Base + 10);
    canvas.TextOut(plot.Right, plot.Base + 10, CylinderWord(language));

    const double mean = Mean(cylinders, mip);
    DrawMeanLine(canvas, plot, PressureOnPlot(mean, unit));
    WriteMean(canvas, plot.Top - 30, Tr(ChartMipMeanLabel, language), MipText(mean, unit),
              PressureUnitName(unit));
  }
  DrawMakerCaption(canvas);
}

void ShowPindAll(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewPindAll);
  const MeasurementData* data = &state.Measurement;
  const int cylinders = ValidCylinders(data);
  if (cylinders > 0 && data->HasMipBlock) {
    const int unit = state.Config.PowerUnit == UnitHp ? UnitHp : UnitKW;
    const int language = state.Config.Language;
    const auto pind = [&](int i) { return static_cast<double>(data->CylPind[i]); };
    const AxisLadder ladder = PindLadder(unit, Largest(cylinders, pind));
    const ChartPlot plot = MakePlot(canvas, 40, 50, ladder.Maximum);
    DrawAxes(canvas, plot, ladder, Bracketed("Pind", PowerUnitName(unit)));

    // kW are whole numbers as stored; hp and the mean are rounded to them.
    const auto text = [&](double kW) {
      return unit == UnitHp ? FormatFixed(kW * HpPerKWViews, 4, 0)
                            : FormatInt(RoundHalfEven(kW), 4);
    };
    BarValues values;
    for (int i = 1; i <= cylinders; ++i) {
      values.Heights.push_back(PowerToDisplay(pind(i), unit));
      values.Texts.push_back(text(pind(i)));
    }
    DrawBars(canvas, plot, MakeBarLayout(canvas.Width(), cylinders), values, plot.Base + 10);
    canvas.TextOut(plot.Right, plot.Base + 10, CylinderWord(language));

    const double mean = Mean(cylinders, pind);
    DrawMeanLine(canvas, plot, PowerToDisplay(mean, unit));
    WriteMean(canvas, plot.Top - 30, Tr(ChartPindMeanLabel, language), text(mean),
              PowerUnitName(unit));
  }
  DrawMakerCaption(canvas);
}

void ShowRpmAll(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewRpmAll);
  const MeasurementData* data = &state.Measurement;
  const int cylinders = ValidCylinders(data);
  if (cylinders > 0) {
    const int language = state.Config.Language;
    const auto rpm = [&](int i) { return static_cast<double>(data->CylRpm[i]); };
    const AxisLadder ladder = RpmLadder(Largest(cylinders, rpm));
    const ChartPlot plot = MakePlot(canvas, 40, 60, ladder.Maximum);
    DrawAxes(canvas, plot, ladder, Tr(RpmAxisTitle, language));

    BarValues values;
    for (int i = 1; i <= cylinders; ++i) {
      values.Heights.push_back(rpm(i));
      values.Texts.push_back(RpmText(rpm(i)));
    }
    DrawBars(canvas, plot, MakeBarLayout(canvas.Width(), cylinders), values, plot.Base + 10);
    canvas.TextOut(plot.Right, plot.Base + 10, CylinderWord(language));

    const double mean = Mean(cylinders, rpm);
    DrawMeanLine(canvas, plot, mean);
    canvas.TextOut(canvas.Width() / 2, 22,
                   std::string(Tr(RpmMeanLabel, language)) + FormatFixed(mean, 6, 1) +
                       Tr(RpmMeanUnit, language));
  }
  DrawMakerCaption(canvas);
}

void ShowPmaxAllStrokes(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewPmaxAllStrokes);
  const MeasurementData* data = &state.Measurement;
  const int cylinders = ValidCylinders(data);
  const int strokes = cylinders > 0 ? ValidStrokes(*data) : 0;
  if (strokes > 0) {
    const int unit = state.Config.PressureUnit;
    const int language = state.Config.Language;
    const ChartPlot plot = DrawPmaxFrame(state, canvas, PmaxTitle(unit));
    const BarLayout layout = MakeBarLayout(canvas.Width(), cylinders);
    for (int i = 1; i <= cylinders; ++i) {
      const int x = layout.X(i);
      // Two pixels per stroke, side by side: the spread of the strokes.
      canvas.SetPen(Colors::Lime, 1, PenStyle::Solid);
      canvas.SetBrush(Colors::Lime);
      for (int j = 1; j <= strokes; ++j) {
        const int top = plot.YOf(PressureOnPlot(data->StrokePmax[i][j], unit));
        BarRectangle(canvas, x + 2 * j, x + 2 * j + 2, plot.Base, top);
      }
      canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
      canvas.SetBrush(Colors::White);
      const int32_t cylinderMean = data->PmaxMean[i];
      canvas.TextOut(x, plot.YOf(PressureOnPlot(cylinderMean, unit)) - 10,
                     PmaxValueText(cylinderMean, unit));
      canvas.TextOut(x + 10, plot.Base + 10, FormatInt(i, 2));
    }
    canvas.TextOut(plot.Right, plot.Base + 10, CylinderWord(language));

    const double mean = Mean(cylinders, [&](int i) { return data->PmaxMean[i]; });
    DrawMeanLine(canvas, plot, PressureOnPlot(mean, unit));
    WriteMean(canvas, 30, Tr(ChartPmaxMeanLabel, language), PmaxMeanText(mean, unit),
              PressureUnitName(unit));
  }
  DrawMakerCaption(canvas);
}

void ShowTexhAll(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewTexhAll);
  const int cylinders = ValidCylinders(&state.Measurement);
  if (cylinders > 0) {
    const int unit = state.Config.TempUnit == UnitDegF ? UnitDegF : UnitDegC;
    const int language = state.Config.Language;
    const auto& texh = state.AddData.Texh;
    const auto shown = [&](int i) { return TempToDisplay(texh[i], unit); };
    const AxisLadder ladder = TexhLadder(Largest(cylinders, shown));
    const ChartPlot plot = MakePlot(canvas, 30, 60, ladder.Maximum);
    const std::string unitWord = ChartTempUnitWord(unit);
    DrawAxes(canvas, plot, ladder, Bracketed("texh", unitWord));

    BarValues values;
    for (int i = 1; i <= cylinders; ++i) {
      values.Heights.push_back(shown(i));
      values.Texts.push_back(unit == UnitDegF ? FormatFixed(shown(i), 3, 0)
                                              : FormatInt(texh[i], 3));
    }
    DrawBars(canvas, plot, MakeBarLayout(canvas.Width(), cylinders), values, plot.Base + 20);
    canvas.TextOut(plot.Right, plot.Base + 20, CylinderWord(language));

    const double mean = Mean(cylinders, shown);
    DrawMeanLine(canvas, plot, mean);
    WriteMean(canvas, plot.Top - 30, Tr(TexhMeanLabel, language), FormatFixed(mean, 3, 0),
              unitWord);
  }
  DrawMakerCaption(canvas);
}

}  // namespace zephirax
