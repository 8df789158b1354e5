#include "cli/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace zephirax::json {

void AppendString(std::string& out, std::string_view utf8) {
  out.push_back('"');
  for (const char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
          out += escaped;
        } else {
          out.push_back(c);
        }
    }
  }
  out.push_back('"');
}

namespace {
template <class T>
void AppendFloating(std::string& out, T value) {
  if (!std::isfinite(value)) {
    out += "null";
    return;
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}
}  // namespace

void AppendNumber(std::string& out, float value) {
  AppendFloating(out, value);
}
void AppendNumber(std::string& out, double value) {
  AppendFloating(out, value);
}
void AppendNumber(std::string& out, int32_t value) {
  out += std::to_string(value);
}
void AppendBool(std::string& out, bool value) {
  out += value ? "true" : "false";
}

void AppendKey(std::string& out, std::string_view name, bool first) {
  if (!first) out.push_back(',');
  AppendString(out, name);
  out.push_back(':');
}

}  // namespace zephirax::json
