#pragma once

#include <string>
#include <vector>

#include "files/FileOperations.h"

// Standard ZIP archives. An archive is written to a temporary file and
// renamed into place when complete, so a failed or cancelled run leaves the
// old archive (or none) behind; every extracted file is written the same way.

namespace zephirax {

struct ZipAddOutcome {
  std::vector<bool> Added;  // per file given: it is in the archive
  bool Written = false;     // the archive was written
  bool Cancelled = false;
  std::string Error;  // why it was not written, in the system's words
  // The program's own reason instead, when not System: a FIFO or device in
  // the archive's place, which is neither read nor replaced.
  OperationFault Fault = OperationFault::System;
  bool Failed() const { return !Error.empty() || Fault != OperationFault::System; }
  FileFailure FailureOf(const std::string& archive) const { return {archive, Fault, Error}; }
};

// Adds `files` to `archive` under their names without folder, deflated at the
// strongest level. A missing archive is created; an entry of the same name is
// replaced, other entries stay. With `fresh` the archive holds only `files`.
// A file that cannot be read is left out.
ZipAddOutcome AddToZip(const std::string& archive, const std::vector<std::string>& files,
                       bool fresh, Progress& progress);

struct ZipExtractOutcome {
  size_t Extracted = 0;
  // Entries that would be written outside the destination: absolute names,
  // ".." parts, links that lead out, or paths through such links.
  std::vector<std::string> Refused;
  // Entries that could not be written, or the archive itself, with the reason.
  std::vector<FileFailure> Failures;
  bool Cancelled = false;
};

// Extracts every entry of `archive` below `destination`, replacing files of
// the same name; entries that are refused or fail are skipped, the others
// extracted. An archive that is no regular file is refused unread.
ZipExtractOutcome ExtractZip(const std::string& archive, const std::string& destination,
                             Progress& progress);

}  // namespace zephirax
