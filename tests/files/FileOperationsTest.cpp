#include "files/FileOperations.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "support/KillMidWrite.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;
using Names = std::set<std::string>;

// A trash that keeps what it is given in a folder of the test, or refuses.
class FolderTrash : public Trash {
 public:
  explicit FolderTrash(fs::path folder) : folder_(std::move(folder)) {
    fs::create_directories(folder_);
  }
  bool MoveToTrash(const std::string& path, std::string& why) override {
    why = "refused by the test";
    if (!Refuse) fs::rename(path, folder_ / fs::path(path).filename());
    return !Refuse;
  }
  bool Refuse = false;

 private:
  fs::path folder_;
};

// Cancels before the file numbered `stopAt` (0-based).
struct CancelAt : Progress {
  size_t StopAt;
  explicit CancelAt(size_t stopAt) : StopAt(stopAt) {}
  bool Step(const std::string&, size_t done, size_t) override { return done < StopAt; }
};

class FileOperationsTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  fs::path src_ = home_.Path() / "src";
  fs::path dst_ = home_.Path() / "dst";
  FolderTrash trash_{home_.Path() / "trash"};
  SilentProgress progress_;

  void SetUp() override {
    fs::create_directories(src_);
    fs::create_directories(dst_);
  }
  void Put(const fs::path& folder, const std::string& name, const std::string& bytes) const {
    WriteBytes((folder / name).string(), bytes);
  }
  // Every name in a folder, hidden temporary files too.
  static Names In(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }
  OperationOutcome Run(Transfer kind, const std::vector<std::string>& names,
                       Progress* progress = nullptr) {
    std::vector<std::string> files;
    for (const std::string& name : names) files.push_back((src_ / name).string());
    return TransferFiles(kind, files, dst_, trash_, progress ? *progress : progress_);
  }
};

TEST_F(FileOperationsTest, SelectedFilesTakeTheirAdditionalDataAlongOnce) {
  for (const char* name : {"SHIP1.KV", "SHIP1.EXH", "SHIP2.KV", "ship3.ks", "ship3.exh"}) {
    Put(src_, name, name);
  }
  const struct {
    std::vector<std::string> Selected;
    std::vector<std::pair<std::string, bool>> Planned;  // name, selected by the user
  } cases[] = {
      {{"SHIP1.KV"}, {{"SHIP1.KV", true}, {"SHIP1.EXH", false}}},
      {{"SHIP1.EXH"}, {{"SHIP1.EXH", true}}},
      {{"SHIP1.KV", "SHIP1.EXH"}, {{"SHIP1.KV", true}, {"SHIP1.EXH", true}}},
      {{"SHIP2.KV"}, {{"SHIP2.KV", true}}},
      {{"ship3.ks"}, {{"ship3.ks", true}, {"ship3.exh", false}}},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<std::string, bool>> planned;
    for (const PlannedFile& file : WithCompanions(src_.string(), c.Selected)) {
      planned.emplace_back(fs::path(file.Path).filename().string(), file.Selected);
    }
    EXPECT_EQ(planned, c.Planned) << c.Selected.front();
  }
}

// A replaced file goes to the trash first; when the trash refuses it,
// nothing is replaced and a moved file stays where it was. No temporary
// file is left behind either way.
TEST_F(FileOperationsTest, ReplacedFilesGoToTheTrashOrStay) {
  for (const bool refuse : {false, true}) {
    for (const Transfer kind : {Transfer::Copy, Transfer::Move}) {
      trash_.Refuse = refuse;
      Put(src_, "SHIP1.KV", "new");
      Put(dst_, "SHIP1.KV", "old");
      const OperationOutcome outcome = Run(kind, {"SHIP1.KV"});
      EXPECT_EQ(outcome.Failure.has_value(), refuse);
      EXPECT_EQ(ReadBytes((dst_ / "SHIP1.KV").string()), refuse ? "old" : "new");
      EXPECT_EQ(In(dst_), Names{"SHIP1.KV"});
      EXPECT_EQ(In(src_).size(), kind == Transfer::Copy || refuse ? 1u : 0u);
      EXPECT_EQ(In(home_.Path() / "trash"), refuse ? Names{} : Names{"SHIP1.KV"});
      if (refuse) {
        EXPECT_EQ(outcome.Failure->Fault, OperationFault::ReplacedToTrash);
        EXPECT_EQ(outcome.Failure->Detail, "refused by the test");
      }
      fs::remove_all(home_.Path() / "trash");
      fs::create_directories(home_.Path() / "trash");
    }
  }
}

// The run stops at a file that cannot be copied and names it; the files
// before it stay copied. A file copied onto itself is left alone.
TEST_F(FileOperationsTest, StopsAtTheFileThatCannotBeCopied) {
  Put(src_, "A.KV", "a");
  Put(src_, "C.KV", "c");
  fs::create_directories(dst_ / "C.KV");
  const struct {
    std::vector<std::string> Names;
    std::string Failed;
    OperationFault Fault;
  } cases[] = {
      {{"A.KV", "GONE.KV", "C.KV"}, "GONE.KV", OperationFault::SourceMissing},
      {{"A.KV", "C.KV"}, "C.KV", OperationFault::FolderInTheWay},
  };
  for (const auto& c : cases) {
    fs::remove(dst_ / "A.KV");
    const OperationOutcome outcome = Run(Transfer::Copy, c.Names);
    ASSERT_TRUE(outcome.Failure) << c.Failed;
    EXPECT_EQ(outcome.Failure->File, (src_ / c.Failed).string());
    EXPECT_EQ(outcome.Failure->Fault, c.Fault);
    EXPECT_EQ(outcome.Done, 1u);
    EXPECT_EQ(In(dst_), (Names{"A.KV", "C.KV"}));
  }
  for (const Transfer kind : {Transfer::Copy, Transfer::Move}) {
    const OperationOutcome same =
        TransferFiles(kind, {(src_ / "A.KV").string()}, src_.string(), trash_, progress_);
    EXPECT_EQ(same.Failure->Fault, OperationFault::SameFile);
    EXPECT_EQ(ReadBytes((src_ / "A.KV").string()), "a");
  }
}

TEST_F(FileOperationsTest, CancelStopsBetweenFiles) {
  Put(src_, "A.KV", "a");
  Put(src_, "B.KV", "b");
  CancelAt progress(1);
  const OperationOutcome outcome = Run(Transfer::Move, {"A.KV", "B.KV"}, &progress);
  EXPECT_TRUE(outcome.Cancelled);
  EXPECT_EQ(In(dst_), Names{"A.KV"});
  EXPECT_EQ(In(src_), Names{"B.KV"});
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
    const std::optional<FileFailure> failure = RenameFile((src_ / "SHIP1.KV").string(), c.NewName);
    EXPECT_EQ(failure ? std::optional(failure->Fault) : std::nullopt, c.Fault) << c.NewName;
  }
  EXPECT_EQ(In(src_), (Names{"SHIP2.KV", "SHIP1.EXH", "OTHER.KV"}));
  EXPECT_EQ(ReadBytes((src_ / "OTHER.KV").string()), "o");
}

// A copy killed at any moment leaves the old file or the new one, and the next
// copy of the same name leaves nothing else; a move leaves its source in place
// until the file has arrived.
TEST_F(FileOperationsTest, KilledTransfersLeaveWholeFilesAndNoLitter) {
  for (int v = 0; v < 2; ++v) {
    fs::create_directories(src_ / std::to_string(v));
    Put(src_ / std::to_string(v), "A.KV", std::string(300000, 'a' + v));
  }
  // The trash keeps a copy and leaves the replaced file to the rename: a real
  // trash takes it away first, so that a kill just then leaves the name empty
  // (and the old file in the trash).
  struct CopyingTrash : Trash {
    fs::path Folder;
    bool MoveToTrash(const std::string& path, std::string&) override {
      fs::copy_file(path, Folder / "A.KV", fs::copy_options::overwrite_existing);
      return true;
    }
  } trash;
  trash.Folder = home_.Path() / "trash";
  const test::KillableWriter copy{
      "copy", [&](const std::string& folder, int v) {
        fs::create_directories(folder);
        SilentProgress progress;
        const fs::path file = src_ / std::to_string(v) / "A.KV";
        return !TransferFiles(Transfer::Copy, {file.string()}, folder, trash, progress).Failure;
      }};
  test::ExpectWholeFilesAfterKills(copy);

  Put(dst_, "A.KV", "old");
  Put(dst_, "A.KV.tmp-abc123", "left by a killed copy");
  ASSERT_FALSE(Run(Transfer::Move, {"0/A.KV"}).Failure);
  EXPECT_EQ(In(dst_), Names{"A.KV"});
  EXPECT_EQ(ReadBytes((dst_ / "A.KV").string()), std::string(300000, 'a'));
  EXPECT_FALSE(fs::exists(src_ / "0/A.KV"));
}

}  // namespace
}  // namespace zephirax
