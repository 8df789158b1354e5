#pragma once

#include <cstdint>
#include <string>

// What the analysis shows and how: the view, the cylinders, the cursor and the
// toggles of the analysis buttons. The main window's handlers change it, the
// view routines read it (and clamp the cursor when they draw zoomed).

namespace zephirax {

// Codes of CurrentView.
enum ViewCode : int32_t {
  ViewPAlphaSingle = 0,
  ViewPAlphaAll = 1,
  ViewPVSingle = 2,
  ViewPVAll = 3,
  ViewPmaxSingle = 4,
  ViewPmaxMean = 5,
  ViewPmaxDeviation = 6,
  ViewMipAll = 7,
  ViewMipDeviation = 8,
  ViewPindAll = 9,
  ViewPindDeviation = 10,
  ViewEngineTable = 11,
  ViewRpmAll = 12,
  ViewPmaxAllStrokes = 13,
  ViewPAlphaRef = 14,
  ViewTdcAuto = 15,
  ViewPAlpha3D = 16,
  ViewTexhAll = 17,
  ViewTexhDeviation = 18,
  ViewTdcManual = 19,
  ViewEngineTable2 = 20,
};

inline constexpr int32_t StartCursorPos = 680;

// The views of the TDC correction mode.
inline bool IsTdcView(int32_t view) {
  return view == ViewTdcAuto || view == ViewTdcManual;
}

// The TDC correction mode (views 15 and 19): the marker of view 15 and what
// the shifts have done so far.
struct TdcModeState {
  int32_t MarkerOffset = -5;       // quarter degrees from TDC, -200..1040
  int32_t MarkerSlope = 0;         // direction of the marker line, -120..120
  float RefShift = 0;              // total shift of the reference cylinder in this mode [deg]
  double CompressionMismatch = 0;  // of the last shifted cylinder against the reference
};

struct ViewState {
  bool AnalysisActive = false;
  int32_t CurrentView = ViewPAlphaAll;
  int32_t CurrentCylinder = 1;
  int32_t RefCylinder = 1;
  int32_t CursorPos = StartCursorPos;  // index on the 1440-sample grid, counted from 0
  bool CursorOn = true;
  bool ZoomOn = false;
  bool DpDaOn = false;
  bool FuelOn = false;
  bool AclOn = false;
  bool FilterOn = false;
  bool RefFilterOn = false;
  TdcModeState Tdc;
  std::string PendingFileName;
};

}  // namespace zephirax
