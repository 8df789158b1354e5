#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

// `register` and `ports` as installers and users run them: the program
// itself, with a home, data and settings folder of the test's own.

namespace zephirax {
namespace {

using test::ChildProcess;
using test::ReadBytes;

// A program on PATH, or empty.
std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const std::string candidate = folder + "/" + name;
    if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

struct Finished {
  int Status = -1;
  std::string Output;
};

class DesktopCommandsTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  std::string dataHome_ = home_.File("data");
  std::string path_ = std::getenv("PATH");

  // Runs `args` in the test's folders.
  Finished Start(std::vector<std::string> args) {
    std::vector<std::string> line = {"/usr/bin/env", "HOME=" + home_.Path().string(),
                                     "XDG_DATA_HOME=" + dataHome_,
                                     "XDG_CONFIG_HOME=" + home_.File("config"), "PATH=" + path_};
    line.insert(line.end(), args.begin(), args.end());
    ChildProcess process(line);
    Finished run;
    run.Status = process.Wait(std::chrono::seconds(60));
    run.Output = process.Output();
    return run;
  }
};

// Without the desktop's tools on PATH the files are written all the same;
// each step is printed, a failed one named.
TEST_F(DesktopCommandsTest, RegisterPrintsWhatItDid) {
  std::filesystem::create_directories(home_.File("no-tools"));
  path_ = home_.File("no-tools");
  const Finished run = Start({ZEPHIRAX_CLI, "register", "--user"});
  ASSERT_EQ(run.Status, 0) << run.Output;
  const std::string list = home_.File("config/mimeapps.list");
  EXPECT_EQ(run.Output, "wrote " + dataHome_ + "/mime/packages/voltan-zephirax.xml\n" + "wrote " +
                            dataHome_ + "/applications/zephirax.desktop\n" +
                            "skipped update-mime-database: not installed\n" +
                            "skipped update-desktop-database: not installed\n" + "wrote " + list +
                            "\nFiles with ext .KV registered\n" + "wrote " + list +
                            "\nFiles with ext .KS registered\n");
  const std::string program =
      (std::filesystem::path(ZEPHIRAX_CLI).parent_path() / "zephirax").string();
  EXPECT_NE(
      ReadBytes(dataHome_ + "/applications/zephirax.desktop").find("\nExec=" + program + " %f\n"),
      std::string::npos);

  test::WriteBytes(home_.File("blocked"), "");
  dataHome_ = home_.File("blocked");
  const Finished failed = Start({ZEPHIRAX_CLI, "register"});
  EXPECT_EQ(failed.Status, 1);
  EXPECT_EQ(failed.Output,
            "zephirax-cli: The file types could not be registered.\n"
            "zephirax-cli: The file type description " +
                dataHome_ + "/mime/packages/voltan-zephirax.xml could not be written.\n");
  EXPECT_EQ(Start({ZEPHIRAX_CLI, "register", "--system"}).Status, 2);
}

// The real thing on a virtual display: afterwards the desktop's own tools
// name the program for measurement files.
TEST_F(DesktopCommandsTest, RegisterForRealUnderXvfb) {
  const std::string xvfbRun = FindProgram("xvfb-run");
  const std::string xdgMime = FindProgram("xdg-mime");
  if (xvfbRun.empty() || xdgMime.empty()) GTEST_SKIP() << "needs xvfb-run and xdg-mime";
  const Finished run = Start({xvfbRun, "-a", ZEPHIRAX_CLI, "register", "--user"});
  ASSERT_EQ(run.Status, 0) << run.Output;
  EXPECT_NE(run.Output.find("ran xdg-mime default zephirax.desktop application/x-voltan-ks"),
            std::string::npos)
      << run.Output;
  for (const char* type : {"application/x-voltan-kv", "application/x-voltan-ks"}) {
    EXPECT_EQ(Start({xdgMime, "query", "default", type}).Output, "zephirax.desktop\n");
  }
  // GLib's desktop stack finds the type by the name and the program for it.
  if (const std::string gio = FindProgram("gio"); !gio.empty()) {
    test::WriteBytes(home_.File("M 1.KS"), "measurement\r\n");
    EXPECT_NE(Start({gio, "info", "-a", "standard::content-type", home_.File("M 1.KS")})
                  .Output.find("application/x-voltan-ks"),
              std::string::npos);
    EXPECT_NE(Start({gio, "mime", "application/x-voltan-kv"})
                  .Output.find("Default application for “application/x-voltan-kv”: "
                               "zephirax.desktop"),
              std::string::npos);
  }
  if (const std::string validate = FindProgram("desktop-file-validate"); !validate.empty()) {
    const Finished valid = Start({validate, dataHome_ + "/applications/zephirax.desktop"});
    EXPECT_EQ(valid.Status, 0) << valid.Output;
    EXPECT_EQ(valid.Output, "");
  }
}

// The configured device is listed after the machine's ports, marked as gone.
TEST_F(DesktopCommandsTest, PortsListsTheConfiguredDevice) {
  std::filesystem::create_directories(home_.File("config/VOLTAN"));
  test::WriteBytes(home_.File("config/VOLTAN/ZEPHIRAX.INI"),
                   "[Ports]\r\nDevice=/dev/zephirax-gone\r\n");
  const Finished run = Start({ZEPHIRAX_CLI, "ports"});
  ASSERT_EQ(run.Status, 0) << run.Output;
  std::istringstream lines(run.Output);
  std::string line;
  std::string last;
  while (std::getline(lines, line)) {
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 1) << line;
    last = line;
  }
  EXPECT_EQ(last, "/dev/zephirax-gone\t(not present)");
  EXPECT_EQ(Start({ZEPHIRAX_CLI, "ports", "extra"}).Status, 2);
}

}  // namespace
}  // namespace zephirax
