#include "printing/QtPageCanvas.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "platform/QtCanvas.h"
#include "printing/QtReportPage.h"

namespace zephirax {
namespace {

// A little of everything the views draw.
void Draw(Canvas& canvas) {
  canvas.SetSize(120, 80);
  canvas.SetBrush(Colors::Silver);
  canvas.SetPen(Colors::Blue, 1, PenStyle::Solid);
  canvas.Rectangle(10, 10, 50, 40);
  canvas.SetBrush(Colors::Yellow);
  canvas.FillRect(60, 10, 70, 60);
  canvas.SetPen(Colors::Red, 1, PenStyle::Solid);
  canvas.MoveTo(5, 70);
  canvas.LineTo(115, 70);
  canvas.LineTo(115, 5);
  canvas.SetPen(Colors::Green, 1, PenStyle::Dot);
  canvas.MoveTo(5, 75);
  canvas.LineTo(60, 75);
  canvas.SetPen(Colors::Black, 3, PenStyle::Solid);
  canvas.MoveTo(80, 20);
  canvas.LineTo(100, 20);
  canvas.SetFont("Arial", 14, true);
  canvas.SetFontColor(Colors::Navy);
  canvas.TextOut(12, 44, "pmax 141");
}

// The drawing stretched `scale` times onto a page of its own.
QImage OnPage(int scale) {
  QImage page(120 * scale, 80 * scale, QImage::Format_RGB32);
  QPainter painter(&page);
  {
    QtPageCanvas canvas(painter, QRectF(0, 0, page.width(), page.height()), 1, 1);
    Draw(canvas);
  }
  painter.end();
  return page;
}

QImage Picture() {
  QtCanvas picture;
  Draw(picture);
  return picture.Image().convertToFormat(QImage::Format_RGB32);
}

// The pixels that differ, leaving out `skip`.
int Differing(const QImage& a, const QImage& b, const QRect& skip = {}) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (!skip.contains(x, y)) count += a.pixel(x, y) != b.pixel(x, y);
    }
  }
  return count;
}

TEST(PageCanvas, ScaledItKeepsTheShareOfEveryLine) {
  const QImage stretched =
      Picture().scaled(360, 240, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  const QImage page = OnPage(3);
  // A line one pixel wide is three wide, where the stretched picture has it.
  for (int y = 207; y <= 215; ++y) {
    EXPECT_EQ(page.pixel(100, y), stretched.pixel(100, y)) << y;
  }
  EXPECT_EQ(page.pixel(100, 211), QColor(Qt::red).rgb());
  // Outside the text the page is the stretched picture.
  const QRect text(3 * 10, 3 * 42, 3 * 70, 3 * 20);
  EXPECT_LT(Differing(page, stretched, text), 20);
}

TEST(PageCanvas, NothingIsDrawnBeyondThePicture) {
  QImage page(200, 200, QImage::Format_RGB32);
  page.fill(Qt::magenta);
  QPainter painter(&page);
  {
    QtPageCanvas canvas(painter, QRectF(50, 50, 100, 100), 10, 10);
    canvas.SetPen(Colors::Black, 1, PenStyle::Solid);
    canvas.MoveTo(-10, -10);
    canvas.LineTo(30, 30);
  }
  painter.end();
  EXPECT_EQ(page.pixel(100, 100), QColor(Qt::black).rgb());
  for (const QPoint outside : {QPoint(40, 40), QPoint(160, 160), QPoint(10, 10)}) {
    EXPECT_EQ(page.pixel(outside), QColor(Qt::magenta).rgb()) << outside.x();
  }
}

TEST(ReportPage, TheWindowFitsThePage) {
  const struct {
    QSize Page, Window;
    QRect Place;
  } cases[] = {
      {{1000, 1400}, {1024, 700}, {0, 0, 1000, 683}},   // portrait: the page's width
      {{1400, 1000}, {1000, 800}, {0, 0, 1250, 1000}},  // landscape: the page's height
      {{1400, 1000}, {1024, 700}, {0, 0, 1400, 957}},   // too wide for the height
      {{1000, 1400}, {700, 1400}, {0, 0, 700, 1400}},   // too tall for the width
  };
  for (const auto& c : cases) EXPECT_EQ(HardcopyPlace(c.Page, c.Window), c.Place);
}

}  // namespace
}  // namespace zephirax
