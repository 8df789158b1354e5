#include "cli/CanvasLog.h"

#include <cstdio>

#include "cli/Json.h"

namespace zephirax {

namespace {

void AppendColor(std::string& out, Color color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(color & 0xFFFFFFu));
  json::AppendKey(out, "color");
  json::AppendString(out, text);
}

// Length of the valid UTF-8 sequence starting at `at`, or 0 when the bytes
// there are not one (overlong forms, surrogates and values past U+10FFFF
// included).
size_t Utf8SequenceLength(const std::string& text, size_t at) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (byte(at + k) < 0x80 || byte(at + k) > 0xBF) return 0;
  }
  return length;
}

// A text that is not valid UTF-8 would make the whole line unreadable JSON;
// its bad bytes become U+FFFD instead.
std::string ValidUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t length = Utf8SequenceLength(text, at);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++at;
    } else {
      out.append(text, at, length);
      at += length;
    }
  }
  return out;
}

void AppendText(std::string& out, std::string_view name, const std::string& text) {
  json::AppendKey(out, name);
  json::AppendString(out, ValidUtf8(text));
}

}  // namespace

std::string CanvasLogLine(const CanvasOp& op) {
  std::string out = "{";
  json::AppendKey(out, "op", true);
  json::AppendString(out, op.Op);
  if (op.Op == "SetSize") {
    json::AppendMember(out, "width", op.A);
    json::AppendMember(out, "height", op.B);
  } else if (op.Op == "SetPen") {
    AppendColor(out, op.Colour);
    json::AppendMember(out, "width", op.A);
    json::AppendKey(out, "style");
    json::AppendString(out, op.Style == PenStyle::Dot ? "dot" : "solid");
  } else if (op.Op == "SetBrush" || op.Op == "SetFontColor") {
    AppendColor(out, op.Colour);
  } else if (op.Op == "SetFont") {
    AppendText(out, "name", op.Text);
    json::AppendMember(out, "height", op.A);
    json::AppendKey(out, "bold");
    json::AppendBool(out, op.Bold);
  } else if (op.Op == "MoveTo" || op.Op == "LineTo") {
    json::AppendMember(out, "x", op.A);
    json::AppendMember(out, "y", op.B);
  } else if (op.Op == "Rectangle" || op.Op == "FillRect") {
    json::AppendMember(out, "x1", op.A);
    json::AppendMember(out, "y1", op.B);
    json::AppendMember(out, "x2", op.C);
    json::AppendMember(out, "y2", op.D);
  } else if (op.Op == "TextOut") {
    json::AppendMember(out, "x", op.A);
    json::AppendMember(out, "y", op.B);
    AppendText(out, "text", op.Text);
  }
  out.push_back('}');
  return out;
}

std::string CanvasLog(const std::vector<CanvasOp>& ops) {
  std::string out;
  for (const CanvasOp& op : ops) {
    out += CanvasLogLine(op);
    out.push_back('\n');
  }
  return out;
}

}  // namespace zephirax
