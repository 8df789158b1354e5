#pragma once

#include <string>
#include <string_view>

// Files of the program's own making hold text in the Windows Western character
// set (cp1252); inside the program text is UTF-8.

namespace zephirax {

// Every byte maps to one character; the five bytes cp1252 leaves undefined map
// to the control characters of the same number, as Windows does.
std::string Cp1252ToUtf8(std::string_view bytes);

// Characters without a cp1252 byte become '?'; invalid UTF-8 sequences too.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace zephirax
