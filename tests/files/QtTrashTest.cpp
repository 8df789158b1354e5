#include "files/QtTrash.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;

// The trash lives in the user's data folder, also on the first day, when that
// folder does not exist yet.
TEST(QtTrash, TrashesIntoTheUsersDataFolderEvenBeforeItExists) {
  test::TempDir home;
  test::ScopedEnv env;
  env.Set("HOME", home.File("home"));
  env.Set("XDG_DATA_HOME", home.File("home/.local/share"));
  fs::create_directories(home.File("work"));
  test::WriteBytes(home.File("work/SHIP1.KV"), "m");

  QtTrash trash;
  std::string why;
  const bool trashed = trash.MoveToTrash(home.File("work/SHIP1.KV"), why);
  EXPECT_TRUE(trashed) << why;
  EXPECT_FALSE(fs::exists(home.File("work/SHIP1.KV")));
  EXPECT_EQ(test::ReadBytes(home.File("home/.local/share/Trash/files/SHIP1.KV")), "m");
  EXPECT_TRUE(fs::exists(home.File("home/.local/share/Trash/info/SHIP1.KV.trashinfo")));
  EXPECT_FALSE(fs::exists(home.File("work/files")));
}

}  // namespace
}  // namespace zephirax
