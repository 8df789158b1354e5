#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// The temporary files a writer makes beside the file it replaces are named
// "NAME.tmp-" and six letters or digits. While a writer lives it holds a lock
// on its temporary file, so that the next writer of the same file can tell a
// temporary left by a killed process (no lock) from one still being written.

namespace zephirax {

// Whether `candidate` names a temporary file of the file `target` (both
// without folder).
bool IsTemporaryOf(std::string_view candidate, std::string_view target);

// A fresh temporary name of `target` in its folder; the file need not exist.
std::filesystem::path TemporaryPathOf(const std::filesystem::path& target);

// A new empty file named as a temporary of `target`, created in the target's
// folder with mode 0600 and locked while `Descriptor` stays open.
struct NamedTemporary {
  int Descriptor = -1;
  std::filesystem::path Path;
};
std::optional<NamedTemporary> CreateNamedTemporary(const std::filesystem::path& target);

// Takes the writer's lock on an open temporary file (waiting for a process
// that checks whether it is stale). False when the file system has no locks.
bool LockTemporary(int descriptor);

// Removes the temporaries of `target` that no living writer holds: those of
// killed writers. Temporary links (which cannot be locked) go once they are a
// minute old.
void RemoveStaleTemporaries(const std::filesystem::path& target);

}  // namespace zephirax
