#pragma once

#include <ostream>
#include <string>
#include <vector>

// `tdc-auto FILE OUT [options]`: the automatic TDC correction as the window's
// button runs it, with every redraw, then the corrected copy saved as the
// window saves it; prints the result as one JSON object. FILE is never
// changed. args[0] is "tdc-auto". Exit status 0 on success, 1 when a file is
// rejected or cannot be written, 2 on bad arguments.

namespace zephirax {

extern const char* const TdcAutoUsage;

int TdcAutoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zephirax
