#include "files/ZipEntryNames.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;

TEST(ZipEntryNames, OnlyNamesBelowTheFolderAreWritten) {
  const struct {
    const char* Name;
    const char* Path;  // nullptr: refused
  } cases[] = {
      {"SHIP1.KV", "SHIP1.KV"},
      {"trip/SHIP1.KV", "trip/SHIP1.KV"},
      {"./trip//SHIP1.KV", "trip/SHIP1.KV"},
      {"trip/", "trip"},
      {"a..b", "a..b"},
      {"", nullptr},
      {"/etc/passwd", nullptr},
      {"../x", nullptr},
      {"trip/../../x", nullptr},
      {"trip/..", nullptr},
      {"..\\x", nullptr},
      {"C:x", nullptr},
      {"c:/x", nullptr},
      {"./", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<fs::path> path = SafeEntryPath(c.Name);
    EXPECT_EQ(path ? path->string() : "<refused>", c.Path ? c.Path : "<refused>") << c.Name;
  }
}

TEST(ZipEntryNames, LinksOnTheWayAreFollowed) {
  test::TempDir home;
  const fs::path dest = home.Path() / "dest";
  fs::create_directories(dest / "sub");
  fs::create_directories(home.Path() / "outside");
  fs::create_directory_symlink(home.Path() / "outside", dest / "out");
  fs::create_directory_symlink("sub", dest / "in");
  EXPECT_TRUE(ResolvesInside(dest, dest / "new/file"));
  EXPECT_TRUE(ResolvesInside(dest, dest / "in/file"));
  EXPECT_FALSE(ResolvesInside(dest, dest / "out/file"));
  EXPECT_FALSE(ResolvesInside(dest, dest / "sub/../../x"));
  EXPECT_FALSE(ResolvesInside(dest, home.Path() / "dest2/x"));  // a longer sibling name
}

}  // namespace
}  // namespace zephirax
