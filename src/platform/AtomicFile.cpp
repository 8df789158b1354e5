#include "platform/AtomicFile.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace zephirax {

namespace {
bool WriteAll(std::FILE* file, std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}
}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  return ReplaceFileAtomically(path, bytes, WriteAll);
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           const FileChunkWriter& write) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path target(path);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  fs::create_directories(folder, error);

  std::string temporary = (folder / (target.filename().string() + ".tmp-XXXXXX")).string();
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) return false;
  std::FILE* file = fdopen(descriptor, "wb");
  if (file == nullptr) {
    close(descriptor);
    std::remove(temporary.c_str());
    return false;
  }
  bool ok = write(file, bytes);
  ok = std::fflush(file) == 0 && ok;
  ok = fsync(fileno(file)) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (ok) {
    // mkstemp makes the file private; a replaced file keeps the usual mode.
    fs::permissions(temporary,
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                        fs::perms::others_read,
                    error);
    fs::rename(temporary, target, error);
    ok = !error;
  }
  if (!ok) std::remove(temporary.c_str());
  return ok;
}

}  // namespace zephirax
