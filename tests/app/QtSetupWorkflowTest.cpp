#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "app/QtMainForm.h"
#include "setup/EngineSetup.h"
#include "setup/QtSetupChoiceDialog.h"
#include "setup/QtSetupEditor.h"
#include "setup/QtTransmitDialog.h"
#include "support/FakeSerialDevice.h"
#include "support/ModalDialogs.h"
#include "support/PdfTools.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::WhenModal;

// Also keeps where each file dialog was asked to start.
class FileDialogLog : public test::ScriptedUserInterface {
 public:
  std::vector<std::string> Titles;
  std::vector<std::string> Folders;

  std::optional<std::string> OpenFileName(const std::string& title, const std::string& folder,
                                          const std::vector<FileFilter>& filters) override {
    Titles.push_back(title);
    Folders.push_back(folder);
    return ScriptedUserInterface::OpenFileName(title, folder, filters);
  }
  std::optional<std::string> SaveFileName(const std::string& title, const std::string& folder,
                                          const std::vector<FileFilter>& filters) override {
    Titles.push_back(title);
    Folders.push_back(folder);
    return ScriptedUserInterface::SaveFileName(title, folder, filters);
  }
};

class SetupWorkflowTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  FileDialogLog ui_;
  std::unique_ptr<TMainForm> form_;

  void SetUp() override {
    qputenv("XDG_CONFIG_HOME", home_.File("config").c_str());
    form_ = std::make_unique<TMainForm>(home_.File("program"), &ui_);
  }
  void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }
  QPushButton* Button(const char* name) const { return form_->findChild<QPushButton*>(name); }
  std::string Label(const char* name) const {
    return form_->findChild<QLabel*>(name)->text().toStdString();
  }
  std::string EngineFile(const std::string& name) const {
    return (std::filesystem::path(home_.File("program")) / "ENGINE" / name).string();
  }
  // Answers the choice dialog with the new or the existing setup.
  static void Choose(QRadioButton* TTransmitDlg1::*choice) {
    WhenModal<TTransmitDlg1>([choice](TTransmitDlg1& d) {
      (d.*choice)->setChecked(true);
      d.OkButton->click();
    });
  }
  static std::string WrittenSetup(int cylinders) {
    EngineSetup setup;
    NewSetupDefaults(setup);
    setup.CylCount = cylinders;
    return SetupFrame(setup, FrameUse::File).value();
  }
};

// From the main window's button to the saved file: the window shows the
// working file while the editor is up and is back to idle afterwards with
// the edits in memory. A cancelled choice changes nothing.
TEST_F(SetupWorkflowTest, NewSetupIsEditedAndSaved) {
  ASSERT_TRUE(Button("TransmitButton")->isEnabled());
  const MeasurementData before = *form_->State().Files.Measurement;
  WhenModal<TTransmitDlg1>([](TTransmitDlg1& d) { d.CancelButton->click(); });
  form_->TransmitButtonClick();
  EXPECT_EQ(*form_->State().Files.Measurement, before);
  EXPECT_TRUE(Button("AnalyseButton")->isEnabled());

  const std::string saved = EngineFile("SHIP.SET");
  ui_.FileAnswers = {saved};
  Choose(&TTransmitDlg1::NewButton);
  WhenModal<TTabbedNotebookDlg>([this](TTabbedNotebookDlg& d) {
    EXPECT_EQ(Label("FileLabel"), "TEMP.DAT");
    EXPECT_TRUE(Button("FileButton")->isHidden());
    EXPECT_FALSE(Button("AnalyseButton")->isEnabled());
    d.CylindersEdit->setText("4");
    d.SaveButton->click();
    d.FinishButton->click();
  });
  form_->TransmitButtonClick();

  EXPECT_EQ(test::ReadBytes(saved), WrittenSetup(4));
  ASSERT_EQ(ui_.Folders.size(), 1u);
  EXPECT_EQ(ui_.Titles[0], "Save VOLTAN KV/KM setup");
  EXPECT_EQ(ui_.Folders[0], EngineFile("TEMP.DAT"));
  EXPECT_EQ(form_->State().Files.Measurement->CylCount, 4);
  for (const char* label : {"FileLabel", "DateLabel", "TimeLabel"}) EXPECT_EQ(Label(label), "");
  EXPECT_TRUE(form_->State().Files.MeasFileName.empty());
  EXPECT_FALSE(Button("FileButton")->isHidden());
  EXPECT_TRUE(Button("AnalyseButton")->isEnabled());
  EXPECT_TRUE(Button("TransmitButton")->isEnabled());
}

// An existing setup is read into the editor; a file that is no setup is
// refused and the editor opens on the values in memory, as it does when the
// open dialog is cancelled.
TEST_F(SetupWorkflowTest, ExistingSetupIsReadOrTheValuesInMemoryKept) {
  const std::string eight = home_.File("setups/EIGHT");
  std::filesystem::create_directories(home_.File("setups"));
  test::WriteBytes(eight, WrittenSetup(8));
  test::WriteBytes(home_.File("setups/NOTES.TXT"), "engine notes\r\n");

  const auto editorShows = [this](const char* fileLabel, const char* cylinders) {
    WhenModal<TTabbedNotebookDlg>([this, fileLabel, cylinders](TTabbedNotebookDlg& d) {
      EXPECT_EQ(Label("FileLabel"), fileLabel);
      EXPECT_EQ(d.CylindersEdit->text().toStdString(), cylinders);
      d.FinishButton->click();
    });
  };
  ui_.FileAnswers = {eight};
  Choose(&TTransmitDlg1::OpenButton);
  editorShows("EIGHT", "8");
  form_->TransmitButtonClick();
  EXPECT_EQ(ui_.Titles[0], "Select existing VOLTAN KV setup");
  EXPECT_EQ(ui_.Folders[0], home_.File("program/ENGINE"));
  EXPECT_TRUE(ui_.Messages.empty());
  EXPECT_EQ(form_->State().Files.Measurement->SetupValid, -1);

  ui_.FileAnswers = {home_.File("setups/NOTES.TXT")};
  Choose(&TTransmitDlg1::OpenButton);
  editorShows("NOTES.TXT", "8");
  form_->TransmitButtonClick();
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text, "This is not a valid file type !");
  EXPECT_EQ(ui_.Folders[1], home_.File("setups"));  // the folder last chosen
  EXPECT_EQ(form_->State().Files.Measurement->SetupValid, 0);

  Choose(&TTransmitDlg1::OpenButton);  // and the open dialog cancelled
  editorShows("", "8");
  form_->TransmitButtonClick();
  EXPECT_EQ(Label("FileLabel"), "");
}

// The editor's transmit button sends the line frame of the edited setup to
// the configured device and ends the sequence.
TEST_F(SetupWorkflowTest, TransmitSendsTheEditedSetup) {
  test::FakeSerialDevice port;
  form_->SetSerialDevice(&port);
  form_->State().Config.Device = "/dev/voltan";
  Choose(&TTransmitDlg1::NewButton);
  WhenModal<TTabbedNotebookDlg>([](TTabbedNotebookDlg& d) {
    QTest::keyClick(d.FuelAclEdit, Qt::Key_Y);
    d.TransmitButton->click();
  });
  WhenModal<TTransmitDlg2>([](TTransmitDlg2& d) {
    d.StartBtnClick();
    d.OkButton->click();
  });
  form_->TransmitButtonClick();
  EngineSetup expected;
  NewSetupDefaults(expected);
  expected.FuelAclSensor = -1;
  EXPECT_EQ(port.Written, SetupFrame(expected, FrameUse::Line).value());
  EXPECT_EQ(port.OpenAttempts.at(0), "/dev/voltan");
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(form_->State().Sensors.FuelAclSensor, -1);
  EXPECT_TRUE(ui_.Messages.empty());
}

// Without a printer the editor's print button lists the setup as edited
// into the PDF file the user picks, and editing goes on.
TEST_F(SetupWorkflowTest, PrintListsTheEditedSetupIntoAPdfFileWithoutAPrinter) {
  if (form_->PrinterObject.HasPrinter()) GTEST_SKIP() << "a printer is installed here";
  const std::string pdf = home_.File("setup.pdf");
  Choose(&TTransmitDlg1::NewButton);
  WhenModal<TTabbedNotebookDlg>([&](TTabbedNotebookDlg& d) {
    ASSERT_TRUE(d.PrintButton->isEnabled());
    d.CylindersEdit->setText("8");
    ui_.FileAnswers.push_back(pdf);
    d.PrintButton->click();
    EXPECT_TRUE(d.isVisible());
    d.FinishButton->click();
  });
  form_->TransmitButtonClick();

  ASSERT_EQ(ui_.Titles.size(), 1u);
  EXPECT_EQ(ui_.Titles[0], "No printer installed - save as PDF file");
  const std::string text = test::PdfText(pdf);
  for (const std::string& expected :
       {std::string("VOLTAN SETUP"), EngineFile("TEMP.DAT"), std::string("8. 1")}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  EXPECT_TRUE(ui_.Messages.empty());
}

}  // namespace
}  // namespace zephirax
