#pragma once

#include <cstddef>
#include <string>

// Every file the program reads goes through here. Only a regular file is
// read: a FIFO, a device or a folder is refused without waiting on it (opening
// a FIFO for reading blocks until a writer appears, reading a device may never
// end), and a file is never read past a size limit.

namespace zephirax {

enum class ReadFault {
  None,
  CannotOpen,  // missing, no permission, or the read itself failed
  NotRegular,  // a FIFO, socket, device or folder
  TooLarge,    // more bytes than the caller takes
};

struct RegularFileRead {
  std::string Bytes;
  ReadFault Fault = ReadFault::None;
  explicit operator bool() const { return Fault == ReadFault::None; }
};

// Opens `path` for reading when it is a regular file (symbolic links are
// followed). Returns the descriptor, close-on-exec and in blocking mode, or -1
// with `fault` saying why. Nothing is opened that is not a regular file, so a
// device never sees an open from here.
int OpenRegularFile(const std::string& path, ReadFault& fault);

// The whole of `path`, at most `maxBytes` of it: a longer file is TooLarge.
RegularFileRead ReadRegularFile(const std::string& path, size_t maxBytes);

// True when `path` does not exist or is a regular file: a name a reader may be
// pointed at without it ever blocking. Missing parts of the path count as
// "does not exist".
bool AbsentOrRegular(const std::string& path);

}  // namespace zephirax
