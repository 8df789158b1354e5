#pragma once

#include <ostream>
#include <string>
#include <vector>

// The command line of voltan-sim: "voltan-sim <command> [options]". Each
// command is one entry in a table, so that further device roles (such as the
// serial line simulator) slot in beside "generate".

namespace voltansim {

// Runs the command given by `args` (without the program name); the result is
// the process exit code: 0 done, 1 the work failed, 2 bad arguments.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Replaces `fileName` by `bytes` through a temporary file in the same folder,
// so that a reader never sees a half-written file. Empty on success, else why not.
std::string WriteFileAtomically(const std::string& fileName, const std::string& bytes);

}  // namespace voltansim
