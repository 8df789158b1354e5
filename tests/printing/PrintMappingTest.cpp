#include "printing/PrintMapping.h"

#include <gtest/gtest.h>

namespace zephirax {
namespace {

TEST(PrintMapping, UnitsAndPixels) {
  const struct {
    TScaling Scaling;
    int Units;
    int Ppi;
    int Pixels;     // units x ppi / units per inch, truncated
    int UnitsBack;  // pixels x units per inch / ppi, truncated
  } cases[] = {
      {pscDot, 1234, 600, 1234, 1234},
      {pscMil, 1000, 300, 300, 1000},
      {pscMil, 1001, 300, 300, 1000},
      {pscMetric10, 254, 600, 600, 254},
      {pscMetric100, 1000, 300, 118, 999},
      {pscMetric100, 1000, 600, 236, 999},
      {pscMetric100, -1000, 600, -236, -999},
      {pscMetric100, 29700, 1200, 14031, 29698},
      // Far beyond any page: no overflow on the way.
      {pscMetric100, 2'000'000'000, 4800, 2'147'483'647, 1'136'376'763},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "scaling " << c.Scaling << ", " << c.Units << " units");
    EXPECT_EQ(UnitsToPixels(c.Units, c.Ppi, c.Scaling), c.Pixels);
    EXPECT_EQ(PixelsToUnits(c.Pixels, c.Ppi, c.Scaling), c.UnitsBack);
  }
  // An unreported resolution is the default one, not a division by zero.
  EXPECT_EQ(UnitsToPixels(1000, 0, pscMil), 300);
  EXPECT_EQ(PixelsToUnits(300, -5, pscMil), 1000);
}

// A change of unit keeps the margins where they are on the paper, as far as
// whole pixels and units allow.
TEST(PrintMapping, MarginsKeepTheirPlaceOnAChangeOfUnit) {
  const struct {
    PrintMargins Margins;
    TScaling From, To;
    int PpiX, PpiY;
    PrintMargins Expected;
  } cases[] = {
      // 10 mm: 118 pixels at 300 per inch, which is 393 mil.
      {{1000, 1000, 1000, 1000}, pscMetric100, pscMil, 300, 300, {393, 393, 393, 393}},
      {{393, 0, 0, 0}, pscMil, pscMetric100, 300, 300, {990, 0, 0, 0}},
      {{1000, 2000, 0, 500}, pscMetric100, pscDot, 600, 300, {236, 236, 0, 59}},
      {{236, 118, 0, 0}, pscDot, pscMetric10, 600, 300, {99, 99, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RescaleMargins(c.Margins, c.From, c.To, c.PpiX, c.PpiY), c.Expected);
  }
}

DeviceCaps A4(int ppiX, int ppiY) {
  DeviceCaps caps;
  caps.PpiX = ppiX;
  caps.PpiY = ppiY;
  caps.PhysicalWidth = 210 * ppiX * 10 / 254;
  caps.PhysicalHeight = 297 * ppiY * 10 / 254;
  caps.OffsetX = ppiX / 6;  // a printer that cannot reach the outer 4 mm
  caps.OffsetY = ppiY / 6;
  caps.PrintableWidth = caps.PhysicalWidth - 2 * caps.OffsetX;
  caps.PrintableHeight = caps.PhysicalHeight - 2 * caps.OffsetY;
  return caps;
}

TEST(PrintMapping, PageSetUpAtTheStartOfAJob) {
  const PrintMargins tenMm{1000, 1000, 1000, 1000};
  const struct {
    const char* Name;
    DeviceCaps Caps;
    TScaling Scaling;
    PrintMargins Margins;
    PageSetup Expected;
  } cases[] = {
      // 4960 x 7015 pixels; margins of 236; (7200 div 600) x 2540 fits 16 bits.
      {"A4 600 dpi, 1/100 mm",
       A4(600, 600),
       pscMetric100,
       tenMm,
       {18994, 27694, 30480, 30480, 7200, 7200, 136, 136, true}},
      // 60960 is halved once, with its viewport extent.
      {"A4 300 dpi, 1/100 mm",
       A4(300, 300),
       pscMetric100,
       tenMm,
       {18990, 27686, 30480, 30480, 3600, 3600, 68, 68, true}},
      // 254000 is halved three times.
      {"72 dpi, 1/100 mm",
       A4(72, 72),
       pscMetric100,
       tenMm,
       {18979, 27657, 31750, 31750, 900, 900, 16, 16, true}},
      {"1200 by 600 dpi, mil",
       A4(1200, 600),
       pscMil,
       {500, 250, 500, 250},
       {7266, 11190, 6000, 12000, 7200, 7200, 400, 50, true}},
      // A resolution that does not divide 7200 is mapped by its exact ratio
      // (7200 div 1000 would make every unit 3 % too long).
      {"1000 dpi, 1/10 mm",
       A4(1000, 1000),
       pscMetric10,
       {100, 100, 100, 100},
       {1899, 2769, 127, 127, 500, 500, 227, 227, true}},
      // Printer pixels: the margins are pixels too, the mapping one to one.
      {"A4 600 dpi, pixels",
       A4(600, 600),
       pscDot,
       {100, 200, 100, 200},
       {4759, 6614, 1, 1, 1, 1, 0, 100, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const PageSetup page = SetUpPage(c.Caps, c.Scaling, c.Margins);
    EXPECT_EQ(page.Width, c.Expected.Width);
    EXPECT_EQ(page.Height, c.Expected.Height);
    EXPECT_EQ(page, c.Expected) << "extents " << page.WindowExtX << "/" << page.ViewportExtX << ", "
                                << page.WindowExtY << "/" << page.ViewportExtY << ", origin "
                                << page.ViewportOrgX << ", " << page.ViewportOrgY;
  }
}

// A logical unit lands on the pixels it stands for, on either axis, also
// where the two resolutions differ.
TEST(PrintMapping, MappingScaleIsOneUnitsPhysicalSize) {
  const struct {
    DeviceCaps Caps;
    TScaling Scaling;
    double X, Y;
  } cases[] = {
      {A4(300, 300), pscMetric100, 300 / 2540.0, 300 / 2540.0},
      {A4(1200, 600), pscMil, 1.2, 0.6},
      {A4(600, 300), pscDot, 1, 1},
  };
  for (const auto& c : cases) {
    const PageScale scale = MappingScale(SetUpPage(c.Caps, c.Scaling, {}), c.Caps);
    EXPECT_NEAR(scale.X, c.X, 1e-9);
    EXPECT_NEAR(scale.Y, c.Y, 1e-9);
  }
}

// 12 pt is 4.23 mm whatever the unit and the resolution.
TEST(PrintMapping, FontKeepsItsPhysicalSize) {
  const struct {
    int Points;
    TScaling Scaling;
    int PpiY;
    int Height;
  } cases[] = {
      {12, pscMetric100, 600, 423}, {12, pscMetric100, 1200, 423}, {12, pscMetric10, 1200, 42},
      {12, pscMil, 300, 167},       {-12, pscMil, 300, 167},       {12, pscDot, 600, 100},
      {12, pscDot, 1200, 200},      {10, pscDot, 300, 42},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FontHeightUnderMapping(c.Points, c.Scaling, c.PpiY), c.Height)
        << c.Points << " pt, scaling " << c.Scaling << ", " << c.PpiY << " dpi";
  }
}

TEST(PrintMapping, AngleIsKeptWithinOneTurn) {
  const struct {
    int In, Kept;
  } cases[] = {{0, 0},     {900, 900},   {3599, 3599}, {3600, 0},    {3700, 100},
               {7250, 50}, {-900, 2700}, {-3600, 0},   {-3700, 3500}};
  for (const auto& c : cases) EXPECT_EQ(NormalizeAngle10(c.In), c.Kept) << c.In;
}

}  // namespace
}  // namespace zephirax
