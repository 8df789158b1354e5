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

namespace zephirax {

namespace fs = std::filesystem;

namespace {

FileFailure SystemFailure(const std::string& file, const std::error_code& error) {
  return {file, OperationFault::System, error.message()};
}

std::error_code LastError() {
  return {errno, std::generic_category()};
}

// A new empty file beside `target`, hidden from the file lists; empty when
// none could be made.
fs::path TemporaryBeside(const fs::path& target, std::error_code& error) {
  std::string pattern =
      (target.parent_path() / ("." + target.filename().string() + ".tmp-XXXXXX")).string();
  const int descriptor = mkstemp(pattern.data());
  if (descriptor < 0) {
    error = LastError();
    return {};
  }
  close(descriptor);
  return pattern;
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

// A complete copy of `source` beside `target`, with the source's permissions
// and modification time; empty on failure, with nothing left behind. The
// source is opened only as a regular file, so a FIFO put in its place never
// blocks the copy.
fs::path CopyBeside(const fs::path& source, const fs::path& target, std::error_code& error) {
  fs::path temporary = TemporaryBeside(target, error);
  if (temporary.empty()) return {};
  ReadFault fault = ReadFault::None;
  const int in = OpenRegularFile(source.string(), fault);
  if (in < 0) {
    error = fault == ReadFault::NotRegular ? std::make_error_code(std::errc::not_supported)
                                           : LastError();
  } else {
    const int out = open(temporary.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    error = out < 0 ? LastError() : CopyContents(in, out);
    if (out >= 0 && close(out) != 0 && !error) error = LastError();
    close(in);
  }
  if (!error) {
    const fs::file_time_type modified = fs::last_write_time(source, error);
    if (!error) fs::last_write_time(temporary, modified, error);
  }
  if (error) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return {};
  }
  return temporary;
}

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
  // that the old file can still be kept when the trash does not take it.
  fs::path temporary;
  bool renamed = false;  // the source itself was renamed (same file system)
  if (kind == Transfer::Move) {
    temporary = TemporaryBeside(target, error);
    if (temporary.empty()) return SystemFailure(shown, error);
    fs::rename(source, temporary, error);
    renamed = !error;
    if (error) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      if (error != std::errc::cross_device_link) return SystemFailure(shown, error);
      error.clear();
    }
  }
  if (!renamed) {
    temporary = CopyBeside(source, target, error);
    if (temporary.empty()) return SystemFailure(shown, error);
  }
  const auto undo = [&] {
    std::error_code ignored;
    if (renamed) {
      fs::rename(temporary, source, ignored);
    } else {
      fs::remove(temporary, ignored);
    }
  };

  if (replacing) {
    std::string why;
    if (!trash.MoveToTrash(target.string(), why)) {
      undo();
      return FileFailure{shown, OperationFault::ReplacedToTrash, why};
    }
  }
  fs::rename(temporary, target, error);
  if (error) {
    undo();
    return SystemFailure(shown, error);
  }
  // Moved across file systems: the copy is complete, the original goes.
  if (kind == Transfer::Move && !renamed && !fs::remove(source, error) && error) {
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
