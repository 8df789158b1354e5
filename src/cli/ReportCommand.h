#pragma once

#include <ostream>
#include <string>
#include <vector>

// `report FILE -o OUT.pdf [options]`: the print run of the analysis views
// into PDF files, as the window's print button runs it. args[0] is "report".
// Exit status 0 on success, 1 when a file is rejected, nothing can be printed
// or the output cannot be written, 2 on bad arguments.

namespace zephirax {

// What the command's --help prints.
extern const char* const ReportUsage;

int ReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zephirax
