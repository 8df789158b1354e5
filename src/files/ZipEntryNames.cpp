#include "files/ZipEntryNames.h"

#include <algorithm>

namespace zephirax {

namespace fs = std::filesystem;

std::optional<fs::path> SafeEntryPath(std::string_view name) {
  if (name.empty() || name.front() == '/') return std::nullopt;
  if (name.find('\\') != std::string_view::npos || name.find('\0') != std::string_view::npos) {
    return std::nullopt;
  }
  const char first = name.front();
  const bool letter = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z');
  if (name.size() >= 2 && letter && name[1] == ':') return std::nullopt;

  fs::path path;
  size_t start = 0;
  while (start <= name.size()) {
    const size_t end = std::min(name.find('/', start), name.size());
    const std::string_view part = name.substr(start, end - start);
    if (part == "..") return std::nullopt;
    if (!part.empty() && part != ".") path /= fs::path(std::string(part));
    start = end + 1;
  }
  if (path.empty()) return std::nullopt;
  return path;
}

bool ResolvesInside(const fs::path& folder, const fs::path& path) {
  std::error_code error;
  fs::path base = fs::weakly_canonical(folder, error);
  if (error) return false;
  const fs::path resolved = fs::weakly_canonical(path, error);
  if (error) return false;
  if (!base.has_filename()) base = base.parent_path();  // a trailing separator
  const auto [left, right] =
      std::mismatch(base.begin(), base.end(), resolved.begin(), resolved.end());
  (void)right;
  return left == base.end();
}

std::string PrintableEntryName(std::string_view name) {
  std::string shown(name);
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) c = '?';
  }
  return shown;
}

}  // namespace zephirax
