#include "files/QtEmailForm.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include <gtest/gtest.h>

#include "files/MailHandOff.h"
#include "files/QtMailLauncher.h"
#include "files/QtMeasurementMail.h"
#include "platform/LangText.h"
#include "support/ArchiveListing.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedUserInterface.h"
#include "support/StandInMailer.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;
using test::WriteBytes;

constexpr const char* LogonText =
    "There was no default logon, and the user failed to log on successfully when the logon "
    "dialog box was displayed!";

// The hand-off through a stand-in xdg-email first on PATH.
class EmailTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  test::StandInMailer mailer_;
  test::ScopedEnv env_;
  test::ScriptedUserInterface ui_;
  QtMailLauncher mail_;
  std::string meas_ = home_.File("DATA/SHIP1.KV");

  void SetUp() override {
    env_.Set("PATH", mailer_.Bin() + ":" + std::getenv("PATH"));
    fs::create_directories(home_.File("DATA"));
    WriteBytes(meas_, "curves");
    WriteBytes(home_.File("DATA/SHIP1.EXH"), "additional data");
  }
  MailOutcome Send(const std::string& subject = "pmax", const std::string& body = "",
                   const std::string& address = "service@voltan.example") {
    return SendMeasurement(ui_, mail_, English, meas_, subject, body, address);
  }
};

// Quotes, blanks, "$(...)" and line breaks reach the mail program as typed;
// nothing of them is run.
TEST_F(EmailTest, TextsReachTheMailProgramUnchanged) {
  const std::string pwned = home_.File("pwned");
  const std::string subject = "Engine \"No. 2\" it's $(touch " + pwned + ") `touch " + pwned + "`";
  const std::string body = "pmax high;\n  see $HOME & attached | cat";
  const std::string address = "\"Kapitän Ölsen\" <o@x.example>; $(touch " + pwned + ")";
  EXPECT_EQ(Send(subject, body, address), MailOutcome::Sent);
  EXPECT_EQ(mailer_.Args(), MailArguments(home_.File("DATA/SHIP1.ZIP"), subject, body, address));
  EXPECT_FALSE(fs::exists(pwned));
  EXPECT_TRUE(ui_.Messages.empty());
}

TEST_F(EmailTest, ExitCodesShowTheMailTexts) {
  const struct {
    int Exit;
    const char* Text;
  } cases[] = {
      {2, "The specified attachment was not found!"},
      {3, LogonText},
      {4, "One or more unspecified errors occurred!"},
      {5, "The specified attachment could not be open!"},
  };
  for (const auto& c : cases) {
    mailer_.SetExit(c.Exit);
    ui_.Messages.clear();
    EXPECT_EQ(Send(), MailOutcome::HandOffFailed);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].Text,
              std::string("Could not transmit file via E-Mail!\n\nMessage:\n") + c.Text);
  }
  EXPECT_EQ(ui_.Beeps, 4);
  env_.Set("PATH", home_.File("nowhere"));
  ui_.Messages.clear();
  EXPECT_EQ(Send(), MailOutcome::HandOffFailed);
  EXPECT_NE(ui_.Messages.at(0).Text.find(LogonText), std::string::npos);
}

// Without a UTF-8 locale xdg-email drops every character beyond ASCII.
TEST_F(EmailTest, MailProgramGetsAUtf8Locale) {
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) env_.Set(name, std::nullopt);
  Send();
  EXPECT_EQ(mailer_.Locale(), "LC_ALL=\nLC_CTYPE=C.UTF-8\nLANG=\n");
  env_.Set("LANG", "de_DE.UTF-8");
  Send();
  EXPECT_EQ(mailer_.Locale(), "LC_ALL=\nLC_CTYPE=\nLANG=de_DE.UTF-8\n");
}

// The archive beside the measurement holds it and its additional data, and
// only what is there now.
TEST_F(EmailTest, ArchiveHoldsTheMeasurementAndItsAdditionalData) {
  Send();
  EXPECT_EQ(test::UnzipListing(home_.File("DATA/SHIP1.ZIP")),
            (std::set<std::string>{"SHIP1.KV", "SHIP1.EXH"}));
  fs::remove(home_.File("DATA/SHIP1.EXH"));
  Send();
  EXPECT_EQ(test::UnzipListing(home_.File("DATA/SHIP1.ZIP")), std::set<std::string>{"SHIP1.KV"});
}

TEST_F(EmailTest, MissingMeasurementIsNeverHandedOver) {
  for (const std::string& missing : {home_.File("DATA/GONE.KV"), std::string()}) {
    ui_.Messages.clear();
    EXPECT_EQ(SendMeasurement(ui_, mail_, German, missing, "s", "b", "a@b"),
              MailOutcome::ArchiveFailed);
    ASSERT_EQ(ui_.Messages.size(), 1u);
    EXPECT_EQ(ui_.Messages[0].Text, "Could not create ZIP file for E-Mail!");
  }
  EXPECT_FALSE(mailer_.Called());
}

// The dialog closes after the transmit button whatever happened; Cancel
// says that nothing was sent.
TEST_F(EmailTest, DialogClosesAfterTransmitAndSaysWhenCancelled) {
  mailer_.SetExit(3);
  TEmailForm form(meas_, "service@voltan.example", English, ui_, mail_);
  EXPECT_EQ(form.AddressEdit->text(), "service@voltan.example");
  form.SubjectEdit->setText("Ölsen");
  form.MessageEdit->setPlainText("two\nlines");
  form.show();
  form.TransmitBtn->click();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(mailer_.Args(), MailArguments(home_.File("DATA/SHIP1.ZIP"), "Ölsen", "two\nlines",
                                          "service@voltan.example"));
  EXPECT_EQ(ui_.Messages.size(), 1u);

  TEmailForm cancelled(meas_, "", English, ui_, mail_);
  cancelled.show();
  cancelled.CancelBtn->click();
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
  EXPECT_EQ(ui_.Messages.back().Text, "Email transmission canceled by user");
}

}  // namespace
}  // namespace zephirax
