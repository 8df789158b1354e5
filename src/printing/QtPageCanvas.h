#pragma once

#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRectF>

#include "platform/Canvas.h"
#include "platform/QtCanvas.h"

// A view drawn onto a printed page instead of into the picture: the view
// draws at the picture's size in its own pixels, and the page maps that
// picture onto a rectangle of the page, stretched as a copy of the picture
// would be. Lines keep their share of the picture and text its cell, so the
// page looks as the picture would, but at the printer's resolution: nothing
// is rasterised at screen size.

namespace zephirax {

class QtPageCanvas : public Canvas {
 public:
  // `painter` draws the page (it must outlive the canvas); `target` is where
  // the picture goes on it; the picture starts at `width` x `height`.
  QtPageCanvas(QPainter& painter, const QRectF& target, int width, int height);
  ~QtPageCanvas() override;
  QtPageCanvas(const QtPageCanvas&) = delete;
  QtPageCanvas& operator=(const QtPageCanvas&) = delete;

  void SetSize(int width, int height) override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetPen(Color color, int width, PenStyle style) override;
  void SetBrush(Color color) override;
  void SetFont(const std::string& name, int height, bool bold) override;
  void SetFontColor(Color color) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void FillRect(int x1, int y1, int x2, int y2) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;

  // Draws what is still pending; the destructor does it as well.
  void Flush();

 private:
  void Map();

  QPainter& painter_;
  QRectF target_;
  int width_ = 1;
  int height_ = 1;
  // Text is measured and its fonts resolved exactly as in the picture, so
  // the view lays its text out the same way on paper.
  QtCanvas metrics_;
  QPen pen_;
  QColor brush_;
  QColor fontColor_;
  QPoint position_;
  // Consecutive lines of a solid pen go out as one path.
  QPolygonF pending_;
};

}  // namespace zephirax
