#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;

// Sets (or, given nullopt, unsets) an environment variable for one scope.
class EnvVar {
 public:
  EnvVar(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  }
  ~EnvVar() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(PathsTest, AppDataDirFollowsTheConfigHome) {
  test::TempDir temp;
  EnvVar home("HOME", temp.File("home"));
  {
    EnvVar xdg("XDG_CONFIG_HOME", temp.File("xdg"));
    EXPECT_EQ(AppDataDir(), temp.File("xdg") + "/VOLTAN");
    EXPECT_TRUE(fs::is_directory(temp.File("xdg") + "/VOLTAN"));
  }
  EnvVar xdg("XDG_CONFIG_HOME", "relative/config");  // ignored: not absolute
  EXPECT_EQ(AppDataDir(), temp.File("home") + "/.config/VOLTAN");
  EXPECT_TRUE(fs::is_directory(temp.File("home") + "/.config/VOLTAN"));
  EnvVar noHome("HOME", std::nullopt);
  EXPECT_EQ(AppDataDir(), "");
}

TEST(PathsTest, ProgramDirAndItsFolders) {
  test::TempDir temp;
  EnvVar home("HOME", temp.File("home"));
  {
    EnvVar configured("ZEPHIRAX_HOME", temp.File("configured"));
    EXPECT_EQ(ProgramDir(temp.Path().string()), temp.File("configured"));
  }
  EnvVar configured("ZEPHIRAX_HOME", std::nullopt);
  EXPECT_EQ(ProgramDir(temp.Path().string()), temp.Path().string());
  // A folder the program cannot write into (here: one that does not exist).
  const std::string fallback = ProgramDir(temp.File("missing"));
  EXPECT_EQ(fallback, temp.File("home") + "/ZEPHIRAX");
  EXPECT_EQ(DataDir(fallback), fallback + "/DATA");
  EXPECT_EQ(EngineDir(fallback + "/"), fallback + "/ENGINE");
  EXPECT_TRUE(fs::is_directory(fallback + "/DATA"));
  EXPECT_TRUE(fs::is_directory(fallback + "/ENGINE"));
}

}  // namespace
}  // namespace zephirax
