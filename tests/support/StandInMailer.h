#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

// An xdg-email of the test's own: it records its arguments and the locale it
// was started with, and exits with the code the test chose.

namespace zephirax::test {

class StandInMailer {
 public:
  StandInMailer() {
    std::filesystem::create_directories(folder_.File("bin"));
    const std::string script = folder_.File("bin/xdg-email");
    WriteBytes(script,
               "#!/bin/sh\n"
               "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > '" +
                   folder_.File("args") +
                   "'\n"
                   "printf '%s\\n' \"LC_ALL=$LC_ALL\" \"LC_CTYPE=$LC_CTYPE\" \"LANG=$LANG\" > '" +
                   folder_.File("locale") +
                   "'\n"
                   "exit $(cat '" +
                   folder_.File("exit") + "')\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    SetExit(0);
  }

  // The folder to put first on PATH.
  std::string Bin() const { return folder_.File("bin"); }
  void SetExit(int code) { WriteBytes(folder_.File("exit"), std::to_string(code) + "\n"); }
  bool Called() const { return std::filesystem::exists(folder_.File("args")); }
  std::vector<std::string> Args() const {
    std::vector<std::string> args;
    const std::string bytes = ReadBytes(folder_.File("args"));
    for (size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos;
         start = end + 1) {
      args.push_back(bytes.substr(start, end - start));
    }
    return args;
  }
  std::string Locale() const { return ReadBytes(folder_.File("locale")); }

 private:
  TempDir folder_;
};

}  // namespace zephirax::test
