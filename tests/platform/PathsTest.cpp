#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "support/TempDir.h"

namespace zephirax {
namespace {

// Sets (or, given nullopt, unsets) an environment variable for one scope.
struct EnvVar {
  EnvVar(const char* name, const std::optional<std::string>& value) : Name(name) {
    if (const char* old = std::getenv(name)) Old = old;
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  }
  ~EnvVar() { Old ? setenv(Name, Old->c_str(), 1) : unsetenv(Name); }
  const char* Name;
  std::optional<std::string> Old;
};

TEST(PathsTest, FoldersFollowTheEnvironmentAndAreCreated) {
  test::TempDir temp;
  const std::string home = temp.File("home");
  EnvVar homeVar("HOME", home), xdg("XDG_CONFIG_HOME", temp.File("xdg")),
      programVar("ZEPHIRAX_HOME", std::nullopt);
  EXPECT_EQ(AppDataDir(), temp.File("xdg/VOLTAN"));
  EXPECT_TRUE(std::filesystem::is_directory(temp.File("xdg/VOLTAN")));
  EnvVar relative("XDG_CONFIG_HOME", "relative/config");  // ignored: not absolute
  EXPECT_EQ(AppDataDir(), home + "/.config/VOLTAN");

  const std::string fallback = home + "/ZEPHIRAX";
  EXPECT_EQ(DataDir(fallback + "/"), fallback + "/DATA");
  EXPECT_EQ(EngineDir(fallback), fallback + "/ENGINE");
  EXPECT_TRUE(std::filesystem::is_directory(fallback + "/DATA"));
  EnvVar noHome("HOME", std::nullopt);
  EXPECT_EQ(AppDataDir(), "");
}

// A program run from its build or unpacked folder keeps its measurements
// there; an installed one, whose executable sits in a shared "bin" folder,
// never does, not even where that folder is writable.
TEST(PathsTest, ProgramDirKeepsOutOfInstalledBinFolders) {
  test::TempDir temp;
  const std::string home = temp.File("home");
  EnvVar homeVar("HOME", home), programVar("ZEPHIRAX_HOME", std::nullopt);
  const struct {
    std::string ExecutableDir;  // made when it does not start with "/"
    bool Own;                   // the executable's folder is the program folder
  } cases[] = {
      {"build", true},       {"ZEPHIRAX-1.0.3/", true}, {"tools/binary", true},
      {"usr/bin", false},    {"usr/local/bin/", false}, {"opt/zephirax/bin/.", false},
      {".local/bin", false}, {"sbin", false},           {"missing", false},
      {"/usr/bin", false},  // writable when the tests run as root
  };
  for (const auto& c : cases) {
    std::string dir = c.ExecutableDir;
    if (dir.front() != '/') {
      dir = temp.File(dir);
      if (dir.find("missing") == std::string::npos) std::filesystem::create_directories(dir);
    }
    EXPECT_EQ(ProgramDir(dir), c.Own ? dir : home + "/ZEPHIRAX") << c.ExecutableDir;
  }
  EnvVar configured("ZEPHIRAX_HOME", temp.File("configured"));
  for (const char* dir : {"build", "usr/bin"}) {
    EXPECT_EQ(ProgramDir(temp.File(dir)), temp.File("configured")) << dir;
  }
}

}  // namespace
}  // namespace zephirax
