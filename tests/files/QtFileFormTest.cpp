#include "files/QtFileForm.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>

#include <gtest/gtest.h>

#include "files/FileTexts.h"
#include "files/QtTrash.h"
#include "support/ArchiveListing.h"
#include "support/CraftedArchive.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;
using test::WriteBytes;

class RefusingTrash : public Trash {
 public:
  bool MoveToTrash(const std::string&, std::string& why) override {
    why = "no trash here";
    return false;
  }
};

QStringList Listed(const QListWidget* list) {
  QStringList names;
  for (int row = 0; row < list->count(); ++row) names << list->item(row)->text();
  return names;
}

// The dialog as the user works it: files selected in the source list, a
// button pressed, names typed into input boxes.
class FileFormTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  test::ScopedEnv env_;
  test::ScriptedUserInterface ui_;
  QtTrash trash_;
  std::string src_ = home_.File("DATA");
  std::string dst_ = home_.File("stick");

  void SetUp() override {
    env_.Set("HOME", home_.File("home"));
    env_.Set("XDG_DATA_HOME", home_.File("home/.local/share"));
    fs::create_directories(src_);
    fs::create_directories(dst_);
    for (const char* name : {"SHIP1.KV", "SHIP1.EXH", "SHIP2.KV", "SHIP2.EXH", "other.ks"}) {
      WriteBytes(src_ + "/" + name, name);
    }
  }
  std::unique_ptr<TFileForm> Form(Trash& trash, int language = English) {
    auto form = std::make_unique<TFileForm>(src_, language, ui_, trash);
    form->SetDestinationFolder(dst_);
    return form;
  }
  std::unique_ptr<TFileForm> Form() { return Form(trash_); }
};

TEST_F(FileFormTest, PanesOpenOnTheNearestExistingFolder) {
  WriteBytes(src_ + "/.hidden", "");
  fs::create_directories(src_ + "/TRIP");
  TFileForm form(src_ + "/not yet/made", English, ui_, trash_);
  EXPECT_EQ(form.DestinationFolder(), src_);
  EXPECT_EQ(form.SourcePathEdit->text().toStdString(), src_);
  EXPECT_EQ(Listed(form.SourceFiles),
            (QStringList{"other.ks", "SHIP1.EXH", "SHIP1.KV", "SHIP2.EXH", "SHIP2.KV"}));
  // The tree ends in the folder with its subfolders; opening one shows it.
  QTreeWidgetItem* subfolder = form.SourceFolders->currentItem()->child(0);
  ASSERT_NE(subfolder, nullptr);
  emit form.SourceFolders->itemActivated(subfolder, 0);
  EXPECT_EQ(form.SourcePathEdit->text().toStdString(), src_ + "/TRIP");
}

TEST_F(FileFormTest, CopyAndMoveTakeTheAdditionalDataAlong) {
  auto form = Form();
  form->SelectNames({"SHIP1.KV"});
  form->CopyBtn->click();
  EXPECT_EQ(Listed(form->DestinationFiles), (QStringList{"SHIP1.EXH", "SHIP1.KV"}));
  form->SelectNames({"SHIP2.KV", "other.ks"});
  form->MoveBtn->click();
  EXPECT_EQ(Listed(form->SourceFiles), (QStringList{"SHIP1.EXH", "SHIP1.KV"}));
  EXPECT_EQ(Listed(form->DestinationFiles),
            (QStringList{"other.ks", "SHIP1.EXH", "SHIP1.KV", "SHIP2.EXH", "SHIP2.KV"}));
  EXPECT_TRUE(ui_.Messages.empty());
}

TEST_F(FileFormTest, CompressPacksTheSelectionWithItsAdditionalData) {
  auto form = Form();
  form->CompressBtn->click();  // nothing selected: nothing asked
  form->SelectNames({"SHIP1.KV", "SHIP2.KV"});
  ui_.InputAnswers = {std::string(""), std::string(" "), std::nullopt, std::string("TRIP")};
  for (int press = 0; press < 3; ++press) form->CompressBtn->click();
  EXPECT_TRUE(fs::is_empty(dst_));
  form->CompressBtn->click();
  EXPECT_EQ(test::UnzipListing(dst_ + "/TRIP.ZIP"),
            (std::set<std::string>{"SHIP1.KV", "SHIP1.EXH", "SHIP2.KV", "SHIP2.EXH"}));
  EXPECT_EQ(Listed(form->DestinationFiles), QStringList{"TRIP.ZIP"});
  EXPECT_TRUE(ui_.Messages.empty());
}

TEST_F(FileFormTest, CompressSaysWhenASelectedFileWasNotAdded) {
  auto form = Form();
  form->SelectNames({"other.ks", "SHIP2.KV"});
  fs::remove(src_ + "/other.ks");  // gone since the list was read
  ui_.InputAnswers = {std::string("TRIP")};
  form->CompressBtn->click();
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text, "Error : Not all files added !");
  EXPECT_EQ(test::UnzipListing(dst_ + "/TRIP.ZIP"),
            (std::set<std::string>{"SHIP2.KV", "SHIP2.EXH"}));
}

TEST_F(FileFormTest, DecompressNamesTheRefusedEntriesInOneMessage) {
  ASSERT_TRUE(test::WriteCraftedArchive(
      src_ + "/FROM SEA.ZIP",
      {{"SHIP9.KV", "m"}, {"../x", "up"}, {"/abs", "root"}, {"link", "/etc", true}}));
  auto form = Form();
  form->SelectNames({"FROM SEA.ZIP"});
  form->DecompressBtn->click();
  EXPECT_EQ(Listed(form->DestinationFiles), QStringList{"SHIP9.KV"});
  ASSERT_EQ(ui_.Messages.size(), 1u);
  const std::string& text = ui_.Messages[0].Text;
  EXPECT_NE(text.find("\"" + src_ + "/FROM SEA.ZIP\""), std::string::npos) << text;
  for (const char* entry : {"\n../x", "\n/abs", "\nlink"}) {
    EXPECT_NE(text.find(entry), std::string::npos) << entry;
  }
  EXPECT_FALSE(fs::exists(home_.File("x")));
}

TEST_F(FileFormTest, DeleteMovesToTheTrashOrSaysWhyNot) {
  auto form = Form();
  form->SelectNames({"SHIP1.KV"});
  form->DeleteBtn->click();
  EXPECT_TRUE(fs::exists(home_.File("home/.local/share/Trash/files/SHIP1.KV")));
  EXPECT_FALSE(Listed(form->SourceFiles).contains("SHIP1.KV"));
  EXPECT_TRUE(Listed(form->SourceFiles).contains("SHIP1.EXH"));  // deleted alone

  RefusingTrash refusing;
  auto refused = Form(refusing, German);
  refused->SelectNames({"SHIP2.KV"});
  refused->DeleteBtn->click();
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text, "Die Datei \"" + src_ + "/SHIP2.KV\" wurde nicht gelöscht.\n" +
                                      Tr(TrashUnavailableReason, German) + " (no trash here)");
  EXPECT_TRUE(fs::exists(src_ + "/SHIP2.KV"));
}

TEST_F(FileFormTest, RenameAndCreateFolderAskForTheName) {
  auto form = Form();
  form->SelectNames({"SHIP1.KV"});
  ui_.InputAnswers = {std::string("SHIP3.KV"), std::string("TRIP"), std::string("SHIP2.KV")};
  form->RenameBtn->click();
  EXPECT_EQ(Listed(form->SourceFiles),
            (QStringList{"other.ks", "SHIP1.EXH", "SHIP2.EXH", "SHIP2.KV", "SHIP3.KV"}));
  form->CreateBtn->click();
  EXPECT_TRUE(fs::is_directory(dst_ + "/TRIP"));
  EXPECT_EQ(form->DestinationFolders->currentItem()->child(0)->text(0), "TRIP");
  EXPECT_TRUE(ui_.Messages.empty());

  form->SelectNames({"SHIP3.KV"});
  form->RenameBtn->click();  // onto an existing file
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_NE(ui_.Messages[0].Text.find("That name is already taken."), std::string::npos);
  EXPECT_EQ(test::ReadBytes(src_ + "/SHIP2.KV"), "SHIP2.KV");
}

}  // namespace
}  // namespace zephirax
