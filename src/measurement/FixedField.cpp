#include "measurement/FixedField.h"

#include <charconv>
#include <cmath>

namespace zephirax {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// Splits off the sign, allowing zeros of the padding in front of it.
bool SplitSign(std::string_view s, bool& negative, std::string_view& body) {
  negative = false;
  size_t k = 0;
  while (k < s.size() && s[k] == '0') ++k;
  if (k < s.size() && (s[k] == '-' || s[k] == '+')) {
    negative = s[k] == '-';
    body = s.substr(k + 1);
  } else {
    body = s;
  }
  return !body.empty();
}

}  // namespace

// One pass over the field without copying it: curve blocks hold tens of
// thousands of fields, and their conversion is most of what loading costs.
bool ParseFloatField(std::string_view field, double& value) {
  const char* begin = field.data();
  const char* end = begin + field.size();
  while (begin != end && *begin == ' ') ++begin;
  while (end != begin && end[-1] == ' ') --end;
  // A sign may follow zeros of the padding.
  bool negative = false;
  const char* afterZeros = begin;
  while (afterZeros != end && *afterZeros == '0') ++afterZeros;
  if (afterZeros != end && (*afterZeros == '-' || *afterZeros == '+')) {
    negative = *afterZeros == '-';
    begin = afterZeros + 1;
  }
  // Fields are short; a longer one is not a number.
  const size_t size = static_cast<size_t>(end - begin);
  if (size == 0 || size >= 64) return false;
  size_t digits = 0;
  size_t fractionDigits = 0;
  bool separatorSeen = false;
  uint64_t mantissa = 0;
  for (const char* c = begin; c != end; ++c) {
    if (IsDigit(*c)) {
      ++digits;
      fractionDigits += separatorSeen ? 1 : 0;
      mantissa = mantissa * 10 + static_cast<uint64_t>(*c - '0');
    } else if ((*c == ',' || *c == '.') && !separatorSeen) {
      separatorSeen = true;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  double parsed = 0;
  if (digits <= 15) {
    // Both operands are exact, so the quotient is the correctly rounded
    // value, as from_chars would give, at a fraction of the cost.
    static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    parsed = static_cast<double>(mantissa) / PowersOfTen[fractionDigits];
  } else {
    char buffer[64];
    for (size_t i = 0; i < size; ++i) buffer[i] = begin[i] == ',' ? '.' : begin[i];
    const auto [stop, error] = std::from_chars(buffer, buffer + size, parsed);
    if (error != std::errc() || stop != buffer + size || !std::isfinite(parsed)) return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

bool ParseIntField(std::string_view field, int32_t& value) {
  bool negative = false;
  std::string_view body;
  if (!SplitSign(TrimBlanks(field), negative, body)) return false;
  int64_t parsed = 0;
  for (char c : body) {
    if (!IsDigit(c)) return false;
    parsed = parsed * 10 + (c - '0');
    if (parsed > 2147483648LL) return false;
  }
  if (negative) parsed = -parsed;
  if (parsed > 2147483647LL || parsed < -2147483648LL) return false;
  value = static_cast<int32_t>(parsed);
  return true;
}

}  // namespace zephirax
