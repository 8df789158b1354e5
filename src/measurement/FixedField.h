#pragma once

#include <cstdint>
#include <string_view>

// Conversions of the fixed-width numeric fields of the program's files. A field
// is right-aligned, padded with blanks or zeros, and may use a decimal comma.
// Zero padding can stand in front of a sign ("0-2,5" is -2.5).

namespace zephirax {

// Decimal number; false when the field holds anything but an optionally signed
// number with at most one decimal separator.
bool ParseFloatField(std::string_view field, double& value);

// Whole number; false on anything else (also on a decimal separator) or when
// the value does not fit 32 bits.
bool ParseIntField(std::string_view field, int32_t& value);

}  // namespace zephirax
