#pragma once

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

// What another program makes of an archive: the names `unzip -l` lists,
// or {"<unreadable>"} when it cannot read it.

namespace zephirax::test {

inline std::set<std::string> UnzipListing(const std::string& archive) {
  const std::string command = "unzip -l '" + archive + "' 2>/dev/null";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {"<unreadable>"};
  std::string text;
  char buffer[4096];
  for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    text.append(buffer, count);
  }
  if (pclose(pipe) != 0) return {"<unreadable>"};
  // The names stand between the two dashed lines, after length, date and time.
  std::set<std::string> names;
  std::istringstream lines(text);
  int dashes = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("---")) {
      ++dashes;
    } else if (dashes == 1) {
      std::istringstream fields(line);
      std::string length, date, time;
      fields >> length >> date >> time;
      std::string name;
      std::getline(fields >> std::ws, name);
      names.insert(name);
    }
  }
  return names;
}

}  // namespace zephirax::test
