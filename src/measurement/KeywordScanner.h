#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Walks the bytes of a measurement file the way every reader and writer of the
// format does: a start test on the first four bytes, then a window over the
// last five bytes read, in which the keys of the items are recognised. An
// item's values are read straight from the bytes and never pass the window.

namespace zephirax {

// Why a file could not be read.
enum class FileFault {
  NotDataFile,  // could not be opened (or is no regular file), or failed the start test
  Unreadable,   // a value did not convert, a count is out of range, or the file ends inside an item
};

// What exactly is wrong, for the user.
enum class FaultReason {
  CannotOpen,       // missing or unreadable
  TooLarge,         // larger than any measurement
  NotMeasurement,   // failed the start test
  EndsInside,       // the file ends inside an item
  BadValue,         // a value is not a number (or not a finite one)
  OutOfRange,       // a count or code is outside its range
  NoCylinderCount,  // no usable number of cylinders
  NoSuchCylinder,   // the cylinder asked for is not in the file
  NotRegular,       // a FIFO, device or folder: never opened, so never waited on
};

// Where in the file the fault lies.
enum class FilePart { Header, CylinderValues, PressureCurves, SecondCurves };

// Why a file was rejected: the callers word it for the user.
struct LoadFault {
  FileFault Kind = FileFault::NotDataFile;
  FaultReason Reason = FaultReason::CannotOpen;
  FilePart Part = FilePart::Header;
};

// What a load came to: true when the file was taken, else the fault.
struct LoadResult {
  std::optional<LoadFault> Fault;
  explicit operator bool() const { return !Fault.has_value(); }
};

struct FileFaultError : std::runtime_error {
  FileFaultError(FileFault faultKind, FaultReason reason)
      : std::runtime_error("measurement file fault"), Kind(faultKind), Reason(reason) {}
  FileFault Kind;
  FaultReason Reason;
  FilePart Part = FilePart::Header;
  LoadResult Result() const { return {LoadFault{Kind, Reason, Part}}; }
};

class KeywordScanner {
 public:
  explicit KeywordScanner(std::string_view bytes) : bytes_(bytes) {}

  // Reads the first four bytes; a leading 0 byte is dropped. True when the file
  // starts like a measurement file: CR first, LF second or 'L' third.
  bool StartTest();

  // Moves the next byte into the window; false at the end of the file.
  bool Advance();

  // True when window positions 1..key.size() hold `key` (keys of 3 or 4 letters).
  bool Matches(std::string_view key) const {
    return key.size() <= window_.size() && std::string_view(window_.data(), key.size()) == key;
  }
  // Window position 1..5.
  char WindowAt(int position) const { return window_[position - 1]; }

  // Item reading; everything that reads a value throws FileFaultError(Unreadable,
  // EndsInside) when the file ends first, BadValue when it does not convert. Skipping stops quietly
  // at the end of the file: a value read after it fails anyway, and a trailing skip may run off the
  // end.
  void Skip(size_t count);
  char Byte();
  std::string_view Chars(size_t count);
  // Characters up to a ';' or CR (consumed, not returned), at most maxChars of them.
  std::string_view CharsUntilSeparator(size_t maxChars);
  float Float(size_t width);
  // The same for the values of a curve block, tens of thousands per file:
  // the usual field of digits and at most one decimal separator is converted
  // here, inline; any other field goes the general way.
  float CurveFloat(size_t width) {
    if (width == 0 || width > 15 || bytes_.size() - position_ < width) return Float(width);
    const char* field = bytes_.data() + position_;
    uint64_t mantissa = 0;
    size_t fractionDigits = 0;
    bool separatorSeen = false;
    for (size_t k = 0; k < width; ++k) {
      const char c = field[k];
      if (c >= '0' && c <= '9') {
        mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
        fractionDigits += separatorSeen ? 1 : 0;
      } else if ((c == ',' || c == '.') && !separatorSeen && k + 1 < width) {
        separatorSeen = true;
      } else {
        return Float(width);
      }
    }
    static constexpr double PowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6, 1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14};
    position_ += width;
    // Both operands are exact, so the quotient is correctly rounded, exactly
    // as the general conversion gives it.
    return static_cast<float>(static_cast<double>(mantissa) / PowersOfTen[fractionDigits]);
  }
  double Double(size_t width);
  int32_t Int(size_t width);
  // Most one-value items: skip 1, `width` characters, skip 2.
  std::string_view ItemValue(size_t width);
  // A count item whose value must lie in low..high.
  int32_t ItemCount(size_t width, int low, int high);
  // A text item; the text ends at a 0 byte.
  std::string ItemText(size_t width);
  // A value on a line of its own, 4 or 5 characters long (speeds: "1234" or "098,5").
  float ShortLineValue();
  // A 5-character whole number whose fifth character counts only when it is a digit.
  int32_t FiveDigitWhole();
  // An IEEE-754 single in little-endian byte order; only a finite one is accepted.
  float FiniteSingle();
  double ToDouble(std::string_view field) const;
  int32_t ToInt(std::string_view field) const;

  size_t Position() const { return position_; }
  size_t Size() const { return bytes_.size(); }
  void Seek(size_t position) { position_ = position < bytes_.size() ? position : bytes_.size(); }
  std::string_view Bytes() const { return bytes_; }

 private:
  std::string_view bytes_;
  size_t position_ = 0;
  std::array<char, 5> window_{};
};

// The whole file; false when it cannot be opened, is not a regular file or is
// too large to be a measurement, and then `why`, when given, says which.
bool ReadMeasurementFile(const std::string& fileName, std::string& bytes,
                         FaultReason* why = nullptr);

// Throws FileFaultError(Unreadable, reason).
[[noreturn]] void ThrowUnreadable(FaultReason reason);

// Runs `read`; a fault it throws is marked with `part` as it stands then: the
// part of the file whose item was being read.
template <class Read>
void NamingThePart(const FilePart& part, Read&& read) {
  try {
    read();
  } catch (FileFaultError& fault) {
    fault.Part = part;
    throw;
  }
}

}  // namespace zephirax
