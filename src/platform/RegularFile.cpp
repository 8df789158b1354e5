#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zephirax {

namespace {

// Retries reads cut short by a signal; -1 only for a real failure.
ssize_t ReadSome(int descriptor, char* buffer, size_t count) {
  ssize_t got = 0;
  do {
    got = read(descriptor, buffer, count);
  } while (got < 0 && errno == EINTR);
  return got;
}

}  // namespace

int OpenRegularFile(const std::string& path, ReadFault& fault) {
  // A stat first, so that a device or FIFO is refused without being opened at
  // all; opening a serial line or a tape can itself change something.
  struct stat status {};
  if (path.empty() || stat(path.c_str(), &status) != 0) {
    fault = ReadFault::CannotOpen;
    return -1;
  }
  if (!S_ISREG(status.st_mode)) {
    fault = ReadFault::NotRegular;
    return -1;
  }
  // The name may have been replaced since: O_NONBLOCK keeps a FIFO put there
  // meanwhile from blocking the open, and fstat then judges what was opened.
  const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (descriptor < 0) {
    fault = ReadFault::CannotOpen;
    return -1;
  }
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(descriptor);
    fault = ReadFault::NotRegular;
    return -1;
  }
  const int flags = fcntl(descriptor, F_GETFL);
  if (flags < 0 || fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    close(descriptor);
    fault = ReadFault::CannotOpen;
    return -1;
  }
  fault = ReadFault::None;
  return descriptor;
}

RegularFileRead ReadRegularFile(const std::string& path, size_t maxBytes) {
  RegularFileRead result;
  const int descriptor = OpenRegularFile(path, result.Fault);
  if (descriptor < 0) return result;
  struct stat status {};
  if (fstat(descriptor, &status) == 0 && status.st_size > 0 &&
      static_cast<unsigned long long>(status.st_size) > maxBytes) {
    close(descriptor);
    result.Fault = ReadFault::TooLarge;
    return result;
  }
  // The size is only a hint: the file may grow or shrink while it is read, so
  // reading goes on to the end, and one byte past the limit tells TooLarge.
  std::string bytes;
  if (status.st_size > 0) bytes.reserve(static_cast<size_t>(status.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ReadSome(descriptor, buffer, sizeof buffer);
    if (got < 0) {
      result.Fault = ReadFault::CannotOpen;
      break;
    }
    if (got == 0) break;
    if (static_cast<size_t>(got) > maxBytes - bytes.size()) {
      result.Fault = ReadFault::TooLarge;
      break;
    }
    bytes.append(buffer, static_cast<size_t>(got));
  }
  close(descriptor);
  if (result) result.Bytes = std::move(bytes);
  return result;
}

bool AbsentOrRegular(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return errno == ENOENT || errno == ENOTDIR;
  return S_ISREG(status.st_mode);
}

}  // namespace zephirax
