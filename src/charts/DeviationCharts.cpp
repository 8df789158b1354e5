#include "charts/DeviationCharts.h"

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "charts/ChartFrame.h"
#include "charts/ChartTexts.h"
#include "measurement/DisplayText.h"
#include "measurement/NumberText.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/MakerCaption.h"
#include "platform/Pixels.h"

namespace zephirax {
namespace {

constexpr int DevSideMargin = 35;
constexpr int DevTopMargin = 50;
constexpr int DevBottomMargin = 50;
constexpr double DevTickStep = 2.5;       // percent
constexpr double DevPmaxMeanFloor = 0.1;  // bar

constexpr LangText DevMipTitleText{"MIPdev [%]", "MIPdev [%]", "PMIdev [%]", "pmidesv [%]"};
constexpr LangText DevTexhMeanText{"texhmean = ", "texhmean = ", "texhmoy = ", "texh medio = "};

using FigureText = std::function<std::string(double)>;

// A pressure in bar written in the display unit.
FigureText PressureFigure(int unit, PressureFormat format) {
  return [unit, format](double bar) { return PressureText(bar, unit, format); };
}

// What one chart draws. Values are in the stored unit (bar, kW, degC); the
// two texts write a value and the mean in the display unit.
struct DeviationInput {
  int Count = 0;
  PerCylinder<double> Values{};
  double Limit = 10;       // percent; the axis runs from -Limit to +Limit
  bool FloorMean = false;  // a mean below 0.1 counts as 0.1 (pmax)
  std::string Title;
  FigureText ValueText;
  FigureText MeanText;
  std::string MeanLabel;
  std::string UnitWord;
};

// The engine mean and each cylinder's deviation from it in percent. A zero
// mean (without the pmax floor) gives no deviation at all: NaN, which no bar
// test accepts.
class MeanDeviation {
 public:
  explicit MeanDeviation(const DeviationInput& input) : count_(input.Count) {
    for (int i = 1; i <= count_; ++i) sum_ += input.Values[i];
    const double mean = count_ > 0 ? sum_ / count_ : 0;
    floored_ = input.FloorMean && !(mean >= DevPmaxMeanFloor);
    mean_ = floored_ ? DevPmaxMeanFloor : mean;
  }

  double Mean() const { return mean_; }

  double Of(double value) const {
    if (floored_) return (value - DevPmaxMeanFloor) / DevPmaxMeanFloor * 100.0;
    if (count_ == 0 || sum_ == 0) return std::numeric_limits<double>::quiet_NaN();
    // Worked on the sum rather than on the rounded mean: n x value - sum is
    // exact for the stored values, so a cylinder exactly at the limit lands
    // exactly on it and stays green (with the rounded mean, 11 cylinders and
    // a mean of 120/11 put an exact 10 % at 10.000000000000007).
    return (value * count_ - sum_) * 100.0 / sum_;
  }

  bool Above(double value) const {
    return floored_ ? value > DevPmaxMeanFloor : value * count_ > sum_;
  }

 private:
  int count_;
  double sum_ = 0;
  double mean_ = 0;
  bool floored_ = false;
};

void DrawDeviationChart(Canvas& canvas, int language, const DeviationInput& in) {
  const int width = canvas.Width();
  const int height = canvas.Height();
  const int left = DevSideMargin;
  const int top = DevTopMargin;
  const int right = width - DevSideMargin;
  const int base = height - DevBottomMargin;
  const int zero = height / 2;
  const double scale = (base - top) / (2 * in.Limit);  // pixels per percent

  canvas.MoveTo(left, top);
  canvas.LineTo(left, base);
  canvas.MoveTo(left - 5, zero);
  canvas.LineTo(right, zero);
  canvas.TextOut(10, 10, in.Title);

  std::vector<int> levels;
  for (int step = 1; step * DevTickStep <= in.Limit; ++step) {
    const double percent = step * DevTickStep;
    for (const int side : {1, -1}) {
      const int y = PixelRound(zero - side * percent * scale);
      canvas.MoveTo(left - 5, y);
      canvas.LineTo(left + 5, y);
      levels.push_back(y);
    }
    if (step % 2 == 0) {
      const std::string figure = std::to_string(step / 2 * 5);
      canvas.TextOut(0, PixelRound(zero - percent * scale - 5), "+" + figure);
      canvas.TextOut(0, PixelRound(zero + percent * scale - 5), "-" + figure);
    }
  }
  canvas.SetPen(Colors::Silver, 1, PenStyle::Solid);
  for (const int y : levels) {
    canvas.MoveTo(left + 5, y);
    canvas.LineTo(right, y);
  }
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);

  const MeanDeviation deviation(in);
  const BarLayout bars = MakeBarLayout(width, in.Count);
  for (int i = 1; i <= in.Count; ++i) {
    const double value = in.Values[i];
    const double d = deviation.Of(value);
    const int x = bars.X(i);
    const int barRight = RightOf(x, bars.Width);
    if (d > in.Limit) {
      canvas.SetBrush(Colors::Red);
      canvas.Rectangle(x, zero, barRight, top);
      canvas.TextOut(x + 2, top + 2, "+" + FormatFixed(d, 5, 1));
    } else if (d >= -in.Limit) {
      canvas.SetBrush(Colors::Lime);
      canvas.Rectangle(x, zero, barRight, PixelRound(zero - d * scale));
    } else if (d < -in.Limit) {
      canvas.SetBrush(Colors::Red);
      canvas.Rectangle(x, zero, barRight, base);
      canvas.TextOut(x + 2, base - 16, FormatFixed(d, 5, 1));
    }
    // The value goes on the side of the zero line its bar leaves free.
    canvas.SetBrush(Colors::White);
    canvas.TextOut(x, deviation.Above(value) ? zero + 10 : zero - 20, in.ValueText(value));
    canvas.TextOut(x, base + 10, FormatInt(i, 2));
  }

  canvas.TextOut(right, base + 10, CylinderWord(language));
  // Measured from the same centre as the value charts' mean texts.
  const int middle = width / 2;
  canvas.TextOut(middle + 110, top - 20, in.MeanLabel);
  canvas.TextOut(middle + 200, top - 20, in.MeanText(deviation.Mean()));
  canvas.TextOut(middle + 240, top - 20, in.UnitWord);
}

template <class T>
void TakeValues(DeviationInput& in, const PerCylinder<T>& values) {
  for (int i = 1; i <= in.Count; ++i) in.Values[i] = static_cast<double>(values[i]);
}

}  // namespace

void ShowPmaxDeviation(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewPmaxDeviation);
  {
    const int unit = state.Config.PressureUnit;
    const int language = state.Config.Language;
    DeviationInput in;
    in.Count = ChartCylinders(state.Measurement);
    TakeValues(in, state.Measurement.PmaxMean);
    in.FloorMean = true;
    in.Title = "pmaxdev [%]";
    in.ValueText = PressureFigure(unit, {3, 0, 4, 1, 3, 0});
    in.MeanText = PressureFigure(unit, {5, 1, 4, 1, 4, 0});
    in.MeanLabel = Tr(ChartPmaxMeanLabel, language);
    in.UnitWord = PressureUnitName(unit);
    DrawDeviationChart(canvas, language, in);
  }
  DrawMakerCaption(canvas);
}

void ShowMipDeviation(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewMipDeviation);
  if (state.Measurement.HasMipBlock) {
    const int unit = state.Config.PressureUnit;
    const int language = state.Config.Language;
    DeviationInput in;
    in.Count = ChartCylinders(state.Measurement);
    TakeValues(in, state.Measurement.CylMip);
    in.Title = Tr(DevMipTitleText, language);
    in.ValueText = PressureFigure(unit, {4, 1, 4, 2, 3, 0});
    in.MeanText = in.ValueText;
    in.MeanLabel = Tr(ChartMipMeanLabel, language);
    in.UnitWord = PressureUnitName(unit);
    DrawDeviationChart(canvas, language, in);
  }
  DrawMakerCaption(canvas);
}

void ShowPindDeviation(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewPindDeviation);
  if (state.Measurement.HasMipBlock) {
    const int unit = state.Config.PowerUnit;
    const int language = state.Config.Language;
    DeviationInput in;
    in.Count = ChartCylinders(state.Measurement);
    TakeValues(in, state.Measurement.CylPind);
    in.Title = "Pinddev [%]";
    in.ValueText = [unit](double kW) { return FormatFixed(PowerToDisplay(kW, unit), 4, 0); };
    in.MeanText = in.ValueText;
    in.MeanLabel = Tr(ChartPindMeanLabel, language);
    in.UnitWord = PowerUnitName(unit);
    DrawDeviationChart(canvas, language, in);
  }
  DrawMakerCaption(canvas);
}

void ShowTexhDeviation(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewTexhDeviation);
  {
    const int unit = state.Config.TempUnit;
    const int language = state.Config.Language;
    DeviationInput in;
    in.Count = ChartCylinders(state.Measurement);
    TakeValues(in, state.AddData.Texh);
    in.Limit = 15;
    in.Title = "texhdev [%]";
    in.ValueText = [unit](double degC) { return FormatFixed(TempToDisplay(degC, unit), 3, 0); };
    in.MeanText = in.ValueText;
    in.MeanLabel = Tr(DevTexhMeanText, language);
    in.UnitWord = ChartTempUnitWord(unit);
    DrawDeviationChart(canvas, language, in);
  }
  DrawMakerCaption(canvas);
}

}  // namespace zephirax
