#include "files/QtZipArchive.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "support/ArchiveListing.h"
#include "support/CraftedArchive.h"
#include "support/KillMidWrite.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

class ZipArchiveTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  SilentProgress progress_;
  std::string File(const std::string& name, const std::string& bytes) const {
    fs::create_directories(fs::path(home_.File(name)).parent_path());
    WriteBytes(home_.File(name), bytes);
    return home_.File(name);
  }
  std::set<std::string> Names(const std::string& folder) const {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      names.insert(fs::relative(entry.path(), folder).string());
    }
    return names;
  }
};

TEST_F(ZipArchiveTest, RoundTripThroughAStandardArchive) {
  std::string curves(200000, '\0');
  for (size_t k = 0; k < curves.size(); ++k) curves[k] = static_cast<char>(k * 7 % 251);
  const std::vector<std::string> files = {
      File("data/SHIP1.KV", curves), File("data/SHIP1.EXH", "exh"), File("data/MY SHIP.KS", "ks")};
  const std::string archive = home_.File("out/TRIP.ZIP");
  fs::create_directories(home_.File("out"));
  const ZipAddOutcome added = AddToZip(archive, files, false, progress_);
  EXPECT_TRUE(added.Written) << added.Error;
  EXPECT_EQ(added.Added, std::vector<bool>(3, true));
  EXPECT_EQ(test::UnzipListing(archive),
            (std::set<std::string>{"SHIP1.KV", "SHIP1.EXH", "MY SHIP.KS"}));

  const ZipExtractOutcome extracted = ExtractZip(archive, home_.File("back"), progress_);
  EXPECT_EQ(extracted.Extracted, 3u);
  EXPECT_TRUE(extracted.Refused.empty());
  EXPECT_TRUE(extracted.Failures.empty());
  EXPECT_EQ(ReadBytes(home_.File("back/SHIP1.KV")), curves);
  EXPECT_EQ(ReadBytes(home_.File("back/MY SHIP.KS")), "ks");
}

// Names that lead out of the folder, links that point out of it and paths
// through a link that points out are refused; nothing is written outside;
// the other entries are extracted, an inside link too.
TEST_F(ZipArchiveTest, EntriesThatLeadOutsideAreRefused) {
  const std::string outside = home_.File("outside");
  fs::create_directories(outside);
  const std::string dest = home_.File("dest");
  fs::create_directories(dest);
  fs::create_directory_symlink(outside, dest + "/planted");
  const std::string archive = home_.File("evil.zip");
  ASSERT_TRUE(test::WriteCraftedArchive(archive, {
                                                     {"good.txt", "good"},
                                                     {"../x", "up"},
                                                     {outside + "/abs", "absolute"},
                                                     {"escape", "../outside", true},
                                                     {"rooted", outside, true},
                                                     {"planted/y", "through a link"},
                                                     {"alias", "good.txt", true},
                                                     {"sub/deep.txt", "deep"},
                                                 }));
  const ZipExtractOutcome outcome = ExtractZip(archive, dest, progress_);
  EXPECT_EQ(std::set<std::string>(outcome.Refused.begin(), outcome.Refused.end()),
            (std::set<std::string>{"../x", outside + "/abs", "escape", "rooted", "planted/y"}));
  EXPECT_TRUE(outcome.Failures.empty());
  EXPECT_EQ(outcome.Extracted, 3u);
  EXPECT_TRUE(fs::is_empty(outside));
  EXPECT_FALSE(fs::exists(home_.File("x")));
  EXPECT_EQ(ReadBytes(dest + "/good.txt"), "good");
  EXPECT_EQ(ReadBytes(dest + "/sub/deep.txt"), "deep");
  EXPECT_EQ(fs::read_symlink(dest + "/alias"), "good.txt");
}

// A damaged entry never appears under its real name, nor as a leftover
// temporary file; the sound entries are extracted.
TEST_F(ZipArchiveTest, DamagedEntryLeavesNothingBehind) {
  const std::string archive = home_.File("damaged.zip");
  const std::string payload(5000, 'Q');
  ASSERT_TRUE(test::WriteCraftedArchive(archive, {{"sound.txt", "sound"}, {"SHIP1.KV", payload}}));
  std::string bytes = ReadBytes(archive);
  bytes[bytes.find(payload) + 2500] = 'X';  // the checksum no longer matches
  WriteBytes(archive, bytes);
  const std::string dest = home_.File("dest");
  fs::create_directories(dest);
  WriteBytes(dest + "/SHIP1.KV", "kept");

  const ZipExtractOutcome outcome = ExtractZip(archive, dest, progress_);
  ASSERT_EQ(outcome.Failures.size(), 1u);
  EXPECT_EQ(outcome.Failures[0].File, "SHIP1.KV");
  EXPECT_EQ(ReadBytes(dest + "/SHIP1.KV"), "kept");
  EXPECT_EQ(Names(dest), (std::set<std::string>{"SHIP1.KV", "sound.txt"}));

  const ZipExtractOutcome notAnArchive = ExtractZip(dest + "/sound.txt", dest, progress_);
  ASSERT_EQ(notAnArchive.Failures.size(), 1u);
  EXPECT_EQ(notAnArchive.Failures[0].File, dest + "/sound.txt");
}

// A kill while an archive is written or unpacked leaves every file whole and,
// after the next run, nothing beside the files.
TEST_F(ZipArchiveTest, KilledWritesLeaveWholeFilesAndNoLitter) {
  std::string archives[2], inputs[2];
  for (int v = 0; v < 2; ++v) {
    std::string bytes(300000, '\0');
    for (size_t k = 0; k < bytes.size(); ++k) bytes[k] = static_cast<char>(k * (7 + v) % 251);
    inputs[v] = File("in" + std::to_string(v) + "/A.KV", bytes);
    archives[v] = home_.File("in" + std::to_string(v) + "/A.ZIP");
    ASSERT_TRUE(AddToZip(archives[v], {inputs[v]}, true, progress_).Written);
  }
  const test::KillableWriter writers[] = {
      {"archive",
       [&](const std::string& folder, int v) {
         fs::create_directories(folder);
         SilentProgress progress;
         return AddToZip(folder + "/OUT.ZIP", {inputs[v]}, true, progress).Written;
       }},
      {"extraction",
       [&](const std::string& folder, int v) {
         SilentProgress progress;
         return ExtractZip(archives[v], folder, progress).Extracted == 1;
       }},
  };
  for (const test::KillableWriter& writer : writers) test::ExpectWholeFilesAfterKills(writer);
}

}  // namespace
}  // namespace zephirax
