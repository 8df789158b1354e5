#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The file functions on plain folders: a measurement travels with the
// additional-data file beside it (same name, extension ".EXH"); nothing is
// ever deleted or overwritten for good, it goes to the desktop's trash; a
// copied file appears under its name only once it is complete.

namespace zephirax {

// Why one file could not be handled. A system error carries the system's own
// words in Detail.
enum class OperationFault {
  System,
  TrashUnavailable,  // deleting: nothing was deleted
  ReplacedToTrash,   // the file to be replaced could not go to the trash
  SameFile,
  FolderInTheWay,
  NameTaken,
  BadName,
  SourceMissing,
  NotRegular,  // a FIFO, device or folder where a file was expected
};

struct FileFailure {
  std::string File;  // the file the user chose (or the name they typed)
  OperationFault Fault = OperationFault::System;
  std::string Detail;
};

// The desktop's trash.
class Trash {
 public:
  virtual ~Trash() = default;
  // Moves the file or folder there; false, with the system's reason in `why`,
  // when it stays where it is.
  virtual bool MoveToTrash(const std::string& path, std::string& why) = 0;
};

// Long work reports each file before it is handled and may be cancelled
// between files.
class Progress {
 public:
  virtual ~Progress() = default;
  // False: stop before this file.
  virtual bool Step(const std::string& fileName, size_t done, size_t total) = 0;
};

// A progress nobody watches.
class SilentProgress : public Progress {
 public:
  bool Step(const std::string&, size_t, size_t) override { return true; }
};

// The additional-data file beside `fileName` when it exists, is a plain file
// and is not `fileName` itself.
std::optional<std::string> ExistingCompanion(const std::string& fileName);

struct PlannedFile {
  std::string Path;
  bool Selected = true;  // false: the companion of a selected file
};

// The selected files of `folder` in the order given, each followed by its
// companion; every file once, also when the user selected the companion too.
std::vector<PlannedFile> WithCompanions(const std::string& folder,
                                        const std::vector<std::string>& names);

struct OperationOutcome {
  size_t Done = 0;  // files handled before it stopped
  bool Cancelled = false;
  std::optional<FileFailure> Failure;  // it stopped at this file
};

enum class Transfer { Copy, Move };

// Copies or moves `files` into `destination`, one after another, stopping at
// the first failure or when cancelled; what was done stays done. A file of
// the same name already there goes to the trash first.
OperationOutcome TransferFiles(Transfer kind, const std::vector<std::string>& files,
                               const std::string& destination, Trash& trash, Progress& progress);

// Moves `files` to the trash; a file the trash does not take stays.
OperationOutcome TrashFiles(const std::vector<std::string>& files, Trash& trash,
                            Progress& progress);

// A name the user typed for a file or folder inside a given folder: not
// empty, not "." or "..", no '/'.
bool IsPlainName(const std::string& name);

// Gives `file` the name `newName` in its folder; never replaces another file.
std::optional<FileFailure> RenameFile(const std::string& file, const std::string& newName);

// Creates the folder `name` in `parent`.
std::optional<FileFailure> CreateFolder(const std::string& parent, const std::string& name);

}  // namespace zephirax
