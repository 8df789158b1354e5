#include "printing/PrintMapping.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>

namespace zephirax {

namespace {

// The extents the mapping is given must fit 16 bits on the way to the device.
constexpr int MaxExtent = 32767;
// The window extent is a whole multiple of this many pixels per inch.
constexpr int ExtentBase = 7200;

int Clamped(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// A resolution the printer did not report (zero or less) is taken as the
// default until the job reads the real one.
int UsablePpi(int ppi) {
  return ppi > 0 ? ppi : 300;
}

// The window and viewport extents of one axis: units per inch against pixels
// per inch. 7200 is a multiple of the usual resolutions, so the pair is
// (7200 div ppi) x upi against 7200; for any other resolution the exact ratio
// is used rather than one off by the remainder of the division.
void AxisExtents(int ppi, int upi, int& window, int& viewport) {
  if (ExtentBase % ppi == 0) {
    window = (ExtentBase / ppi) * upi;
    viewport = ExtentBase;
  } else {
    const int common = std::gcd(ppi, upi);
    window = upi / common;
    viewport = ppi / common;
  }
  while (window > MaxExtent || viewport > MaxExtent) {
    window = std::max(window / 2, 1);
    viewport = std::max(viewport / 2, 1);
  }
}

}  // namespace

int UnitsPerInch(TScaling scaling) {
  switch (scaling) {
    case pscMil:
      return 1000;
    case pscMetric10:
      return 254;
    case pscMetric100:
      return 2540;
    case pscDot:
      break;
  }
  return 1;
}

int UnitsToPixels(int units, int ppi, TScaling scaling) {
  if (scaling == pscDot) return units;
  return Clamped(int64_t{units} * UsablePpi(ppi) / UnitsPerInch(scaling));
}

int PixelsToUnits(int pixels, int ppi, TScaling scaling) {
  if (scaling == pscDot) return pixels;
  return Clamped(int64_t{pixels} * UnitsPerInch(scaling) / UsablePpi(ppi));
}

PrintMargins RescaleMargins(const PrintMargins& margins, TScaling from, TScaling to, int ppiX,
                            int ppiY) {
  const auto x = [&](int units) {
    return PixelsToUnits(UnitsToPixels(units, ppiX, from), ppiX, to);
  };
  const auto y = [&](int units) {
    return PixelsToUnits(UnitsToPixels(units, ppiY, from), ppiY, to);
  };
  return {x(margins.Left), y(margins.Top), x(margins.Right), y(margins.Bottom)};
}

PageSetup SetUpPage(const DeviceCaps& caps, TScaling scaling, const PrintMargins& margins) {
  const int ppiX = UsablePpi(caps.PpiX);
  const int ppiY = UsablePpi(caps.PpiY);
  const int left = UnitsToPixels(margins.Left, ppiX, scaling);
  const int top = UnitsToPixels(margins.Top, ppiY, scaling);
  const int right = UnitsToPixels(margins.Right, ppiX, scaling);
  const int bottom = UnitsToPixels(margins.Bottom, ppiY, scaling);
  const int64_t inner = int64_t{caps.PhysicalWidth} - left - right - 1;
  const int64_t innerHeight = int64_t{caps.PhysicalHeight} - top - bottom - 1;

  PageSetup page;
  page.ViewportOrgX = Clamped(int64_t{left} - caps.OffsetX);
  page.ViewportOrgY = Clamped(int64_t{top} - caps.OffsetY);
  if (scaling == pscDot) {
    page.Width = Clamped(inner);
    page.Height = Clamped(innerHeight);
    return page;
  }
  const int upi = UnitsPerInch(scaling);
  page.Width = Clamped(upi * inner / ppiX);
  page.Height = Clamped(upi * innerHeight / ppiY);
  AxisExtents(ppiX, upi, page.WindowExtX, page.ViewportExtX);
  AxisExtents(ppiY, upi, page.WindowExtY, page.ViewportExtY);
  page.Isotropic = true;
  return page;
}

PageScale MappingScale(const PageSetup& page, const DeviceCaps& caps) {
  const double x = static_cast<double>(page.ViewportExtX) / page.WindowExtX;
  const double y = static_cast<double>(page.ViewportExtY) / page.WindowExtY;
  if (!page.Isotropic) return {x, y};
  // One unit is as long across as down: the smaller of the two physical
  // sizes wins, as the device would adjust an isotropic mapping.
  const int ppiX = UsablePpi(caps.PpiX);
  const int ppiY = UsablePpi(caps.PpiY);
  const double inches = std::min(x / ppiX, y / ppiY);
  return {inches * ppiX, inches * ppiY};
}

int FontHeightUnderMapping(int points, TScaling scaling, int ppiY) {
  const int64_t perInch = scaling == pscDot ? UsablePpi(ppiY) : UnitsPerInch(scaling);
  return Clamped((std::llabs(int64_t{points}) * perInch + 36) / 72);
}

int NormalizeAngle10(int angle10) {
  return (angle10 % 3600 + 3600) % 3600;
}

}  // namespace zephirax
