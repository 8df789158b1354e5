#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace zephirax {

// `zephirax-cli` without the process around it: arguments after the program
// name, the standard streams; returns the exit status.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace zephirax
