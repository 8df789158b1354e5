#pragma once

#include <ostream>
#include <string>
#include <vector>

// The text printouts into a PDF file, one page each:
// `print-form OUT.pdf`: the blank additional-data form;
// `print-data FILE OUT.pdf`: the additional data of the measurement FILE
// (read from its ".EXH" file);
// `print-setup SETUPFILE OUT.pdf`: the engine setup listing.
// args[0] is the command. Language and units default to the configuration
// file. Exit status 0 on success (OUT's path on `out`), 1 when a file is
// rejected or the PDF cannot be written (OUT then stays as it was), 2 on bad
// arguments.

namespace zephirax {

// What each command's --help prints.
extern const char* const PrintFormUsage;
extern const char* const PrintDataUsage;
extern const char* const PrintSetupUsage;

int PrintFormCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int PrintDataCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int PrintSetupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zephirax
