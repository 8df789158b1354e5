#include "analysis/PAlphaViews.h"

#include <array>
#include <string>

#include "analysis/PAlphaPlot.h"
#include "measurement/ReferenceReader.h"
#include "platform/LangText.h"

namespace zephirax {

namespace {

constexpr std::array<Color, MaxCylinders + 1> CylinderColors{
    Colors::Black,  Colors::Green,   Colors::Red,   Colors::Silver, Colors::Olive,  Colors::Blue,
    Colors::Black,  Colors::Fuchsia, Colors::Lime,  Colors::Maroon, Colors::Silver, Colors::Olive,
    Colors::Purple, Colors::Gray,    Colors::Aqua,  Colors::Navy,   Colors::Teal,   Colors::Gray,
    Colors::Green,  Colors::Red,     Colors::Silver};

constexpr LangText LegendPrefix{"Cyl ", "Cyl ", "Cyl ", "Cil "};

}  // namespace

Color CylinderColor(int cylinder) {
  if (cylinder < 1 || cylinder > MaxCylinders) return Colors::Black;
  return CylinderColors[static_cast<size_t>(cylinder)];
}

void ShowPAlphaSingle(const ViewContext& state, Canvas& canvas) {
  state.View.CurrentView = ViewPAlphaSingle;
  DrawPAlphaFrame(state, canvas, PAlphaAxisMax(state.Measurement, state.Config.PressureUnit));
  DrawPAlphaCurve(state, canvas, state.View.CurrentCylinder, Colors::Green);
}

void ShowPAlphaAll(const ViewContext& state, Canvas& canvas) {
  state.View.CurrentView = ViewPAlphaAll;
  DrawPAlphaFrame(state, canvas, PAlphaAxisMax(state.Measurement, state.Config.PressureUnit));
  const int count = std::min<int>(state.Measurement.CylCount, MaxCylinders);
  for (int cylinder = 1; cylinder <= count; ++cylinder) {
    const Color color = CylinderColor(cylinder);
    DrawPAlphaCurve(state, canvas, cylinder, color);
    canvas.SetFontColor(color);
    canvas.TextOut(canvas.Width() - 100, (cylinder - 1) * 16 + 5,
                   Tr(LegendPrefix, state.Config.Language) + std::to_string(cylinder));
  }
  canvas.SetFontColor(Colors::Black);
}

void ShowPAlphaRef(const ViewContext& state, Canvas& canvas) {
  state.View.CurrentView = ViewPAlphaRef;
  DrawPAlphaFrame(state, canvas, PAlphaAxisMax(state.Measurement, state.Config.PressureUnit));
  DrawPAlphaCurve(state, canvas, state.View.CurrentCylinder, Colors::Green);
}

}  // namespace zephirax
