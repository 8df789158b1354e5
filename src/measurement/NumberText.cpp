#include "measurement/NumberText.h"

#include <cstdio>

namespace zephirax {

std::string FormatFixed(double value, int width, int decimals) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals < 0 ? 0 : decimals, value);
  return buffer;
}

std::string FormatInt(long long value, int width) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%*lld", width, value);
  return buffer;
}

}  // namespace zephirax
