#include "support/CanvasQuery.h"

namespace zephirax {

std::vector<Segment> Segments(const RecordingCanvas& canvas, int64_t only) {
  std::vector<Segment> out;
  Color pen = Colors::Black;
  PenStyle style = PenStyle::Solid;
  int x = 0, y = 0;
  for (const CanvasOp& op : canvas.Ops()) {
    if (op.Op == "SetPen") pen = op.Colour, style = op.Style;
    if (op.Op == "LineTo" && (only < 0 || pen == only))
      out.push_back({x, y, op.A, op.B, pen, style});
    if (op.Op == "MoveTo" || op.Op == "LineTo") x = op.A, y = op.B;
  }
  return out;
}

std::vector<DrawnRect> Rectangles(const RecordingCanvas& canvas) {
  std::vector<DrawnRect> out;
  Color pen = Colors::Black, brush = Colors::White;
  for (const CanvasOp& op : canvas.Ops()) {
    if (op.Op == "SetPen") pen = op.Colour;
    if (op.Op == "SetBrush") brush = op.Colour;
    if (op.Op == "Rectangle") out.push_back({op.A, op.B, op.C, op.D, pen, brush});
  }
  return out;
}

std::vector<std::string> TextsAt(const RecordingCanvas& canvas, int at, bool byRow) {
  std::vector<std::string> out;
  for (const CanvasOp& op : canvas.Ops())
    if (op.Op == "TextOut" && (byRow ? op.B : op.A) == at) out.push_back(op.Text);
  return out;
}

const CanvasOp* FindText(const RecordingCanvas& canvas, const std::string& text, int x) {
  for (const CanvasOp& op : canvas.Ops())
    if (op.Op == "TextOut" && op.Text == text && (x < 0 || op.A == x)) return &op;
  return nullptr;
}

const CanvasOp* TextAt(const RecordingCanvas& canvas, int x, int y) {
  const CanvasOp* found = nullptr;
  for (const CanvasOp& op : canvas.Ops())
    if (op.Op == "TextOut" && op.A == x && op.B == y) found = &op;
  return found;
}

std::string TextOr(const RecordingCanvas& canvas, int x, int y) {
  const CanvasOp* op = TextAt(canvas, x, y);
  return op ? op->Text : "<none>";
}

uint32_t TextColourAt(const RecordingCanvas& canvas, int x, int y) {
  const CanvasOp* op = TextAt(canvas, x, y);
  return op ? op->Colour : 0xFFFFFFFFu;
}

}  // namespace zephirax
