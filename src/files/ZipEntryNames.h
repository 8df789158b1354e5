#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// What an archive entry may write. An archive comes from anywhere; its names
// must never reach outside the folder it is unpacked into.

namespace zephirax {

// The path below the destination folder that an entry's name stands for, or
// nothing when the name must not be written: empty, absolute, with a
// backslash, a drive letter or a ".." part. "." parts and doubled slashes are
// dropped.
std::optional<std::filesystem::path> SafeEntryPath(std::string_view name);

// Whether `path` lies inside `folder` once the links that already exist on
// the way are followed. Both are absolute.
bool ResolvesInside(const std::filesystem::path& folder, const std::filesystem::path& path);

// The name as a message may show it: control characters become '?'.
std::string PrintableEntryName(std::string_view name);

}  // namespace zephirax
