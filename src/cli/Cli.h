#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zephirax {

// `zephirax-cli` without the process around it: arguments after the program
// name, output streams; returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zephirax
