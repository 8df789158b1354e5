#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

namespace zephirax {
namespace {

TEST(AtomicFile, ReplacesWholeOrNotAtAll) {
  test::TempDir dir;
  const std::string path = dir.File("sub/DATA/A.KV");
  ASSERT_TRUE(ReplaceFileAtomically(path, "first"));  // creates the folders
  EXPECT_EQ(test::ReadBytes(path), "first");
  ASSERT_TRUE(ReplaceFileAtomically(path, "second, longer"));
  EXPECT_EQ(test::ReadBytes(path), "second, longer");

  // A write that fails half-way (a full disk) leaves the old file and no temporary file.
  const FileChunkWriter halfThenFail = [](std::FILE* file, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
    return false;
  };
  EXPECT_FALSE(ReplaceFileAtomically(path, "third, never complete", halfThenFail));
  EXPECT_EQ(test::ReadBytes(path), "second, longer");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path() / "sub/DATA"),
                          std::filesystem::directory_iterator()),
            1);

  // A destination whose folder cannot be made.
  test::WriteBytes(dir.File("plain"), "");
  EXPECT_FALSE(ReplaceFileAtomically(dir.File("plain/A.KV"), "x"));
}

}  // namespace
}  // namespace zephirax
