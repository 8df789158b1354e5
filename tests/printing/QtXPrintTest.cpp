#include "printing/QtXPrint.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QPrinter>

#include "printing/QtPrintTarget.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

// A printed page as pdftoppm renders it in grey at 10 pixels per mm.
struct Raster {
  int Width = 0;
  int Height = 0;
  std::string Pixels;

  bool Dark(int x, int y) const {
    return static_cast<unsigned char>(Pixels[static_cast<size_t>(y) * Width + x]) < 128;
  }
  int DarkIn(int x1, int y1, int x2, int y2) const {
    int count = 0;
    for (int y = y1; y < y2; ++y) {
      for (int x = x1; x < x2; ++x) count += Dark(x, y);
    }
    return count;
  }
};

Raster Render(const std::string& pdf, const std::string& prefix) {
  test::ChildProcess render(
      {"/usr/bin/pdftoppm", "-r", "254", "-gray", "-singlefile", pdf, prefix});
  render.Output();
  Raster raster;
  if (render.Wait() != 0) return raster;
  const std::string bytes = test::ReadBytes(prefix + ".pgm");
  // "P5\nW H\n255\n" and the pixels.
  size_t at = 3;
  size_t end = bytes.find('\n', at);
  if (std::sscanf(bytes.substr(at, end - at).c_str(), "%d %d", &raster.Width, &raster.Height) != 2)
    return {};
  at = bytes.find('\n', end + 1) + 1;
  raster.Pixels = bytes.substr(at);
  if (raster.Pixels.size() != static_cast<size_t>(raster.Width) * raster.Height) return {};
  return raster;
}

TEST(QtXPrint, WithoutAPrinterNothingPrintsAndNothingFails) {
  TXPrint xp;
  xp.SetScaling(pscMetric100);
  xp.Margins = {1000, 1000, 1000, 1000};
  // 10 mm is 118 pixels at the default 300 per inch, which is 393 mil.
  xp.SetScaling(pscMil);
  EXPECT_EQ(xp.Margins, (PrintMargins{393, 393, 393, 393}));
  xp.SetAngle10(3700);
  EXPECT_EQ(xp.Angle10(), 100);
  EXPECT_FALSE(xp.BeginJob());
  EXPECT_FALSE(xp.Printing());
  EXPECT_FALSE(xp.Aborted());
  EXPECT_EQ(xp.Canvas(), nullptr);
  xp.TextOut(0, 0, "nothing");
  xp.SetFontSize(20);
  EXPECT_EQ(xp.TextWidth("nothing"), 0);
  EXPECT_FALSE(xp.EndJob());
}

// Logical (0, 0) is the margin corner measured from the paper's edge and a
// unit is 1/100 mm, whatever margins the printer keeps; a turned text runs
// upwards from its corner.
TEST(QtXPrint, UnitsLandOnThePaperWhereTheySay) {
  test::TempDir dir;
  const std::string pdf = dir.File("page.pdf");
  auto target = PdfDocument(QString::fromStdString(pdf));
  QPrinter& printer = target->Printer();
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(7, 5, 7, 5), QPageLayout::Millimeter);
  printer.setPageOrientation(QPageLayout::Landscape);

  TXPrint xp(target.get());
  xp.SetScaling(pscMetric100);
  xp.Margins = {1000, 2000, 1000, 2000};
  xp.Title = "mapping";
  xp.Font = QFont("Arial");
  xp.Font.setPointSize(12);
  ASSERT_TRUE(xp.BeginJob());
  EXPECT_TRUE(xp.Printing());
  // Portrait: 210 mm less two margins, 297 mm less 20 and 20 (Qt's A4 is
  // 595 x 842 points, a tenth of a millimetre off either way).
  EXPECT_NEAR(xp.PageWidth(), 19000, 15);
  EXPECT_NEAR(xp.PageHeight(), 25700, 15);
  QPainter& painter = *xp.Canvas();
  painter.fillRect(0, 0, 1000, 1000, Qt::black);
  painter.fillRect(xp.PageWidth() - 1000, xp.PageHeight() - 1000, 1000, 1000, Qt::black);
  // 12 pt is 4.2 mm high.
  EXPECT_NEAR(painter.fontMetrics().height(), 480, 60);
  xp.SetAngle10(900);
  xp.TextOut(10000, 15000, "MMMMMMMMMM");
  ASSERT_TRUE(xp.EndJob());
  EXPECT_FALSE(xp.Printing());
  ASSERT_TRUE(target->Finish()) << target->Failure().toStdString();

  const Raster page = Render(pdf, dir.File("page"));
  ASSERT_NEAR(page.Width, 2100, 1);  // portrait
  ASSERT_NEAR(page.Height, 2970, 1);
  // The first square from 10 mm, 20 mm; the second ending 10 mm, 20 mm
  // before the far edges.
  EXPECT_TRUE(page.Dark(105, 205) && page.Dark(195, 295));
  EXPECT_FALSE(page.Dark(95, 250) || page.Dark(150, 195) || page.Dark(205, 250));
  EXPECT_TRUE(page.Dark(1905, 2675) && page.Dark(1995, 2765));
  EXPECT_FALSE(page.Dark(2005, 2700) || page.Dark(1950, 2775));
  // The turned text: a column of about 35 mm rising from (110 mm, 170 mm),
  // its cell to the right of that line; nothing beside or below it.
  EXPECT_GT(page.DarkIn(1100, 1400, 1150, 1700), 1000);
  EXPECT_EQ(page.DarkIn(1000, 1200, 1095, 1800), 0);
  EXPECT_EQ(page.DarkIn(1160, 1200, 1400, 1800), 0);
  EXPECT_EQ(page.DarkIn(1000, 1705, 1400, 1900), 0);
}

}  // namespace
}  // namespace zephirax
