#pragma once

// The arithmetic behind the text printouts: a page is laid out in a physical
// unit measured from the top-left margin corner, and these routines turn that
// unit into printer pixels for whatever resolution the printer reports. All
// conversions are integer, truncating toward zero, as the printer takes them.

namespace zephirax {

// The logical unit of a printout: a printer pixel, 1/1000 inch, 1/10 mm or
// 1/100 mm.
enum TScaling { pscDot, pscMil, pscMetric10, pscMetric100 };

// 1 for pscDot (a pixel per "inch" unit: no conversion), 1000, 254, 2540.
int UnitsPerInch(TScaling scaling);

// pixels = units x ppi / units per inch, and back; the identity for pscDot.
int UnitsToPixels(int units, int ppi, TScaling scaling);
int PixelsToUnits(int pixels, int ppi, TScaling scaling);

struct PrintMargins {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const PrintMargins&) const = default;
};

// The margins in the unit of `to` that lie where `margins` in the unit of
// `from` lie on the paper: through pixels, left and right at ppiX, top and
// bottom at ppiY.
PrintMargins RescaleMargins(const PrintMargins& margins, TScaling from, TScaling to, int ppiX,
                            int ppiY);

// What the printer reports at the start of a job, in device pixels. The
// resolution reads 300 until a job has started.
struct DeviceCaps {
  int PpiX = 300;
  int PpiY = 300;
  int PhysicalWidth = 0;  // the paper
  int PhysicalHeight = 0;
  int PrintableWidth = 0;  // the area the printer can reach
  int PrintableHeight = 0;
  int OffsetX = 0;  // of that area from the paper's corner
  int OffsetY = 0;
};

// The page of a job: its size inside the margins and the mapping from
// logical units to device pixels (device = origin + logical x viewport
// extent / window extent, the device's origin at the corner of the printable
// area). Logical (0, 0) is the top-left margin corner measured from the
// paper's edge.
struct PageSetup {
  int Width = 0;  // inside the margins, in logical units
  int Height = 0;
  int WindowExtX = 1;
  int WindowExtY = 1;
  int ViewportExtX = 1;
  int ViewportExtY = 1;
  int ViewportOrgX = 0;
  int ViewportOrgY = 0;
  bool Isotropic = false;  // pscDot keeps one pixel per unit on either axis
  bool operator==(const PageSetup&) const = default;
};

PageSetup SetUpPage(const DeviceCaps& caps, TScaling scaling, const PrintMargins& margins);

// Device pixels per logical unit along x and y. A unit has one physical size
// in both directions (isotropic), also on a printer whose two resolutions
// differ.
struct PageScale {
  double X = 1;
  double Y = 1;
};
PageScale MappingScale(const PageSetup& page, const DeviceCaps& caps);

// The height in logical units of a font of `points` on a printer of `ppiY`,
// so that it prints at its physical size under any scaling: |points| x units
// per inch / 72, rounded once at the end (pixels at ppiY for pscDot).
int FontHeightUnderMapping(int points, TScaling scaling, int ppiY);

// An angle in tenths of a degree as the printout keeps it: 0..3599, a negative
// angle turning the same way as its positive counterpart (-900 is 2700).
int NormalizeAngle10(int angle10);

}  // namespace zephirax
