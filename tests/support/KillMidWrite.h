#pragma once

#include <functional>
#include <string>

// Kills a process while it writes files and checks what it leaves: every file
// exactly as one complete write made it, and after one more write nothing
// else in the folder.

namespace zephirax::test {

struct KillableWriter {
  std::string Name;
  // Writes version 0 or 1 of the writer's files into `folder`; true on success.
  std::function<bool(const std::string& folder, int version)> Write;
};

// Writes in a child process that is killed with SIGKILL at each step of a
// replacement and, 30 times, after spread delays while it writes on and on.
// Reports what is wrong through gtest.
void ExpectWholeFilesAfterKills(const KillableWriter& writer);

}  // namespace zephirax::test
