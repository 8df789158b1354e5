#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

// A canvas that records every call, in order, with its arguments as the view
// passed them. Tests check drawings through it; the command line writes the
// record as a log. With an inner canvas every call is passed on as well and
// text sizes come from it; without one, text is measured by a fixed rule
// (0.55 x font height per character, the font height as line height).

namespace zephirax {

struct CanvasOp {
  std::string Op;                  // "SetSize", "SetPen", "MoveTo", ...
  int A = 0, B = 0, C = 0, D = 0;  // coordinates, sizes or widths in the order of the call
  Color Colour = 0;                // SetPen, SetBrush, SetFontColor
  PenStyle Style = PenStyle::Solid;
  bool Bold = false;
  std::string Text;  // TextOut text, SetFont name

  bool operator==(const CanvasOp&) const = default;
};

// An operation with its name and up to four numbers.
CanvasOp MakeCanvasOp(const char* name, int a = 0, int b = 0, int c = 0, int d = 0);

class RecordingCanvas : public Canvas {
 public:
  explicit RecordingCanvas(Canvas* inner = nullptr) : inner_(inner) {}

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

  const std::vector<CanvasOp>& Ops() const { return ops_; }
  void Clear() { ops_.clear(); }

  // The state a later call draws with, for tests that look at one text or line.
  Color PenColor() const { return penColor_; }
  Color FontColor() const { return fontColor_; }

 private:
  Canvas* inner_;
  std::vector<CanvasOp> ops_;
  int width_ = 0;
  int height_ = 0;
  int fontHeight_ = 14;
  Color penColor_ = Colors::Black;
  Color fontColor_ = Colors::Black;
};

}  // namespace zephirax
