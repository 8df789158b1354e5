#pragma once

#include <string>
#include <vector>

#include "platform/RecordingCanvas.h"

// The drawing calls of a view as text, one JSON object per line in the order
// they were made, with the arguments as the view passed them:
//   {"op":"SetSize","width":W,"height":H}
//   {"op":"SetPen","color":"#rrggbb","width":N,"style":"solid"|"dot"}
//   {"op":"SetBrush","color":"#rrggbb"}
//   {"op":"SetFont","name":"...","height":N,"bold":true|false}
//   {"op":"SetFontColor","color":"#rrggbb"}
//   {"op":"MoveTo","x":X,"y":Y}            {"op":"LineTo","x":X,"y":Y}
//   {"op":"Rectangle","x1":..,"y1":..,"x2":..,"y2":..}   FillRect likewise
//   {"op":"TextOut","x":X,"y":Y,"text":"..."}
// Text measurements are queries, not drawing, and are not part of the log.

namespace zephirax {

// One line without its line end.
std::string CanvasLogLine(const CanvasOp& op);

// Every line, each ended by '\n'.
std::string CanvasLog(const std::vector<CanvasOp>& ops);

}  // namespace zephirax
