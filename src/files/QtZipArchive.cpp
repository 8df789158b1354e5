#include "files/QtZipArchive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>

#include "files/ZipEntryNames.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"
#include "platform/TemporaryFiles.h"

namespace zephirax {

namespace fs = std::filesystem;

namespace {

constexpr int StrongestLevel = 9;
constexpr zip_uint64_t LongestLinkTarget = 4096;

std::string ZipErrorText(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  std::string text = zip_error_strerror(&error);
  zip_error_fini(&error);
  return text;
}

bool Readable(const std::string& file) {
  ReadFault fault = ReadFault::None;
  const int descriptor = OpenRegularFile(file, fault);
  if (descriptor < 0) return false;
  close(descriptor);
  return true;
}

// What the archive's write reports back while it compresses.
struct WriteWatch {
  Progress& Watcher;
  std::string Name;
  bool Cancelled = false;
};

void WriteProgress(zip_t*, double done, void* state) {
  auto* watch = static_cast<WriteWatch*>(state);
  if (!watch->Cancelled) {
    watch->Cancelled = !watch->Watcher.Step(watch->Name, static_cast<size_t>(done * 1000), 1000);
  }
}

int WriteCancelled(zip_t*, void* state) {
  return static_cast<WriteWatch*>(state)->Cancelled;
}

struct ZipCloser {
  void operator()(zip_t* archive) const {
    if (archive != nullptr) zip_discard(archive);
  }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct EntryCloser {
  void operator()(zip_file_t* file) const {
    if (file != nullptr) zip_fclose(file);
  }
};
using EntryHandle = std::unique_ptr<zip_file_t, EntryCloser>;

bool IsUnixType(zip_t* archive, zip_uint64_t index, mode_t type) {
  zip_uint8_t system = 0;
  zip_uint32_t attributes = 0;
  if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0) return false;
  return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == type;
}

void SetModified(const fs::path& path, const zip_stat_t& stat) {
  if ((stat.valid & ZIP_STAT_MTIME) == 0) return;
  const timespec times[2] = {{0, UTIME_OMIT}, {stat.mtime, 0}};
  utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

// Writes a regular entry to `target` through a temporary file; the reason
// when it fails.
std::optional<std::string> WriteEntry(zip_t* archive, zip_uint64_t index, const fs::path& target) {
  EntryHandle entry(zip_fopen_index(archive, index, 0));
  if (!entry) return std::string(zip_strerror(archive));
  std::string why;
  const auto copy = [&](std::FILE* out, std::string_view) {
    char buffer[65536];
    for (;;) {
      const zip_int64_t count = zip_fread(entry.get(), buffer, sizeof buffer);
      if (count < 0) {
        why = zip_file_strerror(entry.get());
        return false;
      }
      if (count == 0) return true;
      if (std::fwrite(buffer, 1, static_cast<size_t>(count), out) != static_cast<size_t>(count)) {
        why = std::strerror(errno);
        return false;
      }
    }
  };
  if (ReplaceFileAtomically(target.string(), {}, copy)) return std::nullopt;
  if (why.empty()) why = std::strerror(errno);
  return why;
}

// The target of a link entry, when it stays inside `destination`.
std::optional<std::string> LinkInside(zip_t* archive, zip_uint64_t index, const zip_stat_t& stat,
                                      const fs::path& destination, const fs::path& link) {
  if ((stat.valid & ZIP_STAT_SIZE) == 0 || stat.size == 0 || stat.size > LongestLinkTarget) {
    return std::nullopt;
  }
  EntryHandle entry(zip_fopen_index(archive, index, 0));
  if (!entry) return std::nullopt;
  std::string target(stat.size, '\0');
  if (zip_fread(entry.get(), target.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
    return std::nullopt;
  }
  if (target.find('\0') != std::string::npos || target.front() == '/' ||
      !ResolvesInside(destination, link.parent_path() / target)) {
    return std::nullopt;
  }
  return target;
}

std::optional<std::string> WriteLink(const std::string& target, const fs::path& link) {
  // The link is made under a temporary name of its own and renamed over the
  // entry's name, so that an old file or link there is replaced in one step.
  RemoveStaleTemporaries(link);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path temporary = TemporaryPathOf(link);
    if (symlink(target.c_str(), temporary.c_str()) != 0) {
      if (errno == EEXIST) continue;
      return std::string(std::strerror(errno));
    }
    if (rename(temporary.c_str(), link.c_str()) == 0) return std::nullopt;
    const int failure = errno;
    unlink(temporary.c_str());
    return std::string(std::strerror(failure));
  }
  return std::string(std::strerror(EEXIST));
}

struct SourceFreer {
  void operator()(zip_source_t* source) const {
    if (source != nullptr) zip_source_free(source);
  }
};
using SourceHandle = std::unique_ptr<zip_source_t, SourceFreer>;

// The whole of an existing archive; empty when there is none. A file that is
// no regular file is refused, so that reading it cannot block.
std::optional<std::string> ArchiveBytes(const std::string& archive, std::string& why) {
  std::error_code missing;
  if (!std::filesystem::exists(archive, missing)) return std::string();
  // Archives beyond this are not something the program ever builds.
  constexpr size_t MaxArchiveBytes = size_t{1} << 31;
  RegularFileRead read = ReadRegularFile(archive, MaxArchiveBytes);
  if (read) return std::move(read.Bytes);
  why = read.Fault == ReadFault::CannotOpen ? std::strerror(errno) : ZipErrorText(ZIP_ER_NOZIP);
  return std::nullopt;
}

// Copies the archive that `source` holds to an open file.
bool CopySource(zip_source_t* source, std::FILE* out) {
  if (zip_source_open(source) != 0) return false;
  char buffer[65536];
  bool ok = true;
  for (;;) {
    const zip_int64_t count = zip_source_read(source, buffer, sizeof buffer);
    if (count <= 0) {
      ok = count == 0;
      break;
    }
    if (std::fwrite(buffer, 1, static_cast<size_t>(count), out) != static_cast<size_t>(count)) {
      ok = false;
      break;
    }
  }
  zip_source_close(source);
  return ok;
}

}  // namespace

ZipAddOutcome AddToZip(const std::string& archive, const std::vector<std::string>& files,
                       bool fresh, Progress& progress) {
  ZipAddOutcome outcome;
  outcome.Added.assign(files.size(), false);
  // The library would open a FIFO there for reading and wait on it forever.
  if (!AbsentOrRegular(archive)) {
    outcome.Fault = OperationFault::NotRegular;
    return outcome;
  }
  // The archive is made in memory and written like every other file: libzip's
  // own writing leaves a temporary file behind when the program is killed.
  std::string old;
  if (!fresh) {
    const std::optional<std::string> bytes = ArchiveBytes(archive, outcome.Error);
    if (!bytes) return outcome;
    old = *bytes;
  }
  zip_error_t error;
  zip_error_init(&error);
  SourceHandle memory(zip_source_buffer_create(old.data(), old.size(), 0, &error));
  zip_error_fini(&error);
  if (!memory) {
    outcome.Error = ZipErrorText(ZIP_ER_MEMORY);
    return outcome;
  }
  zip_source_keep(memory.get());  // the archive holds it too; its bytes are read after closing
  zip_error_init(&error);
  ZipHandle zip(zip_open_from_source(memory.get(), ZIP_CREATE, &error));
  if (!zip) {
    zip_source_free(memory.get());  // the reference the archive did not take
    outcome.Error = zip_error_strerror(&error);
    zip_error_fini(&error);
    return outcome;
  }
  zip_error_fini(&error);
  std::map<std::string, size_t> byName;  // a later file of the same name replaces the earlier
  for (size_t k = 0; k < files.size(); ++k) {
    if (!progress.Step(files[k], k, files.size())) {
      outcome.Cancelled = true;
      return outcome;
    }
    if (!Readable(files[k])) continue;
    zip_source_t* source = zip_source_file(zip.get(), files[k].c_str(), 0, -1);
    if (source == nullptr) continue;
    const std::string name = fs::path(files[k]).filename().string();
    const zip_int64_t index =
        zip_file_add(zip.get(), name.c_str(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_GUESS);
    if (index < 0) {
      zip_source_free(source);
      continue;
    }
    zip_set_file_compression(zip.get(), static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                             StrongestLevel);
    if (const auto earlier = byName.find(name); earlier != byName.end()) {
      outcome.Added[earlier->second] = false;
    }
    byName[name] = k;
    outcome.Added[k] = true;
  }

  // Nothing to add: the archive stays as it was.
  if (std::find(outcome.Added.begin(), outcome.Added.end(), true) == outcome.Added.end()) {
    return outcome;
  }
  WriteWatch watch{progress, fs::path(archive).filename().string()};
  zip_register_progress_callback_with_state(zip.get(), 0.01, WriteProgress, nullptr, &watch);
  zip_register_cancel_callback_with_state(zip.get(), WriteCancelled, nullptr, &watch);
  if (zip_close(zip.get()) != 0) {
    outcome.Cancelled = watch.Cancelled;
    outcome.Error = zip_strerror(zip.get());
    outcome.Added.assign(files.size(), false);
    return outcome;  // the handle discards the archive
  }
  zip.release();
  const FileChunkWriter copy = [&memory](std::FILE* out, std::string_view) {
    return CopySource(memory.get(), out);
  };
  if (!ReplaceFileAtomically(archive, {}, copy)) {
    outcome.Error = std::strerror(errno != 0 ? errno : EIO);
    outcome.Added.assign(files.size(), false);
    return outcome;
  }
  outcome.Written = true;
  return outcome;
}

ZipExtractOutcome ExtractZip(const std::string& archive, const std::string& destination,
                             Progress& progress) {
  ZipExtractOutcome outcome;
  // Opened here, as a regular file only, and handed over: the library's own
  // open would wait forever on a FIFO.
  ReadFault fault = ReadFault::None;
  const int descriptor = OpenRegularFile(archive, fault);
  if (descriptor < 0) {
    if (fault == ReadFault::NotRegular) {
      outcome.Failures.push_back({archive, OperationFault::NotRegular, ""});
    } else {
      outcome.Failures.push_back({archive, OperationFault::System, std::strerror(errno)});
    }
    return outcome;
  }
  int code = 0;
  ZipHandle zip(zip_fdopen(descriptor, 0, &code));
  if (!zip) {
    close(descriptor);  // still ours when the library refused it
    outcome.Failures.push_back({archive, OperationFault::System, ZipErrorText(code)});
    return outcome;
  }
  std::error_code error;
  const fs::path folder = fs::absolute(destination, error);
  const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
  for (zip_int64_t k = 0; k < count; ++k) {
    const auto index = static_cast<zip_uint64_t>(k);
    zip_stat_t stat;
    if (zip_stat_index(zip.get(), index, ZIP_FL_ENC_GUESS, &stat) != 0 ||
        (stat.valid & ZIP_STAT_NAME) == 0) {
      outcome.Failures.push_back({archive, OperationFault::System, zip_strerror(zip.get())});
      continue;
    }
    const std::string name = stat.name;
    if (!progress.Step(name, index, static_cast<size_t>(count))) {
      outcome.Cancelled = true;
      break;
    }
    const std::optional<fs::path> relative = SafeEntryPath(name);
    const fs::path target = relative ? folder / *relative : fs::path();
    if (!relative || !ResolvesInside(folder, target)) {
      outcome.Refused.push_back(name);
      continue;
    }

    std::optional<std::string> failed;
    if (name.back() == '/' || IsUnixType(zip.get(), index, S_IFDIR)) {
      fs::create_directories(target, error);
      if (error) failed = error.message();
    } else {
      fs::create_directories(target.parent_path(), error);
      if (error) {
        failed = error.message();
      } else if (IsUnixType(zip.get(), index, S_IFLNK)) {
        const std::optional<std::string> linkTarget =
            LinkInside(zip.get(), index, stat, folder, target);
        if (!linkTarget) {
          outcome.Refused.push_back(name);
          continue;
        }
        failed = WriteLink(*linkTarget, target);
      } else {
        failed = WriteEntry(zip.get(), index, target);
      }
    }
    if (failed) {
      outcome.Failures.push_back({name, OperationFault::System, *failed});
      continue;
    }
    SetModified(target, stat);
    ++outcome.Extracted;
  }
  return outcome;
}

}  // namespace zephirax
