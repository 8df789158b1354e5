#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

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

  // The font the text calls use now and its metrics, for a canvas that draws
  // the same text cells elsewhere.
  const QFont& TextFont() const { return font_->Font; }
  const QFontMetrics& TextMetrics() const { return font_->Metrics; }

 private:
  // A font whose text cell has the height the views asked for, with its
  // metrics, which every text call needs.
  struct CellFont {
    QFont Font;
    QFontMetrics Metrics;
  };
  using FontKey = std::tuple<std::string, int, bool>;

  void Begin();
  const CellFont& Resolve(const FontKey& key);
  // Draws the lines LineTo has collected, in the order they came.
  void DrawPendingLines();
  // The painter's pen is switched to the font colour for text and back for
  // lines only when the other is needed next.
  void UseLinePen();

  QImage image_;
  std::unique_ptr<QPainter> painter_;
  QPen pen_;
  QColor brush_;
  QColor fontColor_;
  // Finding a font's size takes several measurements, and the views set
  // their fonts thousands of times per picture: each is found once.
  std::map<FontKey, CellFont> fonts_;
  FontKey fontKey_;
  const CellFont* font_ = nullptr;
  QPoint position_;
  // Curves are thousands of segments of a few pixels each: handing them to
  // the painter one by one costs far more than drawing them. LineTo collects
  // the segments of a thin pen, and they are drawn together, each exactly as
  // on its own, before anything else is drawn or the pen changes.
  std::vector<QLine> pendingLines_;
  bool FoldIntoLastLine(const QPoint& to);
  bool painterHasLinePen_ = true;
  bool painterHasTextPen_ = false;
};

}  // namespace zephirax
