#pragma once

#include <ostream>
#include <string>
#include <vector>

// `register [--user]`: registers .KV and .KS files with the desktop for the
// user, as the options dialog's button does; prints each step, and exits
// with 1 naming the step that failed.
// `ports`: the serial ports the options dialog offers, one per line: the
// path, a tab, the description.

namespace zephirax {

int RegisterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int PortsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zephirax
