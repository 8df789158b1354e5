#include "platform/TemporaryFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace zephirax {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view Marker = ".tmp-";
constexpr size_t SuffixLength = 6;
constexpr int MostAttempts = 100;
constexpr time_t LinkAgeSeconds = 60;
constexpr std::string_view SuffixLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

bool IsSuffixLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

fs::path FolderOf(const fs::path& target) {
  return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Removes `path` when no writer holds it; the name is checked again under the
// lock, since a writer may rename its file away meanwhile.
void RemoveIfAbandoned(const fs::path& path) {
  struct stat named {};
  if (lstat(path.c_str(), &named) != 0) return;
  if (S_ISLNK(named.st_mode)) {
    if (named.st_mtime + LinkAgeSeconds < std::time(nullptr)) unlink(path.c_str());
    return;
  }
  if (!S_ISREG(named.st_mode)) return;
  const int descriptor = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return;
  struct stat opened {};
  if (flock(descriptor, LOCK_EX | LOCK_NB) == 0 && fstat(descriptor, &opened) == 0 &&
      lstat(path.c_str(), &named) == 0 && SameFile(opened, named)) {
    unlink(path.c_str());
  }
  close(descriptor);
}

}  // namespace

bool IsTemporaryOf(std::string_view candidate, std::string_view target) {
  if (target.empty() || candidate.size() != target.size() + Marker.size() + SuffixLength ||
      candidate.substr(0, target.size()) != target ||
      candidate.substr(target.size(), Marker.size()) != Marker) {
    return false;
  }
  for (const char c : candidate.substr(target.size() + Marker.size())) {
    if (!IsSuffixLetter(c)) return false;
  }
  return true;
}

fs::path TemporaryPathOf(const fs::path& target) {
  unsigned char random[SuffixLength] = {};
  if (getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
    // No random source: the clock still makes a collision unlikely, and
    // callers retry on one.
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    for (size_t k = 0; k < SuffixLength; ++k) {
      random[k] = static_cast<unsigned char>(now.tv_nsec >> (5 * k));
    }
  }
  std::string name = target.filename().string() + std::string(Marker);
  for (const unsigned char byte : random) name += SuffixLetters[byte % SuffixLetters.size()];
  return FolderOf(target) / name;
}

bool LockTemporary(int descriptor) {
  while (flock(descriptor, LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

std::optional<NamedTemporary> CreateNamedTemporary(const fs::path& target) {
  for (int attempt = 0; attempt < MostAttempts; ++attempt) {
    const fs::path path = TemporaryPathOf(target);
    const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (descriptor < 0) {
      if (errno == EEXIST) continue;
      return std::nullopt;
    }
    // Between creating and locking, another writer may have taken the file
    // for stale and removed it; then the name is no longer this file's.
    struct stat opened {
    }, named{};
    if (!LockTemporary(descriptor) ||
        (fstat(descriptor, &opened) == 0 && lstat(path.c_str(), &named) == 0 &&
         SameFile(opened, named))) {
      return NamedTemporary{descriptor, path};
    }
    close(descriptor);
  }
  errno = EEXIST;
  return std::nullopt;
}

void RemoveStaleTemporaries(const fs::path& target) {
  const std::string name = target.filename().string();
  std::error_code error;
  for (fs::directory_iterator entry(FolderOf(target), error), end; !error && entry != end;
       entry.increment(error)) {
    if (IsTemporaryOf(entry->path().filename().string(), name)) RemoveIfAbandoned(entry->path());
  }
}

}  // namespace zephirax
