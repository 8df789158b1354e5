#include "platform/TextEncoding.h"

#include <array>
#include <cstdint>

namespace zephirax {
namespace {

// Characters of the bytes 0x80..0x9F. The five bytes Windows leaves undefined
// keep their own number, so every byte survives a round trip.
constexpr std::array<char32_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    // Every character of the table lies below U+10000.
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The byte of `c`, or '?' when cp1252 has none.
char ToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (size_t i = 0; i < HighControls.size(); ++i) {
    if (HighControls[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one character at `pos`. Returns the number of bytes consumed (at
// least one) and sets `c`; an invalid sequence (stray continuation byte,
// truncation, overlong form, surrogate, beyond U+10FFFF) yields U+FFFD and
// consumes the lead byte and the continuation bytes that were read.
size_t DecodeUtf8(std::string_view text, size_t pos, char32_t& c) {
  const auto lead = static_cast<uint8_t>(text[pos]);
  int length = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, c = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, c = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, c = lead & 0x07, min = 0x10000;
  } else {
    c = 0xFFFD;
    return 1;
  }
  size_t used = 1;
  for (; used < static_cast<size_t>(length); ++used) {
    if (pos + used >= text.size()) break;
    const auto next = static_cast<uint8_t>(text[pos + used]);
    if ((next & 0xC0) != 0x80) break;
    c = (c << 6) | (next & 0x3F);
  }
  if (used < static_cast<size_t>(length) || c < min || c > 0x10FFFF ||
      (c >= 0xD800 && c <= 0xDFFF)) {
    c = 0xFFFD;
  }
  return used;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char b : bytes) {
    const auto byte = static_cast<uint8_t>(b);
    AppendUtf8(out, byte >= 0x80 && byte <= 0x9F ? HighControls[byte - 0x80] : char32_t{byte});
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    char32_t c = 0;
    pos += DecodeUtf8(text, pos, c);
    out += ToCp1252(c);
  }
  return out;
}

}  // namespace zephirax
