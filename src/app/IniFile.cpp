#include "app/IniFile.h"

#include <algorithm>

namespace zephirax {
namespace {

constexpr std::string_view Blanks = " \t";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(Blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// The name of a "[name]" line; a missing "]" ends the name at the line's end.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::string_view inner = text.substr(1);
  return Trim(inner.substr(0, inner.find(']')));
}

struct KeyLine {
  std::string_view Key;
  size_t ValueStart;  // index of the value's first byte after the blanks past '='
};

// A "key=value" line; comment lines and lines without '=' are no keys.
std::optional<KeyLine> ParseKey(std::string_view line) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() == ';' || text.front() == '[') return std::nullopt;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  size_t valueStart = line.find_first_not_of(Blanks, equals + 1);
  if (valueStart == std::string_view::npos) valueStart = line.size();
  return KeyLine{Trim(line.substr(0, equals)), valueStart};
}

std::string ValueOf(std::string_view line, const KeyLine& key) {
  std::string_view value = Trim(line.substr(key.ValueStart));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

std::string OneLine(std::string_view text) {
  std::string line(text);
  std::replace(line.begin(), line.end(), '\r', ' ');
  std::replace(line.begin(), line.end(), '\n', ' ');
  return line;
}

// Reading trims blanks and one pair of quotes; a value that would lose either
// is written in double quotes so that it reads back as it was.
std::string Stored(const std::string& value) {
  if (value.empty()) return value;
  const bool blankEdge = Blanks.find(value.front()) != std::string_view::npos ||
                         Blanks.find(value.back()) != std::string_view::npos;
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  return blankEdge || quoted ? "\"" + value + "\"" : value;
}

}  // namespace

IniFile IniFile::Parse(std::string_view bytes) {
  IniFile file;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    // One CR before the line end belongs to it; any other CR is content and
    // is written back as it was.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    file.lines_.emplace_back(line);
    start = end + 1;
  }
  return file;
}

size_t IniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (name && SameName(*name, section)) return i;
  }
  return lines_.size();
}

size_t IniFile::SectionEnd(size_t header) const {
  size_t i = header + 1;
  while (i < lines_.size() && !SectionName(lines_[i])) ++i;
  return i;
}

size_t IniFile::FindKey(size_t header, std::string_view key) const {
  const size_t end = SectionEnd(header);
  for (size_t i = header + 1; i < end; ++i) {
    const auto parsed = ParseKey(lines_[i]);
    if (parsed && SameName(parsed->Key, key)) return i;
  }
  return end;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
  const size_t header = FindSection(section);
  if (header == lines_.size()) return std::nullopt;
  const size_t line = FindKey(header, key);
  if (line == SectionEnd(header)) return std::nullopt;
  return ValueOf(lines_[line], *ParseKey(lines_[line]));
}

std::string IniFile::Get(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const {
  return Get(section, key).value_or(std::string(defaultValue));
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string newValue = OneLine(value);
  const size_t header = FindSection(section);
  if (header == lines_.size()) {
    lines_.push_back("[" + OneLine(section) + "]");
    lines_.push_back(OneLine(key) + "=" + Stored(newValue));
    return;
  }
  const size_t end = SectionEnd(header);
  const size_t line = FindKey(header, key);
  if (line < end) {
    const auto parsed = ParseKey(lines_[line]);
    // An unchanged value keeps its line as written (quotes, blanks and all).
    if (ValueOf(lines_[line], *parsed) == newValue) return;
    lines_[line] = lines_[line].substr(0, parsed->ValueStart) + Stored(newValue);
    return;
  }
  size_t insertAt = header + 1;
  for (size_t i = header + 1; i < end; ++i) {
    if (ParseKey(lines_[i])) insertAt = i + 1;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                OneLine(key) + "=" + Stored(newValue));
}

bool IniFile::Remove(std::string_view section, std::string_view key) {
  const size_t header = FindSection(section);
  if (header == lines_.size()) return false;
  bool removed = false;
  for (size_t line = FindKey(header, key); line < SectionEnd(header); line = FindKey(header, key)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
    removed = true;
  }
  return removed;
}

std::string IniFile::Serialize() const {
  std::string out;
  for (const std::string& line : lines_) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace zephirax
