#include "app/QtMainForm.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <memory>
#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "app/Config.h"
#include "platform/LangText.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::WriteBytes;

// Also notes where the open dialog starts and what it offers.
struct RecordingUi : test::ScriptedUserInterface {
  std::string Folder, Pattern;
  std::optional<std::string> OpenFileName(const std::string& title, const std::string& folder,
                                          const std::vector<FileFilter>& filters) override {
    std::tie(Folder, Pattern) = std::tuple(folder, filters.at(0).Pattern);
    return ScriptedUserInterface::OpenFileName(title, folder, filters);
  }
};

enum { ColPmax = 2, ColApmax = 3, ColRpm = 5, ColMip = 6, ColPind = 7 };

class MainFormTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  RecordingUi ui_;
  std::unique_ptr<TMainForm> form_;

  // The settings live in the test's own folder.
  void SetUp() override { qputenv("XDG_CONFIG_HOME", home_.File("config").c_str()); }
  void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }
  void NewForm() { form_ = std::make_unique<TMainForm>(home_.File("program"), &ui_); }
  // A file in the test's home, written as a measurement of `cylinders` unless 0.
  QString File(const std::string& name, int cylinders = 0, bool mip = true) const {
    test::MeasurementFileBuilder file;
    std::tie(file.Cylinders, file.Mip) = std::tuple(cylinders, mip);
    if (cylinders > 0) WriteBytes(home_.File(name), file.Build());
    return QString::fromStdString(home_.File(name));
  }
  QTableWidget* Table() const { return form_->findChild<QTableWidget*>("CylinderTable"); }
  // The texts of a row's cells, separated by blanks.
  QString Cells(int row, std::initializer_list<int> columns) const {
    QStringList texts;
    for (int column : columns) texts << Table()->model()->index(row, column).data().toString();
    return texts.join(' ');
  }
  QString Label(const char* name) const { return form_->findChild<QLabel*>(name)->text(); }
};

TEST_F(MainFormTest, AnalysedMeasurementFillsTheTableUntilARejectedOneIsReported) {
  NewForm();
  ASSERT_TRUE(form_->AnalyseFile(File("program/DATA/FOUR CYL.KV", 4)));
  EXPECT_EQ(Label("FileLabel") + " " + Label("Datum") + " " + Label("Zeit"),
            "FOUR CYL.KV 06.12.2026 14:32");
  ASSERT_EQ(Table()->rowCount(), 4);
  // The builder's curves rise to their last sample, which smoothing keeps.
  EXPECT_EQ(Cells(0, {ColPmax, ColApmax, ColMip}), "154.0 179.75 15.1");

  // The Analyse button asks for the file in DATA and next time starts where
  // it was found; a smaller engine leaves no stale rows, and a file without
  // the MIP block shows neither MIP nor a crank angle.
  std::filesystem::create_directories(home_.File("elsewhere"));
  ui_.FileAnswers.push_back(File("elsewhere/THREE.KS", 3, false).toStdString());
  form_->findChild<QPushButton*>("AnalyseButton")->click();
  EXPECT_EQ(ui_.Folder + " " + ui_.Pattern, home_.File("program/DATA") + " *.KV;*");
  form_->AnalyseButtonClick();  // cancelled
  EXPECT_EQ(ui_.Folder, home_.File("elsewhere"));
  EXPECT_EQ(Table()->rowCount(), 3);
  EXPECT_EQ(Cells(2, {ColRpm, ColMip, ColApmax}), "93.5  ");
  EXPECT_TRUE(ui_.Messages.empty());

  // Neither a foreign file nor a missing one disturbs it; each is reported.
  const MeasurementData before = *form_->State().Measurement;
  WriteBytes(home_.File("BAD.KV"), "This is a shopping list\r\nbread\r\nmilk\r\n");
  for (const char* name : {"BAD.KV", "MISSING.KV"}) {
    ui_.Messages.clear();
    EXPECT_FALSE(form_->AnalyseFile(File(name)));
    ASSERT_EQ(ui_.Messages.size(), 1u) << name;
    EXPECT_EQ(ui_.Messages[0].Caption + ui_.Messages[0].Text,
              "Error :This is not a ZEPHIRAX data file !");
  }
  EXPECT_TRUE(*form_->State().Measurement == before);
  EXPECT_EQ(Label("FileLabel"), "THREE.KS");
  EXPECT_EQ(Cells(2, {ColRpm}), "93.5");
  EXPECT_EQ(ui_.HourglassOn, 0);
}

TEST_F(MainFormTest, SettingsChooseCaptionsAndUnitsAndAreWrittenOnExit) {
  std::filesystem::create_directories(home_.File("config/VOLTAN"));
  WriteBytes(home_.File("config/VOLTAN/ZEPHIRAX.INI"),
             "[Language]\r\nLanguage=deutsch\r\n[Units]\r\nPressure=psi\r\nPower=hp\r\n");
  NewForm();
  EXPECT_EQ(form_->windowTitle(), "Zylinderdruck-Meßsystem ZEPHIRAX Ver. 1.03a 32/64 Bit");
  ASSERT_TRUE(form_->AnalyseFile(File("program/DATA/UNITS.KV", 2)));
  EXPECT_EQ(Cells(0, {ColMip, ColPind}), "219.3 1361.0");  // psi and hp
  EXPECT_FALSE(form_->AnalyseFile(File("NONE.KV")));       // reported in the language in force
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Caption, "Fehler :");

  const char* const captions[] = {"Datei : Schiff :", "File : Ship :", "Fichier: Navire/Site:",
                                  "Fichero: Barco :"};  // by language
  for (int language : {English, French, German, Spanish}) {
    form_->State().Config.Language = language;
    form_->ApplySettings();
    EXPECT_EQ(Label("FileCaption") + " " + Label("ShipCaption"), captions[language]) << language;
  }
  // Changed units redraw the table already on display.
  form_->State().Config.PressureUnit = 0;
  form_->ApplySettings();
  EXPECT_EQ(Cells(0, {ColMip}), "15.1");

  form_->findChild<QPushButton*>("ExitButton")->click();
  Settings written;
  ReadConfig(written, home_.File("config/VOLTAN"));
  EXPECT_EQ(std::tuple(written.Language, written.PressureUnit, written.PowerUnit),
            std::tuple(Spanish, 0, 1));
}

TEST_F(MainFormTest, UnusableSettingsFolderIsReportedAndDefaultsHold) {
  WriteBytes(home_.File("config"), "a file where the settings folder belongs");
  NewForm();
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text, "Could not create application data directory");
  EXPECT_EQ(Label("FileCaption"), "File :");
  form_->close();  // writing fails quietly
}

}  // namespace
}  // namespace zephirax
