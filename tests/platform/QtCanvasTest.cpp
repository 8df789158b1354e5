#include "platform/QtCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace zephirax {
namespace {

constexpr QRgb White = 0xFFFFFFFF;

QRgb Rgb(Color color) {
  return 0xFF000000u | color;
}

TEST(QtCanvasTest, LineCoversExactlyItsPixels) {
  QtCanvas canvas;
  canvas.SetSize(40, 20);
  canvas.SetPen(Colors::Red, 1, PenStyle::Solid);
  canvas.MoveTo(5, 10);
  canvas.LineTo(30, 10);
  const QImage& image = canvas.Image();
  EXPECT_EQ(image.size(), QSize(40, 20));
  for (int x = 5; x < 30; ++x) EXPECT_EQ(image.pixel(x, 10), Rgb(Colors::Red)) << x;
  EXPECT_EQ(image.pixel(4, 10), White);
  EXPECT_EQ(image.pixel(31, 10), White);
  EXPECT_EQ(image.pixel(15, 9), White);
  EXPECT_EQ(image.pixel(15, 11), White);
}

TEST(QtCanvasTest, RectangleKeepsItsRightAndBottomEdgesOutside) {
  QtCanvas canvas;
  canvas.SetSize(30, 30);
  canvas.SetPen(Colors::Blue, 1, PenStyle::Solid);
  canvas.SetBrush(Colors::Yellow);
  canvas.Rectangle(5, 5, 15, 12);
  canvas.SetBrush(Colors::Green);
  canvas.FillRect(20, 20, 25, 22);
  const QImage& image = canvas.Image();
  for (int x = 5; x <= 14; ++x) {
    EXPECT_EQ(image.pixel(x, 5), Rgb(Colors::Blue)) << x;
    EXPECT_EQ(image.pixel(x, 11), Rgb(Colors::Blue)) << x;
  }
  for (int y = 5; y <= 11; ++y) {
    EXPECT_EQ(image.pixel(5, y), Rgb(Colors::Blue)) << y;
    EXPECT_EQ(image.pixel(14, y), Rgb(Colors::Blue)) << y;
  }
  EXPECT_EQ(image.pixel(10, 8), Rgb(Colors::Yellow));
  EXPECT_EQ(image.pixel(15, 8), White);
  EXPECT_EQ(image.pixel(10, 12), White);
  EXPECT_EQ(image.pixel(20, 20), Rgb(Colors::Green));
  EXPECT_EQ(image.pixel(24, 21), Rgb(Colors::Green));
  EXPECT_EQ(image.pixel(25, 21), White);
  EXPECT_EQ(image.pixel(24, 22), White);

  // Corners in either order give the same rectangle: a bar drawn from its
  // base line upwards must not vanish.
  QtCanvas reversed;
  reversed.SetSize(30, 30);
  reversed.SetPen(Colors::Blue, 1, PenStyle::Solid);
  reversed.SetBrush(Colors::Yellow);
  reversed.Rectangle(15, 12, 5, 5);
  reversed.SetBrush(Colors::Green);
  reversed.FillRect(25, 22, 20, 20);
  EXPECT_EQ(reversed.Image(), image);

  // Outline and fill of one colour: a solid block of exactly the same pixels.
  reversed.SetPen(Colors::Lime, 1, PenStyle::Solid);
  reversed.SetBrush(Colors::Lime);
  reversed.Rectangle(1, 1, 3, 4);
  EXPECT_EQ(reversed.Image().copy(0, 0, 4, 5), [] {
    QImage block(4, 5, QImage::Format_RGB32);
    block.fill(White);
    for (int y = 1; y <= 3; ++y)
      for (int x = 1; x <= 2; ++x) block.setPixel(x, y, Rgb(Colors::Lime));
    return block;
  }());
}

// A view's font height is that of the text cell, ascent plus descent: its
// rows of text are spaced by it, so a font that is taller runs into the next
// row. The painted glyphs, descenders included, stay in the rows asked for;
// rounded up by the rasterizer, an accent on a capital may reach one row
// above them, as it does in the font's own cell.
TEST(QtCanvasTest, TextFillsACellOfTheRequestedHeight) {
  const std::string text = "ÄgjÉ";
  for (const bool bold : {false, true}) {
    for (const int height : {8, 10, 12, 14, 16, 20, 24, 30}) {
      SCOPED_TRACE(::testing::Message() << "height " << height << (bold ? " bold" : ""));
      QtCanvas canvas;
      canvas.SetSize(200, 60);
      canvas.SetFont("Arial", height, bold);
      canvas.SetFontColor(Colors::Black);
      const int cell = canvas.TextHeight(text);
      const int width = canvas.TextWidth(text);
      EXPECT_LE(cell, height);
      EXPECT_GE(cell, height - 1);
      canvas.TextOut(20, 10, text);
      const QImage& image = canvas.Image();
      int top = image.height(), bottom = -1, outside = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          if (image.pixel(x, y) == White) continue;
          top = std::min(top, y);
          bottom = std::max(bottom, y);
          if (x < 20 || x >= 20 + width || y < 10 - 1 || y >= 10 + height) ++outside;
        }
      }
      EXPECT_EQ(outside, 0);
      // From the accents' tops to the descenders' feet the text fills most of
      // its cell: a font too small for it is a fault as well.
      EXPECT_GE(bottom - top + 1, height * 4 / 5);
    }
  }
}

TEST(QtCanvasTest, ResizingStartsAWhitePicture) {
  QtCanvas canvas;
  canvas.SetSize(10, 10);
  canvas.SetBrush(Colors::Black);
  canvas.FillRect(0, 0, 10, 10);
  canvas.SetSize(12, 8);
  const QImage& image = canvas.Image();
  EXPECT_EQ(image.size(), QSize(12, 8));
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 12; ++x) EXPECT_EQ(image.pixel(x, y), White);
  }
}

}  // namespace
}  // namespace zephirax
