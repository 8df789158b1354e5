#include "files/FileOperations.h"

#include <filesystem>
#include <set>
#include <tuple>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// A trash that keeps what it is given in a folder of the test, or refuses.
class FolderTrash : public Trash {
 public:
  explicit FolderTrash(fs::path folder) : folder_(std::move(folder)) {
    fs::create_directories(folder_);
  }
  bool MoveToTrash(const std::string& path, std::string& why) override {
    if (Refuse) {
      why = "refused by the test";
      return false;
    }
    fs::rename(path, folder_ / fs::path(path).filename());
    return true;
  }
  bool Refuse = false;

 private:
  fs::path folder_;
};

// Cancels before the file numbered `stopAt` (0-based).
class CancelAt : public Progress {
 public:
  explicit CancelAt(size_t stopAt) : stopAt_(stopAt) {}
  bool Step(const std::string&, size_t done, size_t) override { return done < stopAt_; }

 private:
  size_t stopAt_;
};

class FileOperationsTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  std::string src_ = home_.File("src");
  std::string dst_ = home_.File("dst");
  FolderTrash trash_{home_.File("trash")};
  SilentProgress progress_;

  void SetUp() override {
    fs::create_directories(src_);
    fs::create_directories(dst_);
  }
  std::string In(const std::string& folder, const std::string& name) const {
    return (fs::path(folder) / name).string();
  }
  void Put(const std::string& folder, const std::string& name, const std::string& bytes) const {
    WriteBytes(In(folder, name), bytes);
  }
  // Every name in a folder, hidden temporary files too.
  std::set<std::string> Names(const std::string& folder) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  OperationOutcome Run(Transfer kind, const std::vector<std::string>& names) {
    std::vector<std::string> files;
    for (const std::string& name : names) files.push_back(In(src_, name));
    return TransferFiles(kind, files, dst_, trash_, progress_);
  }
};

TEST_F(FileOperationsTest, SelectedFilesTakeTheirAdditionalDataAlongOnce) {
  Put(src_, "SHIP1.KV", "m1");
  Put(src_, "SHIP1.EXH", "e1");
  Put(src_, "SHIP2.KV", "m2");
  Put(src_, "ship3.ks", "m3");
  Put(src_, "ship3.exh", "e3");
  fs::create_directories(In(src_, "SHIP4.EXH"));  // a folder is no companion
  Put(src_, "SHIP4.KV", "m4");
  const struct {
    std::vector<std::string> Selected;
    std::vector<std::pair<std::string, bool>> Planned;
  } cases[] = {
      {{"SHIP1.KV"}, {{"SHIP1.KV", true}, {"SHIP1.EXH", false}}},
      {{"SHIP1.EXH"}, {{"SHIP1.EXH", true}}},
      {{"SHIP1.KV", "SHIP1.EXH"}, {{"SHIP1.KV", true}, {"SHIP1.EXH", true}}},
      {{"SHIP2.KV"}, {{"SHIP2.KV", true}}},
      {{"ship3.ks"}, {{"ship3.ks", true}, {"ship3.exh", false}}},
      {{"SHIP4.KV"}, {{"SHIP4.KV", true}}},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<std::string, bool>> planned;
    for (const PlannedFile& file : WithCompanions(src_, c.Selected)) {
      planned.emplace_back(fs::path(file.Path).filename().string(), file.Selected);
    }
    EXPECT_EQ(planned, c.Planned) << c.Selected.front();
  }
}

// A replaced file goes to the trash; the new one appears whole, with no
// temporary file left; a copy keeps its source, a move does not.
TEST_F(FileOperationsTest, ReplacedFilesGoToTheTrash) {
  for (const Transfer kind : {Transfer::Copy, Transfer::Move}) {
    Put(src_, "SHIP1.KV", "new");
    Put(dst_, "SHIP1.KV", "old");
    const OperationOutcome outcome = Run(kind, {"SHIP1.KV"});
    EXPECT_FALSE(outcome.Failure);
    EXPECT_EQ(outcome.Done, 1u);
    EXPECT_EQ(ReadBytes(In(dst_, "SHIP1.KV")), "new");
    EXPECT_EQ(ReadBytes(home_.File("trash/SHIP1.KV")), "old");
    EXPECT_EQ(Names(dst_), std::set<std::string>{"SHIP1.KV"});
    EXPECT_EQ(fs::exists(In(src_, "SHIP1.KV")), kind == Transfer::Copy);
    fs::remove(home_.File("trash/SHIP1.KV"));
  }
}

// When the trash does not take the old file, nothing is replaced and a moved
// file stays where it was.
TEST_F(FileOperationsTest, NothingIsReplacedWhenTheTrashRefuses) {
  trash_.Refuse = true;
  for (const Transfer kind : {Transfer::Copy, Transfer::Move}) {
    Put(src_, "SHIP1.KV", "new");
    Put(dst_, "SHIP1.KV", "old");
    const OperationOutcome outcome = Run(kind, {"SHIP1.KV"});
    ASSERT_TRUE(outcome.Failure);
    EXPECT_EQ(outcome.Failure->Fault, OperationFault::ReplacedToTrash);
    EXPECT_EQ(outcome.Failure->Detail, "refused by the test");
    EXPECT_EQ(ReadBytes(In(dst_, "SHIP1.KV")), "old");
    EXPECT_EQ(ReadBytes(In(src_, "SHIP1.KV")), "new");
    EXPECT_EQ(Names(dst_), std::set<std::string>{"SHIP1.KV"});
  }
}

// The run stops at a file that cannot be copied and names it; the files
// before it stay copied.
TEST_F(FileOperationsTest, StopsAtTheFileThatCannotBeCopied) {
  Put(src_, "A.KV", "a");
  Put(src_, "B.KV", "b");
  Put(src_, "C.KV", "c");
  fs::create_directories(In(dst_, "B.KV"));
  const struct {
    std::vector<std::string> Names;
    std::string Failed;
    OperationFault Fault;
  } cases[] = {
      {{"A.KV", "GONE.KV", "C.KV"}, "GONE.KV", OperationFault::SourceMissing},
      {{"A.KV", "B.KV", "C.KV"}, "B.KV", OperationFault::FolderInTheWay},
  };
  for (const auto& c : cases) {
    fs::remove(In(dst_, "A.KV"));
    const OperationOutcome outcome = Run(Transfer::Copy, c.Names);
    ASSERT_TRUE(outcome.Failure) << c.Failed;
    EXPECT_EQ(outcome.Failure->File, In(src_, c.Failed));
    EXPECT_EQ(outcome.Failure->Fault, c.Fault);
    EXPECT_EQ(outcome.Done, 1u);
    EXPECT_EQ(ReadBytes(In(dst_, "A.KV")), "a");
    EXPECT_FALSE(fs::exists(In(dst_, "C.KV")));
  }
}

// Copying or moving a file into its own folder must not lose it.
TEST_F(FileOperationsTest, SameFileIsLeftAlone) {
  Put(src_, "SHIP1.KV", "m");
  for (const Transfer kind : {Transfer::Copy, Transfer::Move}) {
    const OperationOutcome outcome =
        TransferFiles(kind, {In(src_, "SHIP1.KV")}, src_, trash_, progress_);
    ASSERT_TRUE(outcome.Failure);
    EXPECT_EQ(outcome.Failure->Fault, OperationFault::SameFile);
    EXPECT_EQ(ReadBytes(In(src_, "SHIP1.KV")), "m");
    EXPECT_EQ(Names(src_), std::set<std::string>{"SHIP1.KV"});
  }
}

TEST_F(FileOperationsTest, CancelStopsBetweenFiles) {
  Put(src_, "A.KV", "a");
  Put(src_, "B.KV", "b");
  CancelAt progress(1);
  const OperationOutcome outcome =
      TransferFiles(Transfer::Move, {In(src_, "A.KV"), In(src_, "B.KV")}, dst_, trash_, progress);
  EXPECT_TRUE(outcome.Cancelled);
  EXPECT_EQ(outcome.Done, 1u);
  EXPECT_EQ(Names(dst_), std::set<std::string>{"A.KV"});
  EXPECT_EQ(Names(src_), std::set<std::string>{"B.KV"});
}

TEST_F(FileOperationsTest, RenameNeverReplacesAndLeavesTheCompanion) {
  Put(src_, "SHIP1.KV", "m1");
  Put(src_, "SHIP1.EXH", "e1");
  Put(src_, "OTHER.KV", "o");
  const struct {
    std::string NewName;
    std::optional<OperationFault> Fault;
  } cases[] = {
      {"OTHER.KV", OperationFault::NameTaken},
      {"sub/X.KV", OperationFault::BadName},
      {"..", OperationFault::BadName},
      {"SHIP2.KV", std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<FileFailure> failure = RenameFile(In(src_, "SHIP1.KV"), c.NewName);
    EXPECT_EQ(failure ? std::optional(failure->Fault) : std::nullopt, c.Fault) << c.NewName;
  }
  EXPECT_EQ(Names(src_), (std::set<std::string>{"SHIP2.KV", "SHIP1.EXH", "OTHER.KV"}));
  EXPECT_EQ(ReadBytes(In(src_, "SHIP2.KV")), "m1");
  EXPECT_EQ(ReadBytes(In(src_, "OTHER.KV")), "o");
}

TEST_F(FileOperationsTest, DeletingKeepsTheFileWhenTheTrashRefuses) {
  Put(src_, "A.KV", "a");
  Put(src_, "B.KV", "b");
  EXPECT_FALSE(TrashFiles({In(src_, "A.KV")}, trash_, progress_).Failure);
  trash_.Refuse = true;
  const OperationOutcome refused = TrashFiles({In(src_, "B.KV")}, trash_, progress_);
  ASSERT_TRUE(refused.Failure);
  EXPECT_EQ(refused.Failure->Fault, OperationFault::TrashUnavailable);
  EXPECT_EQ(Names(src_), std::set<std::string>{"B.KV"});
  EXPECT_EQ(Names(home_.File("trash")), std::set<std::string>{"A.KV"});
}

TEST_F(FileOperationsTest, CreateFolderRefusesTakenAndPathNames) {
  EXPECT_FALSE(CreateFolder(dst_, "TRIP 2"));
  EXPECT_TRUE(fs::is_directory(In(dst_, "TRIP 2")));
  EXPECT_EQ(CreateFolder(dst_, "TRIP 2")->Fault, OperationFault::NameTaken);
  EXPECT_EQ(CreateFolder(dst_, "a/b")->Fault, OperationFault::BadName);
  EXPECT_FALSE(fs::exists(In(dst_, "a")));
}

}  // namespace
}  // namespace zephirax
