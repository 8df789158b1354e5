#include "charts/PAlpha3DView.h"

#include <string>

#include "analysis/PAlphaViews.h"
#include "analysis/PlotTexts.h"
#include "charts/ChartFrame.h"
#include "measurement/Evaluation.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "platform/MakerCaption.h"
#include "platform/Pixels.h"

namespace zephirax {
namespace {

constexpr int View3DLeft = 200;
constexpr int View3DTop = 150;
constexpr int View3DRightMargin = 20;
constexpr int View3DBottomMargin = 50;
// Where the back plane sits relative to the front plane.
constexpr int View3DDepthX = -180;
constexpr int View3DDepthY = -90;

// Window index j = 1..400 reads the sample with index 519 + j counted from 0,
// that is curve element 520 + j; j = 201 is TDC.
constexpr int View3DWindowSamples = 400;
constexpr int View3DElementBeforeWindow = 520;
constexpr int View3DTdcWindowIndex = 201;
constexpr double View3DFineWindowDegrees = 100;
// The 180-sample layout holds one revolution, 2 degrees apart.
constexpr double View3DCoarseWindowDegrees = 360;
constexpr double View3DCoarseDegreesPerSample = 2;
// Later cylinders stop this many samples before their peak index.
constexpr int View3DClipBeforePeak = 120;

constexpr LangText View3DLegendText{"Cyl ", "Cyl ", "Cyl ", "Cil "};

struct Point {
  int X = 0;
  int Y = 0;
};

// The front plane: x from Left by an offset in pixels, y up from Base by a
// pressure in the plot unit; both shifted by a cylinder's depth offsets.
struct Plane {
  int Left = 0;
  int Base = 0;
  double PixPerPressure = 0;
  int Unit = UnitBar;

  // The axis is scaled in psi for psi and in bar otherwise (the MPa labels
  // are bar / 10).
  double PlotPressure(double bar) const { return Unit == UnitPsi ? bar * PsiPerBar : bar; }

  Point At(double xOffset, double bar, int dx, int dy) const {
    return {PixelRound(Left + xOffset + dx),
            PixelRound(Base - PlotPressure(bar) * PixPerPressure - dy)};
  }
};

// Index (counted from 0) of the largest of the first `samples` samples; the
// first wins among equal values.
int PeakIndex(const Curve& curve, int samples) {
  int peak = 0;
  for (int k = 1; k < samples; ++k) {
    if (curve[k + 1] > curve[peak + 1]) peak = k;
  }
  return peak;
}

void DrawAxes(Canvas& canvas, const Plane& plane, const AxisLadder& ladder, int top, int right,
              int tdcX, bool fine, double hs, int language) {
  const int left = plane.Left;
  const int base = plane.Base;
  const int backX = left + View3DDepthX;
  canvas.MoveTo(backX, base + View3DDepthY);
  canvas.LineTo(backX, top + View3DDepthY);
  canvas.MoveTo(backX, base + View3DDepthY);
  canvas.LineTo(left, base);
  canvas.LineTo(right, base);
  canvas.TextOut(backX, top - 110, PressureAxisTitle(plane.Unit));

  // The pressure scale stands on the back axis, raised with it.
  const auto backY = [&](double value, int below) {
    return PixelRound(base - value * plane.PixPerPressure + View3DDepthY - below);
  };
  for (const double tick : ladder.Ticks) {
    const int y = backY(tick, 0);
    canvas.MoveTo(backX, y);
    canvas.LineTo(backX + 3, y);
  }
  for (const AxisLabel& label : ladder.Labels) {
    canvas.TextOut(left - 170, backY(label.Value, 10), label.Text);
  }

  const int centreX = PixelRound(left + (right - left) / 2.0);
  canvas.MoveTo(tdcX, base);
  canvas.LineTo(tdcX, base + 3);
  canvas.TextOut(centreX - 15, base + 5, Tr(TdcNameText, language));
  canvas.TextOut(centreX - 15, base + 25, "Angle [deg]");
  if (!fine) return;
  for (int angle = -50; angle <= 50; angle += 10) {
    if (angle == 0) continue;
    const std::string text = (angle > 0 ? "+" : "") + std::to_string(angle);
    canvas.TextOut(PixelRound(left + (angle + 50) * hs - 10), base + 5, text);
  }
}

}  // namespace

void ShowPAlpha3D(const ViewContext& state, Canvas& canvas) {
  BeginChart(state, canvas, ViewPAlpha3D);
  const MeasurementData& data = state.Measurement;
  const int language = state.Config.Language;
  const int width = canvas.Width();
  const int height = canvas.Height();
  const int top = View3DTop;
  const int right = width - View3DRightMargin;
  const bool fine = data.HasMipBlock;
  const int samples = CurveSamples(data);

  const AxisLadder ladder = PmaxLadder(state.Config.PressureUnit, data.PressureAxisMax);
  Plane plane;
  plane.Left = View3DLeft;
  plane.Base = height - View3DBottomMargin;
  plane.Unit = state.Config.PressureUnit;
  // A corrupt axis maximum (0, NaN) flattens the curves onto the base line
  // instead of sending them to infinity.
  plane.PixPerPressure =
      ladder.Maximum > 0 ? (plane.Base - top) / static_cast<double>(ladder.Maximum) : 0;
  const double hs =
      (right - plane.Left) / (fine ? View3DFineWindowDegrees : View3DCoarseWindowDegrees);
  // Horizontal offset of window index j, and of coarse sample i.
  const auto fineX = [&](int j) { return (j - 1) * hs / 4; };
  const auto coarseX = [&](int i) { return View3DCoarseDegreesPerSample * (i - 1) * hs; };
  const int tdcX =
      plane.At(fine ? fineX(View3DTdcWindowIndex) : coarseX(CoarseSamples / 2 + 1), 0, 0, 0).X;
  DrawAxes(canvas, plane, ladder, top, right, tdcX, fine, hs, language);

  const int n = ChartCylinders(data);
  PerCylinder<Point> tdcPoints{};
  PerCylinder<Point> peakPoints{};
  for (int k = 1; k <= n; ++k) {
    const Color colour = CylinderColor(k);
    const int dx = PixelRound(static_cast<double>(View3DDepthX) / n * (k - 1));
    const int dy = PixelRound(static_cast<double>(-View3DDepthY) / n * (k - 1));
    Curve smooth = data.PressureCurve[k];
    PeakPreservingSmooth(data.PressureCurve[k], smooth, samples);
    const int peak = PeakIndex(smooth, samples);

    canvas.SetPen(colour, 1, PenStyle::Solid);
    if (fine) {
      // A later cylinder's curve ends 120 samples before its peak index
      // (counted from 0, like the window's sample indices). A peak after
      // index 520 puts that end past the window, so only a curve that
      // peaks early is cut short.
      const int stopAt = peak - View3DClipBeforePeak;
      for (int j = 1; j <= View3DWindowSamples; ++j) {
        const Point p = plane.At(fineX(j), smooth[View3DElementBeforeWindow + j], dx, dy);
        if (j == 1) {
          canvas.MoveTo(p.X, p.Y);
          continue;
        }
        if (k > 1 && j >= stopAt) break;
        canvas.LineTo(p.X, p.Y);
        if (k == 1 && j == View3DTdcWindowIndex) {
          canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
          canvas.MoveTo(p.X, plane.Base);
          canvas.LineTo(p.X, p.Y);
          canvas.SetPen(colour, 1, PenStyle::Solid);
        }
      }
      tdcPoints[k] = plane.At(fineX(View3DTdcWindowIndex), smooth[TdcSample], dx, dy);
      peakPoints[k] =
          plane.At((peak - View3DElementBeforeWindow) * hs / 4, smooth[peak + 1], dx, dy);
    } else {
      for (int i = 1; i <= CoarseSamples; ++i) {
        const Point p = plane.At(coarseX(i), smooth[i], dx, dy);
        if (i == 1) {
          canvas.MoveTo(p.X, p.Y);
        } else {
          canvas.LineTo(p.X, p.Y);
        }
      }
    }
    canvas.SetFontColor(colour);
    canvas.TextOut(width - 50, (k - 1) * 15 + 5,
                   Tr(View3DLegendText, language) + std::to_string(k));
  }
  canvas.SetFontColor(Colors::Black);
  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);

  if (fine && n > 1) {
    for (const PerCylinder<Point>* line : {&tdcPoints, &peakPoints}) {
      canvas.MoveTo((*line)[1].X, (*line)[1].Y);
      for (int k = 2; k <= n; ++k) canvas.LineTo((*line)[k].X, (*line)[k].Y);
    }
  }
  DrawMakerCaption(canvas);
}

}  // namespace zephirax
