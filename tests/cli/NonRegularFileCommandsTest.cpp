#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/SpecialFiles.h"
#include "support/TempDir.h"

// Commands given a FIFO, a folder or a device where a file belongs end at
// once with the reason; a FIFO never makes them wait for a writer.

namespace zephirax {
namespace {

TEST(NonRegularFileCommands, EndAtOnceWithTheReason) {
  struct Case {
    std::vector<std::string> Args;  // "@" stands for the special file
    const char* Reason;
  };
  const std::vector<Case> cases = {
      {{"dump", "@"}, "This is not a regular file."},
      {{"unzip", "@", "out"}, "This is not a regular file."},
      {{"zip", "@", "SHIP.KV"}, "This is not a regular file."},
      {{"setup", "show", "@"}, "This is not a valid file type !"},
      {{"exh", "show", "@", "--cyl", "4"}, "could not read the additional-data file"},
  };
  for (const Case& c : cases) {
    for (const test::SpecialFile& special : test::SpecialFiles()) {
      SCOPED_TRACE(c.Args.front() + " given a " + special.What);
      test::TempDir dir;
      test::WriteBytes(dir.File("SHIP.KV"), "x");
      const std::string path = dir.File("SPECIAL");
      test::MakeSpecial(special.Kind, path);
      std::vector<std::string> line = {"/usr/bin/env", "XDG_CONFIG_HOME=" + dir.File("config"),
                                       ZEPHIRAX_CLI};
      for (const std::string& arg : c.Args) {
        line.push_back(arg == "@" ? path : arg == "out" || arg == "SHIP.KV" ? dir.File(arg) : arg);
      }
      test::ChildProcess process(line);
      // Killed and failed when it waits on the FIFO.
      EXPECT_EQ(process.Wait(std::chrono::seconds(10)), 1);
      const std::string output = process.Output();
      EXPECT_NE(output.find(c.Reason), std::string::npos) << output;
    }
  }
}

}  // namespace
}  // namespace zephirax
