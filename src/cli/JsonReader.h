#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A small strict JSON reader for what the command line takes on stdin. Any
// bytes are safe input: the answer is a value or nothing.

namespace zephirax::json {

struct Value {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind Type = Kind::Null;
  bool Bool = false;
  double Number = 0;
  std::string String;  // UTF-8
  std::vector<Value> Array;
  std::vector<std::pair<std::string, Value>> Object;  // in document order

  // The member named `key`, or null when there is none (or this is no object).
  const Value* Find(std::string_view key) const;
  // The member named `key` or the array element; throws std::out_of_range when absent.
  const Value& operator[](std::string_view key) const;
  const Value& operator[](size_t index) const { return Array.at(index); }
  bool Has(std::string_view key) const { return Find(key) != nullptr; }
  // Member names in document order.
  std::vector<std::string> Keys() const;
};

// Nesting deeper than this is refused rather than followed.
inline constexpr int MaxJsonDepth = 64;

// Exactly one JSON value with optional blanks around it (RFC 8259: no comments,
// no trailing commas, valid UTF-8, numbers within double range); nothing on
// anything else.
std::optional<Value> ParseJson(std::string_view text);

}  // namespace zephirax::json
