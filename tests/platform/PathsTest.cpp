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
  const std::string home = temp.File("home"), self = temp.Path().string();
  EnvVar homeVar("HOME", home), xdg("XDG_CONFIG_HOME", temp.File("xdg")),
      programVar("ZEPHIRAX_HOME", std::nullopt);
  EXPECT_EQ(AppDataDir(), temp.File("xdg/VOLTAN"));
  EXPECT_TRUE(std::filesystem::is_directory(temp.File("xdg/VOLTAN")));
  EnvVar relative("XDG_CONFIG_HOME", "relative/config");  // ignored: not absolute
  EXPECT_EQ(AppDataDir(), home + "/.config/VOLTAN");

  EXPECT_EQ(ProgramDir(self), self);  // the executable's folder, where writable
  const std::string fallback = ProgramDir(temp.File("missing"));
  EXPECT_EQ(fallback, home + "/ZEPHIRAX");
  EXPECT_EQ(DataDir(fallback + "/"), fallback + "/DATA");
  EXPECT_EQ(EngineDir(fallback), fallback + "/ENGINE");
  EXPECT_TRUE(std::filesystem::is_directory(fallback + "/DATA"));
  EnvVar configured("ZEPHIRAX_HOME", temp.File("configured"));
  EXPECT_EQ(ProgramDir(self), temp.File("configured"));
  EnvVar noHome("HOME", std::nullopt);
  EXPECT_EQ(AppDataDir(), "");
}

}  // namespace
}  // namespace zephirax
