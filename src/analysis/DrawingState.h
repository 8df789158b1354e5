#pragma once

// The plot geometry of the current view. The frame routine recomputes it from
// the picture size on every draw; the curve routines and value boxes use it.

namespace zephirax {

struct DrawingState {
  // The size of the picture control; every frame sizes the picture to it.
  int ControlWidth = 800;
  int ControlHeight = 600;
  int PlotLeft = 30;
  int PlotTop = 50;
  int PlotRight = 0;
  int PlotBase = 0;     // the zero-pressure line
  int PlotCentreX = 0;  // the TDC line
  double PixPerDeg = 0;
  double PixPerPressure = 0;  // per bar for bar and MPa, per psi for psi
  double PixPerExtra = 0;     // per bar of the fuel scale
  float AxisMax = 0;          // the pressure-axis maximum the frame was drawn for
  float ExtraAxisMax = 500;   // the fuel-scale maximum [bar] it was drawn for
  float DevFromTdc = 0;       // view 15: the marker's TDC against the TDC line [quarter deg]
};

}  // namespace zephirax
