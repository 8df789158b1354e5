#include "platform/NumberFormat.h"

#include <cmath>
#include <cstdio>

namespace zephirax {

std::string FormatRegionalNumber(double value, int decimals, const NumberFormat& format) {
  if (!std::isfinite(value)) value = 0;
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  std::string plain = buffer;
  if (plain.find_first_not_of("-0.") == std::string::npos) plain.erase(0, plain[0] == '-');
  const bool negative = plain[0] == '-';
  const size_t digitsStart = negative ? 1 : 0;
  const size_t point = plain.find('.');
  const std::string integer =
      plain.substr(digitsStart, (point == std::string::npos ? plain.size() : point) - digitsStart);
  std::string out = negative ? "-" : "";
  for (size_t k = 0; k < integer.size(); ++k) {
    if (k > 0 && (integer.size() - k) % 3 == 0) out += format.GroupSeparator;
    out.push_back(integer[k]);
  }
  if (point != std::string::npos) out += format.DecimalSeparator + plain.substr(point + 1);
  return out;
}

}  // namespace zephirax
