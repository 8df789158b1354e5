#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Just enough JSON writing for the command line's fixed output contracts.

namespace zephirax::json {

// A quoted, escaped string from UTF-8 text.
void AppendString(std::string& out, std::string_view utf8);
// The shortest text that reads back as the same float (or double); a value
// that is not a number is written as null.
void AppendNumber(std::string& out, float value);
void AppendNumber(std::string& out, double value);
void AppendNumber(std::string& out, int32_t value);
void AppendBool(std::string& out, bool value);

// `"name":` with a leading comma unless it is the object's first member.
void AppendKey(std::string& out, std::string_view name, bool first = false);

// `"name":value` for a number, with a leading comma unless it comes first.
template <class T>
void AppendMember(std::string& out, std::string_view name, T value, bool first = false) {
  AppendKey(out, name, first);
  AppendNumber(out, value);
}

template <class Range, class Fn>
void AppendArray(std::string& out, const Range& range, Fn appendElement) {
  out.push_back('[');
  bool first = true;
  for (const auto& element : range) {
    if (!first) out.push_back(',');
    first = false;
    appendElement(out, element);
  }
  out.push_back(']');
}

}  // namespace zephirax::json
