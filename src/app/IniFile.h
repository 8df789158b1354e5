#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A Windows-style INI file that keeps every line it does not change: comments,
// blank lines, unknown sections and keys, their order and spelling. Section and
// key names match case-insensitively and may contain blanks. Values are the
// file's bytes; any text conversion is the caller's.

namespace zephirax {

class IniFile {
 public:
  // Accepts CR LF and LF line ends and any bytes.
  static IniFile Parse(std::string_view bytes);

  // The value of the first such key in the first such section, trimmed of
  // surrounding blanks and of one pair of matching quotes.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::string Get(std::string_view section, std::string_view key,
                  std::string_view defaultValue) const;

  // Replaces the value in place, else appends the key to its section, else
  // appends the section. Line breaks in the value become blanks, so a value
  // can never start a line of its own; a value with surrounding blanks or
  // quotes is written in double quotes, so that it reads back unchanged.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // Removes every such key of the section; false when there was none.
  bool Remove(std::string_view section, std::string_view key);

  // Every line ends in CR LF.
  std::string Serialize() const;

 private:
  // Index of the section's header line, or lines_.size().
  size_t FindSection(std::string_view section) const;
  // Index of the key's line in the section starting at `header`, or end.
  size_t FindKey(size_t header, std::string_view key) const;
  size_t SectionEnd(size_t header) const;

  std::vector<std::string> lines_;
};

}  // namespace zephirax
