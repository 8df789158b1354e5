#pragma once

#include <ostream>
#include <string>
#include <vector>

// `render FILE --view V -o OUT.png [options]`: draws a view of a measurement
// with the window's own drawing code into a picture file, optionally logging
// every drawing call. args[0] is "render". Exit status 0 on success, 1 when a
// file is rejected or cannot be written, 2 on bad arguments.

namespace zephirax {

// What the command's --help prints.
extern const char* const RenderUsage;

int RenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zephirax
