#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

// A writer never leaves a half-written file where a good one was: the bytes go
// to a temporary file in the destination's folder, which is renamed over the
// destination only once it is complete. The new file keeps the mode of the
// file it replaces; a destination that is a symbolic link stays one and the
// file it leads to is replaced. A writer that is killed leaves no temporary
// file that the next write of the same destination does not remove.

namespace zephirax {

// Writes all of `bytes` to an open file; false on any failure.
using FileChunkWriter = std::function<bool(std::FILE*, std::string_view)>;

// Creates the destination's folder when needed. False, with the destination
// untouched and no temporary file left, when anything fails.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// The same with the writing step supplied, so that tests can make it fail.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           const FileChunkWriter& write);

// The file a write to `path` replaces: the end of its chain of symbolic links
// (which need not exist), or `path` itself when it is no link. Empty for a
// loop of links.
std::string WriteDestination(const std::string& path);

// The moments of a replacement at which tests kill the writing process.
enum class ReplaceStep { Opened, HalfWritten, Written, Named, Replaced };
using ReplaceStepHook = void (*)(ReplaceStep);
// Called at every step of every replacement; none by default.
void SetReplaceStepHook(ReplaceStepHook hook);

}  // namespace zephirax
