#include "platform/RecordingCanvas.h"

#include <cmath>

namespace zephirax {

namespace {

size_t CodePoints(const std::string& text) {
  size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

CanvasOp MakeCanvasOp(const char* name, int a, int b, int c, int d) {
  CanvasOp op;
  op.Op = name;
  op.A = a;
  op.B = b;
  op.C = c;
  op.D = d;
  return op;
}

void RecordingCanvas::SetSize(int width, int height) {
  width_ = width;
  height_ = height;
  ops_.push_back(MakeCanvasOp("SetSize", width, height));
  if (inner_ != nullptr) inner_->SetSize(width, height);
}

void RecordingCanvas::SetPen(Color color, int width, PenStyle style) {
  penColor_ = color;
  CanvasOp op = MakeCanvasOp("SetPen", width);
  op.Colour = color;
  op.Style = style;
  ops_.push_back(op);
  if (inner_ != nullptr) inner_->SetPen(color, width, style);
}

void RecordingCanvas::SetBrush(Color color) {
  CanvasOp op = MakeCanvasOp("SetBrush");
  op.Colour = color;
  ops_.push_back(op);
  if (inner_ != nullptr) inner_->SetBrush(color);
}

void RecordingCanvas::SetFont(const std::string& name, int height, bool bold) {
  fontHeight_ = height;
  CanvasOp op = MakeCanvasOp("SetFont", height);
  op.Bold = bold;
  op.Text = name;
  ops_.push_back(op);
  if (inner_ != nullptr) inner_->SetFont(name, height, bold);
}

void RecordingCanvas::SetFontColor(Color color) {
  fontColor_ = color;
  CanvasOp op = MakeCanvasOp("SetFontColor");
  op.Colour = color;
  ops_.push_back(op);
  if (inner_ != nullptr) inner_->SetFontColor(color);
}

void RecordingCanvas::MoveTo(int x, int y) {
  ops_.push_back(MakeCanvasOp("MoveTo", x, y));
  if (inner_ != nullptr) inner_->MoveTo(x, y);
}

void RecordingCanvas::LineTo(int x, int y) {
  ops_.push_back(MakeCanvasOp("LineTo", x, y));
  if (inner_ != nullptr) inner_->LineTo(x, y);
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  ops_.push_back(MakeCanvasOp("Rectangle", x1, y1, x2, y2));
  if (inner_ != nullptr) inner_->Rectangle(x1, y1, x2, y2);
}

void RecordingCanvas::FillRect(int x1, int y1, int x2, int y2) {
  ops_.push_back(MakeCanvasOp("FillRect", x1, y1, x2, y2));
  if (inner_ != nullptr) inner_->FillRect(x1, y1, x2, y2);
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  CanvasOp op = MakeCanvasOp("TextOut", x, y);
  op.Colour = fontColor_;  // not part of the call; lets tests check the text's colour
  op.Text = text;
  ops_.push_back(op);
  if (inner_ != nullptr) inner_->TextOut(x, y, text);
}

int RecordingCanvas::TextWidth(const std::string& text) {
  if (inner_ != nullptr) return inner_->TextWidth(text);
  return static_cast<int>(std::lround(0.55 * fontHeight_ * static_cast<double>(CodePoints(text))));
}

int RecordingCanvas::TextHeight(const std::string& text) {
  if (inner_ != nullptr) return inner_->TextHeight(text);
  return fontHeight_;
}

}  // namespace zephirax
