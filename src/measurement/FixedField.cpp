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

bool ParseFloatField(std::string_view field, double& value) {
  bool negative = false;
  std::string_view body;
  if (!SplitSign(TrimBlanks(field), negative, body)) return false;
  // Fields are short; a longer one is not a number.
  char buffer[64];
  if (body.size() >= sizeof buffer) return false;
  size_t digits = 0;
  size_t fractionDigits = 0;
  bool separatorSeen = false;
  uint64_t mantissa = 0;
  for (size_t i = 0; i < body.size(); ++i) {
    const char c = body[i];
    if (IsDigit(c)) {
      ++digits;
      if (separatorSeen) ++fractionDigits;
      mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
      buffer[i] = c;
    } else if ((c == ',' || c == '.') && !separatorSeen) {
      separatorSeen = true;
      buffer[i] = '.';
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  double parsed = 0;
  if (digits <= 15) {
    // Both operands are exact, so the quotient is the correctly rounded
    // value, as from_chars would give, at a fraction of the cost; curve
    // blocks hold tens of thousands of fields.
    static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    parsed = static_cast<double>(mantissa) / PowersOfTen[fractionDigits];
  } else {
    const auto [end, error] = std::from_chars(buffer, buffer + body.size(), parsed);
    if (error != std::errc() || end != buffer + body.size() || !std::isfinite(parsed)) {
      return false;
    }
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
