#pragma once

#include "support/ChildProcess.h"

#include <string>
#include <vector>

// Reads printed PDF files back with the poppler tools, as a person checking a
// printout would: how many pages, and what text stands on them.

namespace zephirax::test {

// The number of pages pdfinfo reports, -1 when it cannot read the file.
inline int PdfPageCount(const std::string& path) {
  ChildProcess info({"/usr/bin/pdfinfo", path});
  // Read to the end first: a child whose pipe is full never exits.
  const std::string output = info.Output();
  if (info.Wait() != 0) return -1;
  const size_t at = output.find("Pages:");
  if (at == std::string::npos) return -1;
  return std::stoi(output.substr(at + 6));
}

// The text of the pages from `first` to `last` (1-based; 0 for all), in
// reading order with the layout kept, so that a line stays one line.
inline std::string PdfText(const std::string& path, int first = 0, int last = 0) {
  std::vector<std::string> args = {"/usr/bin/pdftotext", "-layout", "-enc", "UTF-8"};
  if (first > 0) args.insert(args.end(), {"-f", std::to_string(first)});
  if (last > 0) args.insert(args.end(), {"-l", std::to_string(last)});
  args.insert(args.end(), {path, "-"});
  ChildProcess text(args);
  std::string output = text.Output();
  if (text.Wait() != 0) return {};
  return output;
}

}  // namespace zephirax::test
