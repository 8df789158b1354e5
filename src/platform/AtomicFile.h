#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

// A writer never leaves a half-written file where a good one was: the bytes go
// to a temporary file in the destination's folder, which is renamed over the
// destination only once it is complete.

namespace zephirax {

// Writes all of `bytes` to an open file; false on any failure.
using FileChunkWriter = std::function<bool(std::FILE*, std::string_view)>;

// Creates the destination's folder when needed. False, with the destination
// untouched and no temporary file left, when anything fails.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// The same with the writing step supplied, so that tests can make it fail.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           const FileChunkWriter& write);

}  // namespace zephirax
