#include "measurement/KeywordScanner.h"

#include <algorithm>

#include "measurement/FixedField.h"

namespace zephirax {

void ThrowUnreadable() {
  throw FileFaultError(FileFault::Unreadable);
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
  if (position_ >= bytes_.size()) ThrowUnreadable();
  return bytes_[position_++];
}

std::string_view KeywordScanner::Chars(size_t count) {
  if (bytes_.size() - position_ < count) ThrowUnreadable();
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
  if (!ParseFloatField(field, value)) ThrowUnreadable();
  return value;
}

int32_t KeywordScanner::ToInt(std::string_view field) const {
  int32_t value = 0;
  if (!ParseIntField(field, value)) ThrowUnreadable();
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
