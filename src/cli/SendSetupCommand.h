#pragma once

#include <ostream>
#include <string>
#include <vector>

// `send-setup SETUPFILE --device PATH`: sends a setup file's line frame to the
// device on PATH at 9600 baud, byte by byte, as the transmit dialog does.
// Progress goes to stderr. Exit status 0 when sent, 1 when the file is
// rejected or the port cannot be opened, 2 on bad arguments.

namespace zephirax {

// What the command's --help prints.
extern const char* const SendSetupUsage;

int SendSetupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zephirax
