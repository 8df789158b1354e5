#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/TemporaryFiles.h"

namespace zephirax {

namespace fs = std::filesystem;

namespace {

constexpr int MostLinks = 40;  // as the kernel follows
constexpr int MostLinkAttempts = 100;
// A new file is readable by everyone, as the files the device software makes.
constexpr mode_t NewFileMode = 0644;

ReplaceStepHook StepHook = nullptr;

void Reached(ReplaceStep step) {
  if (StepHook != nullptr) StepHook(step);
}

bool WriteAll(std::FILE* file, std::string_view bytes) {
  // In two halves, so that a test can stop the process between them.
  const std::string_view first = bytes.substr(0, bytes.size() / 2);
  const std::string_view second = bytes.substr(first.size());
  if (std::fwrite(first.data(), 1, first.size(), file) != first.size()) return false;
  if (std::fflush(file) != 0) return false;
  Reached(ReplaceStep::HalfWritten);
  return std::fwrite(second.data(), 1, second.size(), file) == second.size();
}

std::optional<fs::path> LinkChainEnd(fs::path path) {
  for (int hop = 0; hop <= MostLinks; ++hop) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::error_code error;
    const fs::path next = fs::read_symlink(path, error);
    if (error) return std::nullopt;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  errno = ELOOP;
  return std::nullopt;
}

mode_t ModeFor(const fs::path& target) {
  struct stat info {};
  if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 0777;
  return NewFileMode;
}

// The temporary file being written: unnamed until complete where the file
// system allows, else named and locked from the start.
struct Temporary {
  int Descriptor = -1;
  fs::path Path;  // empty while unnamed
};

std::optional<Temporary> OpenTemporary(const fs::path& target, const fs::path& folder) {
  const int unnamed = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (unnamed >= 0) {
    // The lock is taken before the file gets a name, so that no other writer
    // ever sees it unlocked.
    LockTemporary(unnamed);
    return Temporary{unnamed, {}};
  }
  const std::optional<NamedTemporary> named = CreateNamedTemporary(target);
  if (!named) return std::nullopt;
  return Temporary{named->Descriptor, named->Path};
}

// Gives an unnamed temporary file its temporary name.
bool Name(Temporary& temporary, const fs::path& target) {
  const std::string self = "/proc/self/fd/" + std::to_string(temporary.Descriptor);
  for (int attempt = 0; attempt < MostLinkAttempts; ++attempt) {
    const fs::path path = TemporaryPathOf(target);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
        linkat(temporary.Descriptor, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) {
      temporary.Path = path;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool WriteContent(int descriptor, std::string_view bytes, const FileChunkWriter& write) {
  const int copy = dup(descriptor);
  if (copy < 0) return false;
  std::FILE* file = fdopen(copy, "wb");
  if (file == nullptr) {
    close(copy);
    return false;
  }
  bool ok = write(file, bytes);
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  return ok && fsync(descriptor) == 0;
}

void SyncFolder(const fs::path& folder) {
  const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);  // some file systems refuse; the rename is done regardless
  close(descriptor);
}

}  // namespace

void SetReplaceStepHook(ReplaceStepHook hook) {
  StepHook = hook;
}

std::string WriteDestination(const std::string& path) {
  const std::optional<fs::path> end = LinkChainEnd(path);
  return end ? end->string() : std::string();
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  return ReplaceFileAtomically(path, bytes, WriteAll);
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           const FileChunkWriter& write) {
  const std::optional<fs::path> target = LinkChainEnd(path);
  if (!target || target->filename().empty()) return false;
  const fs::path folder = target->has_parent_path() ? target->parent_path() : fs::path(".");
  std::error_code error;
  fs::create_directories(folder, error);
  RemoveStaleTemporaries(*target);

  std::optional<Temporary> temporary = OpenTemporary(*target, folder);
  if (!temporary) return false;
  Reached(ReplaceStep::Opened);
  bool ok = WriteContent(temporary->Descriptor, bytes, write);
  if (ok) Reached(ReplaceStep::Written);
  ok = ok && fchmod(temporary->Descriptor, ModeFor(*target)) == 0;
  ok = ok && (!temporary->Path.empty() || Name(*temporary, *target));
  if (ok) Reached(ReplaceStep::Named);
  ok = ok && rename(temporary->Path.c_str(), target->c_str()) == 0;
  const int failure = errno;
  if (ok) {
    Reached(ReplaceStep::Replaced);
    SyncFolder(folder);
  } else if (!temporary->Path.empty()) {
    unlink(temporary->Path.c_str());
  }
  close(temporary->Descriptor);
  errno = ok ? 0 : failure;
  return ok;
}

}  // namespace zephirax
