#include "files/ZipEntryNames.h"

#include <gtest/gtest.h>

namespace zephirax {
namespace {

TEST(ZipEntryNames, OnlyNamesBelowTheFolderAreWritten) {
  const struct {
    const char* Name;
    const char* Path;  // nullptr: refused
  } cases[] = {
      {"trip/SHIP1.KV", "trip/SHIP1.KV"},
      {"./trip//SHIP1.KV", "trip/SHIP1.KV"},
      {"trip/", "trip"},
      {"a..b", "a..b"},
      {"", nullptr},
      {"/etc/passwd", nullptr},
      {"trip/../../x", nullptr},
      {"trip/..", nullptr},
      {"..\\x", nullptr},
      {"C:x", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<std::filesystem::path> path = SafeEntryPath(c.Name);
    EXPECT_EQ(path ? path->string() : "<refused>", c.Path ? c.Path : "<refused>") << c.Name;
  }
}

}  // namespace
}  // namespace zephirax
