#pragma once

#include <optional>
#include <string>
#include <vector>

// Starts one of the system's helper programs (the desktop's database tools)
// and waits for it. A program gets an argument list, never a command line for
// a shell, so no text of the user's is ever read as shell syntax.

namespace zephirax {

struct ToolOutcome {
  bool Finished = false;  // false: it could not be started, crashed or hung
  int ExitCode = -1;
  std::string Output;  // what it wrote on stdout and stderr
};

class ToolRunner {
 public:
  virtual ~ToolRunner() = default;
  // Runs `program` (a name looked up on PATH) with `args`; no value when no
  // such program is installed.
  virtual std::optional<ToolOutcome> Run(const std::string& program,
                                         const std::vector<std::string>& args) = 0;
};

}  // namespace zephirax
