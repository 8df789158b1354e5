#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include <gtest/gtest.h>

#include "app/QtMainForm.h"
#include "files/MailHandOff.h"
#include "files/QtEmailForm.h"
#include "files/QtFileForm.h"
#include "platform/QtHelp.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ModalDialogs.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUserInterface.h"
#include "support/StandInMailer.h"
#include "support/TempDir.h"

// The main window's way into the file functions and the e-mail.

namespace zephirax {
namespace {

namespace fs = std::filesystem;

class FileWorkflowTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  test::ScopedEnv env_;
  test::ScriptedUserInterface ui_;

  void SetUp() override {
    env_.Set("XDG_CONFIG_HOME", home_.File("config"));
    env_.Set("XDG_DATA_HOME", home_.File("data"));
  }
};

// On a new installation the dialog opens on the data folder, made for it.
TEST_F(FileWorkflowTest, FileButtonOpensTheFileFunctionsOnTheDataFolder) {
  TMainForm form(home_.File("program"), &ui_);
  auto* button = form.findChild<QPushButton*>("FileButton");
  ASSERT_TRUE(button->isEnabled());
  std::string opened;
  bool hidden = false;
  QString help;
  test::WhenModal<TFileForm>([&](TFileForm& dialog) {
    opened = dialog.SourceFolder();
    hidden = button->isHidden();
    dialog.HelpBitBtn->click();
    if (OpenHelpWindow() != nullptr) help = OpenHelpWindow()->Source().toString();
    dialog.CancelBitBtn->click();
  });
  button->click();
  EXPECT_EQ(opened, home_.File("program/DATA"));
  EXPECT_TRUE(hidden);
  EXPECT_FALSE(button->isHidden());
  EXPECT_EQ(help, QStringLiteral("qrc:/help/en/filefunctions.html"));
}

TEST_F(FileWorkflowTest, EmailItemSendsTheAnalysedMeasurement) {
  test::StandInMailer mailer;
  env_.Set("PATH", mailer.Bin() + ":" + std::getenv("PATH"));
  fs::create_directories(home_.File("config/VOLTAN"));
  test::WriteBytes(home_.File("config/VOLTAN/ZEPHIRAX.INI"),
                   "[Email]\r\nDestination=service@voltan.example\r\n");
  const std::string meas = home_.File("program/DATA/SHIP1.KV");
  fs::create_directories(home_.File("program/DATA"));
  test::WriteBytes(meas, test::MeasurementFileBuilder().Build());

  TMainForm form(home_.File("program"), &ui_);
  ui_.FileAnswers.push_back(meas);
  form.AnalyseButtonClick();
  auto* item = form.findChild<QAction*>("EmailItem");
  ASSERT_TRUE(item->isEnabled());
  QString address;
  test::WhenModal<TEmailForm>([&](TEmailForm& dialog) {
    address = dialog.AddressEdit->text();
    dialog.TransmitBtn->click();
  });
  item->trigger();
  EXPECT_EQ(address, "service@voltan.example");
  EXPECT_EQ(mailer.Args(),
            MailArguments(home_.File("program/DATA/SHIP1.ZIP"), "", "", "service@voltan.example"));
}

}  // namespace
}  // namespace zephirax
