#include "files/FileOperations.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "adddata/AdditionalDataFile.h"
#include "platform/RegularFile.h"
#include "platform/TemporaryFiles.h"

namespace zephirax {

namespace fs = std::filesystem;

namespace {

FileFailure SystemFailure(const std::string& file, const std::error_code& error) {
  return {file, OperationFault::System, error.message()};
}

std::error_code LastError() {
  return {errno, std::generic_category()};
}

// All bytes from `in` to `out`, and the source's permissions.
std::error_code CopyContents(int in, int out) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return LastError();
    if (got == 0) break;
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = write(out, buffer + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return LastError();
      done += put;
    }
  }
  struct stat status {};
  if (fstat(in, &status) != 0 || fchmod(out, status.st_mode & 07777) != 0) return LastError();
  return {};
}

// The file on its way to `target`, under a temporary name of the target
// that the next writer of it removes when this process is killed meanwhile.
// Held open (and so locked) until it is renamed or removed.
class Staged {
 public:
  Staged() = default;
  Staged(const Staged&) = delete;
  Staged& operator=(const Staged&) = delete;
  ~Staged() { Release(); }

  bool Empty() const { return Path_.empty(); }
  const fs::path& Path() const { return Path_; }

  // A complete copy of `source` with its permissions and modification time.
  // The source is opened only as a regular file, so a FIFO put in its place
  // never blocks the copy.
  bool CopyOf(const fs::path& source, const fs::path& target, std::error_code& error) {
    const std::optional<NamedTemporary> temporary = CreateNamedTemporary(target);
    if (!temporary) {
      error = LastError();
      return false;
    }
    Lock_ = temporary->Descriptor;
    Path_ = temporary->Path;
    ReadFault fault = ReadFault::None;
    const int in = OpenRegularFile(source.string(), fault);
    if (in < 0) {
      error = fault == ReadFault::NotRegular ? std::make_error_code(std::errc::not_supported)
                                             : LastError();
    } else {
      error = CopyContents(in, Lock_);
      close(in);
    }
    if (!error) {
      const fs::file_time_type modified = fs::last_write_time(source, error);
      if (!error) fs::last_write_time(Path_, modified, error);
    }
    if (!error && fsync(Lock_) != 0) error = LastError();
    if (error) Remove();
    return !error;
  }

  // A second name of `source` (on the same file system), so that a kill
  // leaves the source where it was.
  bool LinkOf(const fs::path& source, const fs::path& target, std::error_code& error) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const fs::path path = TemporaryPathOf(target);
      if (link(source.c_str(), path.c_str()) == 0) {
        Path_ = path;
        Lock_ = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (Lock_ >= 0) LockTemporary(Lock_);
        return true;
      }
      if (errno != EEXIST) break;
    }
    error = LastError();
    return false;
  }

  bool RenameTo(const fs::path& target, std::error_code& error) {
    fs::rename(Path_, target, error);
    if (!error) Path_.clear();
    return !error;
  }

  void Remove() {
    if (!Path_.empty()) unlink(Path_.c_str());
    Path_.clear();
  }

 private:
  void Release() {
    Remove();
    if (Lock_ >= 0) close(Lock_);
    Lock_ = -1;
  }

  fs::path Path_;
  int Lock_ = -1;
};

std::optional<FileFailure> TransferOne(Transfer kind, const fs::path& source,
                                       const fs::path& destination, Trash& trash) {
  const std::string shown = source.string();
  std::error_code error;
  const fs::file_status status = fs::status(source, error);
  if (!fs::exists(status)) return FileFailure{shown, OperationFault::SourceMissing, ""};
  // A FIFO or device is no file to copy: reading it may never end.
  if (!fs::is_regular_file(status)) return FileFailure{shown, OperationFault::NotRegular, ""};
  const fs::path target = destination / source.filename();
  const bool replacing = fs::exists(fs::symlink_status(target, error));
  if (replacing) {
    if (fs::equivalent(source, target, error))
      return FileFailure{shown, OperationFault::SameFile, ""};
    if (fs::is_directory(target, error))
      return FileFailure{shown, OperationFault::FolderInTheWay, ""};
  }
  error.clear();

  // The file reaches the destination folder under a temporary name first, so
  // that the old file can still be kept when the trash does not take it. A
  // move gives the source a second name there (the source is removed last),
  // or copies it where no such name can be made.
  RemoveStaleTemporaries(target);
  Staged staged;
  if (kind == Transfer::Move) staged.LinkOf(source, target, error);
  if (staged.Empty()) {
    error.clear();
    if (!staged.CopyOf(source, target, error)) return SystemFailure(shown, error);
  }

  if (replacing) {
    std::string why;
    if (!trash.MoveToTrash(target.string(), why)) {
      return FileFailure{shown, OperationFault::ReplacedToTrash, why};
    }
  }
  if (!staged.RenameTo(target, error)) return SystemFailure(shown, error);
  // Moved: the file is in place, the source's name goes.
  if (kind == Transfer::Move && !fs::remove(source, error) && error) {
    return SystemFailure(shown, error);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ExistingCompanion(const std::string& fileName) {
  std::string extension = fs::path(fileName).extension().string();
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (extension == ".exh") return std::nullopt;
  std::string companion = AdditionalDataName(fileName);
  std::error_code error;
  if (!fs::is_regular_file(companion, error)) return std::nullopt;
  return companion;
}

std::vector<PlannedFile> WithCompanions(const std::string& folder,
                                        const std::vector<std::string>& names) {
  std::vector<PlannedFile> plan;
  const auto add = [&plan](const std::string& path, bool selected) {
    for (PlannedFile& planned : plan) {
      if (planned.Path == path) {
        planned.Selected = planned.Selected || selected;
        return;
      }
    }
    plan.push_back({path, selected});
  };
  for (const std::string& name : names) {
    const std::string path = (fs::path(folder) / name).string();
    add(path, true);
    if (const std::optional<std::string> companion = ExistingCompanion(path))
      add(*companion, false);
  }
  return plan;
}

OperationOutcome TransferFiles(Transfer kind, const std::vector<std::string>& files,
                               const std::string& destination, Trash& trash, Progress& progress) {
  OperationOutcome outcome;
  for (const std::string& file : files) {
    if (!progress.Step(file, outcome.Done, files.size())) {
      outcome.Cancelled = true;
      break;
    }
    outcome.Failure = TransferOne(kind, file, destination, trash);
    if (outcome.Failure) break;
    ++outcome.Done;
  }
  return outcome;
}

OperationOutcome TrashFiles(const std::vector<std::string>& files, Trash& trash,
                            Progress& progress) {
  OperationOutcome outcome;
  for (const std::string& file : files) {
    if (!progress.Step(file, outcome.Done, files.size())) {
      outcome.Cancelled = true;
      break;
    }
    std::error_code error;
    if (!fs::exists(fs::symlink_status(file, error))) {
      outcome.Failure = FileFailure{file, OperationFault::SourceMissing, ""};
      break;
    }
    std::string why;
    if (!trash.MoveToTrash(file, why)) {
      outcome.Failure = FileFailure{file, OperationFault::TrashUnavailable, why};
      break;
    }
    ++outcome.Done;
  }
  return outcome;
}

bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
         name.find('\0') == std::string::npos;
}

std::optional<FileFailure> RenameFile(const std::string& file, const std::string& newName) {
  if (!IsPlainName(newName)) return FileFailure{newName, OperationFault::BadName, ""};
  const fs::path from(file);
  const fs::path to = from.parent_path() / newName;
  if (to == from) return std::nullopt;
  std::error_code error;
  if (!fs::exists(fs::symlink_status(from, error))) {
    return FileFailure{file, OperationFault::SourceMissing, ""};
  }
  // Never over another file, also when one appears meanwhile.
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return std::nullopt;
  }
  if (errno == EEXIST) return FileFailure{file, OperationFault::NameTaken, ""};
  if (errno != EINVAL && errno != ENOSYS) return SystemFailure(file, LastError());
  // A file system without that kind of rename.
  if (fs::exists(fs::symlink_status(to, error)))
    return FileFailure{file, OperationFault::NameTaken, ""};
  fs::rename(from, to, error);
  if (error) return SystemFailure(file, error);
  return std::nullopt;
}

std::optional<FileFailure> CreateFolder(const std::string& parent, const std::string& name) {
  if (!IsPlainName(name)) return FileFailure{name, OperationFault::BadName, ""};
  const fs::path folder = fs::path(parent) / name;
  std::error_code error;
  if (fs::create_directory(folder, error)) return std::nullopt;
  if (error) return SystemFailure(folder.string(), error);
  return FileFailure{folder.string(), OperationFault::NameTaken, ""};
}

}  // namespace zephirax
