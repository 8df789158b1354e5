#pragma once

#include <ostream>
#include <string>
#include <vector>

// `receive --device PATH --save NAME [--timeout SECONDS]`: waits for one
// measurement block from the device on PATH, as the receive dialog does, and
// saves it as NAME.KV or NAME.KS. Progress goes to stderr, the saved file's
// path to stdout. Exit status 0 when saved, 1 when nothing good was received
// (with the message), 2 on bad arguments.

namespace zephirax {

// What the command's --help prints.
extern const char* const ReceiveUsage;

int ReceiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zephirax
