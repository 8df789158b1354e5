#pragma once

#include <stdexcept>
#include <string>

#include "cli/JsonReader.h"

// Tests check the command line's JSON contracts by structure, with the
// program's own strict reader.

namespace zephirax::test {

using JsonValue = json::Value;

// Throws when `text` is not exactly one JSON value.
inline JsonValue ParseJson(const std::string& text) {
  auto value = json::ParseJson(text);
  if (!value) throw std::runtime_error("not JSON: " + text.substr(0, 200));
  return std::move(*value);
}

}  // namespace zephirax::test
