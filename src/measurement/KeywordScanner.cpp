#include "measurement/KeywordScanner.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "measurement/FixedField.h"
#include "platform/RegularFile.h"

namespace zephirax {

namespace {
// Anything larger is not a measurement (the largest real file is well below 1 MiB).
constexpr size_t MaxFileSize = 64 << 20;
}  // namespace

bool ReadMeasurementFile(const std::string& fileName, std::string& bytes, FaultReason* why) {
  FaultReason ignored = FaultReason::CannotOpen;
  FaultReason& reason = why != nullptr ? *why : ignored;
  RegularFileRead read = ReadRegularFile(fileName, MaxFileSize);
  switch (read.Fault) {
    case ReadFault::None:
      bytes = std::move(read.Bytes);
      return true;
    case ReadFault::NotRegular:
      reason = FaultReason::NotRegular;
      return false;
    case ReadFault::TooLarge:
      reason = FaultReason::TooLarge;
      return false;
    case ReadFault::CannotOpen:
      break;
  }
  reason = FaultReason::CannotOpen;
  return false;
}

void ThrowUnreadable(FaultReason reason) {
  throw FileFaultError(FileFault::Unreadable, reason);
}

bool KeywordScanner::StartTest() {
  if (bytes_.size() < 4) return false;
  std::array<char, 4> head{bytes_[0], bytes_[1], bytes_[2], bytes_[3]};
  if (head[0] == 0) {
    head = {head[1], head[2], head[3], 0};
  }
  position_ = 4;
  return head[0] == '\r' || head[1] == '\n' || head[2] == 'L';
}

bool KeywordScanner::Advance() {
  if (position_ >= bytes_.size()) return false;
  std::copy(window_.begin() + 1, window_.end(), window_.begin());
  window_[4] = bytes_[position_++];
  return true;
}

void KeywordScanner::Skip(size_t count) {
  position_ = std::min(bytes_.size(), position_ + count);
}

char KeywordScanner::Byte() {
  if (position_ >= bytes_.size()) ThrowUnreadable(FaultReason::EndsInside);
  return bytes_[position_++];
}

std::string_view KeywordScanner::Chars(size_t count) {
  if (bytes_.size() - position_ < count) ThrowUnreadable(FaultReason::EndsInside);
  const std::string_view chars = bytes_.substr(position_, count);
  position_ += count;
  return chars;
}

std::string_view KeywordScanner::CharsUntilSeparator(size_t maxChars) {
  const size_t start = position_;
  size_t length = 0;
  while (length < maxChars) {
    const char c = Byte();
    if (c == ';' || c == '\r') return bytes_.substr(start, length);
    ++length;
  }
  return bytes_.substr(start, length);
}

double KeywordScanner::ToDouble(std::string_view field) const {
  double value = 0;
  if (!ParseFloatField(field, value)) ThrowUnreadable(FaultReason::BadValue);
  return value;
}

int32_t KeywordScanner::ToInt(std::string_view field) const {
  int32_t value = 0;
  if (!ParseIntField(field, value)) ThrowUnreadable(FaultReason::BadValue);
  return value;
}

std::string_view KeywordScanner::ItemValue(size_t width) {
  Skip(1);
  const std::string_view chars = Chars(width);
  Skip(2);
  return chars;
}

int32_t KeywordScanner::ItemCount(size_t width, int low, int high) {
  const int32_t count = ToInt(ItemValue(width));
  if (count < low || count > high) ThrowUnreadable(FaultReason::OutOfRange);
  return count;
}

std::string KeywordScanner::ItemText(size_t width) {
  const std::string_view chars = ItemValue(width);
  return std::string(chars.substr(0, chars.find('\0')));
}

float KeywordScanner::ShortLineValue() {
  std::string field(Chars(4));
  const char fifth = Byte();
  if (fifth == '\r') {
    Skip(1);
  } else {
    field.push_back(fifth);
    Skip(2);
  }
  return static_cast<float>(ToDouble(field));
}

int32_t KeywordScanner::FiveDigitWhole() {
  std::string_view field = Chars(5);
  if (field[4] < '0' || field[4] > '9') field.remove_suffix(1);
  return ToInt(field);
}

float KeywordScanner::FiniteSingle() {
  const std::string_view raw = Chars(4);
  uint32_t bits = 0;
  for (int b = 3; b >= 0; --b) bits = (bits << 8) | static_cast<unsigned char>(raw[b]);
  const float value = std::bit_cast<float>(bits);
  // Only a real number can be drawn or scaled.
  if (!std::isfinite(value)) ThrowUnreadable(FaultReason::BadValue);
  return value;
}

float KeywordScanner::Float(size_t width) {
  return static_cast<float>(ToDouble(Chars(width)));
}

double KeywordScanner::Double(size_t width) {
  return ToDouble(Chars(width));
}

int32_t KeywordScanner::Int(size_t width) {
  return ToInt(Chars(width));
}

}  // namespace zephirax
