#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

// A small strict JSON reader, so tests can check the command line's output
// contracts by structure rather than by substring.

namespace zephirax::test {

struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object } Type = Kind::Null;
  bool Bool = false;
  double Number = 0;
  std::string String;
  std::vector<JsonValue> Array;
  std::vector<std::pair<std::string, JsonValue>> Object;  // in document order

  const JsonValue& operator[](const std::string& key) const;  // throws when missing
  const JsonValue& operator[](size_t index) const { return Array.at(index); }
  bool Has(const std::string& key) const;
  std::vector<std::string> Keys() const;
};

// Throws std::runtime_error on anything that is not exactly one JSON value.
JsonValue ParseJson(const std::string& text);

}  // namespace zephirax::test
