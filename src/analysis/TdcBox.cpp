#include "analysis/TdcBox.h"

#include <string>

#include "analysis/PAlphaBoxes.h"
#include "measurement/NumberText.h"
#include "measurement/Units.h"
#include "platform/NumberFormat.h"

namespace zephirax {

namespace {

// Fixed-point in the user's regional format, without digit grouping. The
// figures shown here stay far below the field's significant digits (shifts
// of a few degrees), so no exponent form is needed.
std::string FixedText(double value, const NumberFormat& regional) {
  return FormatRegionalNumber(value, 1, NumberFormat{regional.DecimalSeparator, ""});
}

}  // namespace

void DrawTdcBox(const ViewContext& state, Canvas& canvas) {
  const int cylinder = state.View.RefCylinder;
  if (cylinder < 1 || cylinder > MaxCylinders) return;
  const MeasurementData& data = state.Measurement;
  const Settings& config = state.Config;
  const int right = state.Drawing.PlotRight;
  const int x = right - 100;

  canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
  canvas.SetBrush(Colors::White);
  canvas.Rectangle(right - 110, 55, right - 10, 200);
  canvas.MoveTo(right - 110, 120);
  canvas.LineTo(right - 10, 120);
  canvas.MoveTo(right - 110, 150);
  canvas.LineTo(right - 10, 150);

  canvas.SetFont("Arial", 14, true);
  canvas.SetFontColor(Colors::Black);
  canvas.TextOut(x, 60, "RefCyl: " + std::to_string(cylinder));
  canvas.TextOut(
      x, 80,
      "MIP : " + PressureText(state.Reference.RefCylMip[cylinder], config.PressureUnit, MipFormat) +
          "  " + PressureUnitName(config.PressureUnit));
  const int32_t pind = data.CylPind[cylinder];
  const std::string power =
      config.PowerUnit == UnitHp ? FormatFixed(pind * HpPerKWViews, 4, 0) : FormatInt(pind, 4);
  canvas.TextOut(x, 100, "Pind: " + power + "  " + PowerUnitName(config.PowerUnit));
  canvas.TextOut(x, 130, "shift : " + FixedText(data.TdcShift[cylinder], state.Regional));
  canvas.SetFontColor(Colors::Red);
  canvas.TextOut(x, 160, "Dev from TDC :");
  canvas.SetFontColor(Colors::Black);
  canvas.TextOut(right - 80, 180, FixedText(state.Drawing.DevFromTdc / 4, state.Regional));
}

}  // namespace zephirax
