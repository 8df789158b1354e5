#pragma once

#include <string>
#include <vector>

#include "files/FileOperations.h"
#include "platform/LangText.h"

// The messages of the file functions in the user's language.

namespace zephirax {

// `lead` names the file (its "%s"); the reason follows on the next line.
std::string FailureMessage(const LangText& lead, const FileFailure& failure, int language);

// The entries of `archive` that were refused, one per line after the text.
std::string UnsafeEntriesMessage(const std::string& archive,
                                 const std::vector<std::string>& entries, int language);

}  // namespace zephirax
