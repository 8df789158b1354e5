#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/Canvas.h"

// The canvas of the desktop and of the command line's rendering: the views
// paint a QImage, without antialiasing, so a line is exactly the pixels asked
// for. Text is measured with the real font.

namespace zephirax {

class QtCanvas : public Canvas {
 public:
  QtCanvas();
  ~QtCanvas() override;

  void SetSize(int width, int height) override;
  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
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

  // The picture as drawn so far; drawing may go on afterwards.
  const QImage& Image();

 private:
  void Begin();

  QImage image_;
  std::unique_ptr<QPainter> painter_;
  QPen pen_;
  QColor brush_;
  QColor fontColor_;
  QFont font_;
  QPoint position_;
};

}  // namespace zephirax
