#pragma once

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

// Small helpers every command uses to read its arguments.

namespace zephirax {

// Says what is wrong with the arguments, then shows the command's usage;
// returns the exit status of a usage error.
inline int UsageError(std::ostream& err, const std::string& why, const char* usage) {
  err << "zephirax-cli: " << why << "\n\n" << usage;
  return 2;
}

// Every line of `text` after the program's name, as the commands report
// failures.
inline void PrintError(std::ostream& err, const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    err << "zephirax-cli: " << text.substr(start, end - start) << '\n';
    start = end + 1;
  }
}

// Index of `value` in `choices`, or -1.
inline int Choice(const std::string& value, std::initializer_list<const char*> choices) {
  int index = 0;
  for (const char* choice : choices) {
    if (value == choice) return index;
    ++index;
  }
  return -1;
}

// Sets `code` to the position of `value` among `names`; false when it is none of them.
inline bool SetChoice(const std::string& value, std::initializer_list<const char*> names,
                      std::optional<int>& code) {
  const int found = Choice(value, names);
  if (found < 0) return false;
  code = found;
  return true;
}

// A whole number that is the entire text.
inline bool WholeNumber(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// "WxH" with both sides in 1..maxSide.
inline bool ParseSize(const std::string& text, int& width, int& height, int maxSide) {
  const size_t x = text.find('x');
  if (x == std::string::npos) return false;
  const std::string_view all(text);
  return WholeNumber(all.substr(0, x), width) && WholeNumber(all.substr(x + 1), height) &&
         width >= 1 && width <= maxSide && height >= 1 && height <= maxSide;
}

}  // namespace zephirax
