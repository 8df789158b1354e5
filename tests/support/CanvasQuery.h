#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/RecordingCanvas.h"

// Questions tests ask of a recorded drawing: which lines, rectangles and
// texts it holds, with the colours they were drawn in.

namespace zephirax {

struct Segment {
  int X1, Y1, X2, Y2;
  Color Colour;
  PenStyle Style;
};

// Every line drawn, with its pen; `only` keeps one pen colour.
std::vector<Segment> Segments(const RecordingCanvas& canvas, int64_t only = -1);

struct DrawnRect {
  int X1, Y1, X2, Y2;
  Color Pen, Brush;
};

// Every Rectangle call with the pen and brush it was drawn with.
std::vector<DrawnRect> Rectangles(const RecordingCanvas& canvas);

// Texts written at x (or at y when byRow), in order.
std::vector<std::string> TextsAt(const RecordingCanvas& canvas, int at, bool byRow = false);

// The first such text, at x when given; nullptr when there is none.
const CanvasOp* FindText(const RecordingCanvas& canvas, const std::string& text, int x = -1);

// The last text with its top-left corner at (x, y), or nullptr.
const CanvasOp* TextAt(const RecordingCanvas& canvas, int x, int y);
// Its text, or "<none>".
std::string TextOr(const RecordingCanvas& canvas, int x, int y);

// The font colour the text at (x, y) was written in (0xFFFFFFFF when none).
uint32_t TextColourAt(const RecordingCanvas& canvas, int x, int y);

}  // namespace zephirax
