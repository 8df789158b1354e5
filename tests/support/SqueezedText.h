#pragma once

#include <string>

namespace zephirax::test {

// `text` with every run of blanks made one: pdftotext and pdfimages space
// their words by where they stand, not by the blanks between them.
inline std::string Squeezed(const std::string& text) {
  std::string squeezed;
  for (const char c : text) {
    if (c != ' ' || squeezed.empty() || squeezed.back() != ' ') squeezed += c;
  }
  return squeezed;
}

}  // namespace zephirax::test
