#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "platform/TemporaryFiles.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

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
  EXPECT_EQ(Names(dir.Path() / "sub/DATA"), std::set<std::string>{"A.KV"});

  // A destination whose folder cannot be made.
  test::WriteBytes(dir.File("plain"), "");
  EXPECT_FALSE(ReplaceFileAtomically(dir.File("plain/A.KV"), "x"));
}

TEST(AtomicFile, KeepsTheModeOfTheReplacedFile) {
  test::TempDir dir;
  const struct {
    mode_t Before;  // 0: no file yet
    mode_t After;
  } cases[] = {{0, 0644}, {0600, 0600}, {0640, 0640}, {0755, 0755}, {0444, 0444}};
  for (const auto& c : cases) {
    const std::string path = dir.File("M" + std::to_string(c.Before));
    if (c.Before != 0) {
      test::WriteBytes(path, "old");
      chmod(path.c_str(), c.Before);
    }
    ASSERT_TRUE(ReplaceFileAtomically(path, "new"));
    EXPECT_EQ(ModeOf(path), c.After) << std::oct << c.Before;
  }
}

TEST(AtomicFile, WritesTheFileALinkLeadsTo) {
  test::TempDir dir;
  fs::create_directory(dir.Path() / "real");
  test::WriteBytes(dir.File("real/A.KV"), "old");
  fs::create_symlink("real/A.KV", dir.Path() / "one");         // relative
  fs::create_symlink(dir.Path() / "one", dir.Path() / "two");  // absolute, to a link
  fs::create_symlink("real/NEW.KV", dir.Path() / "dangling");
  const struct {
    const char* Link;
    const char* Real;
  } cases[] = {{"one", "real/A.KV"}, {"two", "real/A.KV"}, {"dangling", "real/NEW.KV"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(ReplaceFileAtomically(dir.File(c.Link), c.Link)) << c.Link;
    EXPECT_TRUE(fs::is_symlink(dir.Path() / c.Link)) << c.Link;
    EXPECT_EQ(test::ReadBytes(dir.File(c.Real)), c.Link);
  }
  EXPECT_EQ(Names(dir.Path() / "real"), (std::set<std::string>{"A.KV", "NEW.KV"}));

  fs::create_symlink("loop2", dir.Path() / "loop1");
  fs::create_symlink("loop1", dir.Path() / "loop2");
  EXPECT_FALSE(ReplaceFileAtomically(dir.File("loop1"), "x"));
}

TEST(AtomicFile, RemovesOnlyTheTemporariesOfKilledWriters) {
  test::TempDir dir;
  const std::string path = dir.File("A.KV");
  const char* abandoned[] = {"A.KV.tmp-abc123", "A.KV.tmp-ZZZZZZ"};
  const char* others[] = {"A.KV.tmp-abc12",  "A.KV.tmp-abc1234", "A.KV.tmp-abc12!",
                          "B.KV.tmp-abc123", ".A.KV.tmp-abc123", "A.KV.tmp-living"};
  for (const char* name : abandoned) test::WriteBytes(dir.File(name), "left by a kill");
  for (const char* name : others) test::WriteBytes(dir.File(name), "not ours");
  // A writer that still works on its temporary file holds its lock.
  const int living = open(dir.File("A.KV.tmp-living").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(living, LOCK_EX), 0);

  ASSERT_TRUE(ReplaceFileAtomically(path, "new"));
  std::set<std::string> expected(std::begin(others), std::end(others));
  expected.insert("A.KV");
  EXPECT_EQ(Names(dir.Path()), expected);
  close(living);
}

TEST(AtomicFile, NamedTemporariesAreLockedAgainstOtherWriters) {
  test::TempDir dir;
  const fs::path target = dir.Path() / "A.KV";
  const std::optional<NamedTemporary> temporary = CreateNamedTemporary(target);
  ASSERT_TRUE(temporary);
  EXPECT_TRUE(IsTemporaryOf(temporary->Path.filename().string(), "A.KV"));
  RemoveStaleTemporaries(target);
  EXPECT_TRUE(fs::exists(temporary->Path));
  close(temporary->Descriptor);
  RemoveStaleTemporaries(target);
  EXPECT_FALSE(fs::exists(temporary->Path));
}

}  // namespace
}  // namespace zephirax
