#include "app/QtMainForm.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <tuple>

#include <gtest/gtest.h>

#include "app/Config.h"
#include "platform/LangText.h"
#include "platform/Paths.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::MeasurementFileBuilder;
using test::ScriptedUserInterface;
using test::TempDir;
using test::WriteBytes;

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Also records where the open dialog starts and what it offers.
class RecordingUi : public ScriptedUserInterface {
 public:
  std::string OpenFolder;
  std::vector<FileFilter> OpenFilters;

  std::optional<std::string> OpenFileName(const std::string& title, const std::string& folder,
                                          const std::vector<FileFilter>& filters) override {
    OpenFolder = folder;
    OpenFilters = filters;
    return ScriptedUserInterface::OpenFileName(title, folder, filters);
  }
};

enum { ColRpm = 5, ColMip = 6, ColPind = 7, ColPmax = 2, ColApmax = 3 };

class MainFormTest : public ::testing::Test {
 protected:
  TempDir home_;
  ScopedEnv config_{"XDG_CONFIG_HOME", home_.File("config")};
  ScopedEnv program_{"ZEPHIRAX_HOME", home_.File("program")};
  RecordingUi ui_;

  std::unique_ptr<TMainForm> NewForm() {
    return std::make_unique<TMainForm>(
        ProgramDir(QCoreApplication::applicationDirPath().toStdString()), &ui_);
  }

  std::string DataFile(const std::string& name) const {
    return home_.File("program") + "/DATA/" + name;
  }

  std::string Measurement(const std::string& name, int cylinders) const {
    MeasurementFileBuilder file;
    file.Cylinders = cylinders;
    const std::string path = DataFile(name);
    WriteBytes(path, file.Build());
    return path;
  }

  static QTableWidget* Table(TMainForm& form) {
    return form.findChild<QTableWidget*>("CylinderTable");
  }
  static QString Cell(TMainForm& form, int row, int column) {
    const QTableWidgetItem* item = Table(form)->item(row, column);
    return item != nullptr ? item->text() : QStringLiteral("<none>");
  }
  static QString Label(TMainForm& form, const char* name) {
    return form.findChild<QLabel*>(name)->text();
  }
};

TEST_F(MainFormTest, AnalysedMeasurementFillsStatusAndTable) {
  auto form = NewForm();
  ASSERT_NE(Table(*form), nullptr);

  const std::string four = Measurement("FOUR CYL.KV", 4);
  ASSERT_TRUE(form->AnalyseFile(QString::fromStdString(four)));
  EXPECT_TRUE(ui_.Messages.empty());
  EXPECT_EQ(ui_.HourglassOn, 0);
  EXPECT_EQ(form->State().MeasFileName, four);
  EXPECT_EQ(Label(*form, "FileLabel"), "FOUR CYL.KV");
  EXPECT_EQ(Label(*form, "Datum"), "06.12.2026");
  EXPECT_EQ(Label(*form, "Zeit"), "14:32");

  ASSERT_EQ(Table(*form)->rowCount(), 4);
  EXPECT_EQ(Cell(*form, 0, ColMip), "15.1");
  EXPECT_EQ(Cell(*form, 3, ColPind), "1004");
  // The builder's curves rise to their last sample, which smoothing keeps.
  EXPECT_EQ(Cell(*form, 0, ColPmax), "154.0");
  EXPECT_EQ(Cell(*form, 0, ColApmax), "179.75");

  // The Analyse button asks for the file in DATA; a smaller engine leaves no stale rows.
  const std::string two = Measurement("TWO.KV", 2);
  ui_.FileAnswers.push_back(two);
  form->findChild<QPushButton*>("AnalyseButton")->click();
  EXPECT_EQ(ui_.OpenFolder, home_.File("program") + "/DATA");
  ASSERT_EQ(ui_.OpenFilters.size(), 1u);
  EXPECT_EQ(ui_.OpenFilters[0].Pattern, "*.KV;*");
  EXPECT_EQ(Table(*form)->rowCount(), 2);
  EXPECT_EQ(Label(*form, "FileLabel"), "TWO.KV");

  // Cancelling the dialog changes nothing; the next dialog starts where the last file was.
  std::filesystem::create_directories(home_.File("elsewhere"));
  MeasurementFileBuilder three;
  three.Cylinders = 3;
  three.Mip = false;
  WriteBytes(home_.File("elsewhere/THREE.KS"), three.Build());
  ui_.FileAnswers.push_back(home_.File("elsewhere/THREE.KS"));
  form->AnalyseButtonClick();
  EXPECT_EQ(Cell(*form, 2, ColRpm), "93.5");
  // Such files carry no MIP and no crank-angle grid.
  EXPECT_EQ(Cell(*form, 0, ColMip), "");
  EXPECT_EQ(Cell(*form, 0, ColApmax), "");
  form->AnalyseButtonClick();
  EXPECT_EQ(ui_.OpenFolder, home_.File("elsewhere"));
  EXPECT_EQ(Table(*form)->rowCount(), 3);
  EXPECT_EQ(ui_.HourglassOn, 0);
}

TEST_F(MainFormTest, RejectedFileKeepsThePreviousMeasurementOnDisplay) {
  auto form = NewForm();
  const std::string good = Measurement("GOOD.KV", 3);
  ASSERT_TRUE(form->AnalyseFile(QString::fromStdString(good)));
  const MeasurementData before = *form->State().Measurement;

  // Neither a foreign file nor a missing one disturbs it; each is reported.
  WriteBytes(DataFile("BAD.KV"), "This is a shopping list\r\nbread\r\nmilk\r\n");
  for (const char* name : {"BAD.KV", "MISSING.KV"}) {
    ui_.Messages.clear();
    EXPECT_FALSE(form->AnalyseFile(QString::fromStdString(DataFile(name))));
    ASSERT_EQ(ui_.Messages.size(), 1u) << name;
    EXPECT_EQ(ui_.Messages[0].Caption, "Error :");
    EXPECT_EQ(ui_.Messages[0].Text, "This is not a ZEPHIRAX data file !");
  }

  EXPECT_TRUE(*form->State().Measurement == before);
  EXPECT_EQ(form->State().MeasFileName, good);
  EXPECT_EQ(Label(*form, "FileLabel"), "GOOD.KV");
  EXPECT_EQ(Table(*form)->rowCount(), 3);
  EXPECT_EQ(Cell(*form, 2, ColMip), "15.3");
  EXPECT_EQ(ui_.HourglassOn, 0);
}

TEST_F(MainFormTest, SettingsChooseCaptionsAndUnitsAndAreWrittenOnClose) {
  std::filesystem::create_directories(home_.File("config/VOLTAN"));
  WriteBytes(home_.File("config/VOLTAN/ZEPHIRAX.INI"),
             "[Language]\r\nLanguage=deutsch\r\n[Units]\r\nPressure=psi\r\nPower=hp\r\n");
  auto form = NewForm();
  EXPECT_TRUE(ui_.Messages.empty());
  EXPECT_EQ(form->windowTitle(), "Zylinderdruck-Meßsystem ZEPHIRAX Ver. 1.03a 32/64 Bit");
  EXPECT_EQ(Label(*form, "FileCaption"), "Datei :");

  ASSERT_TRUE(form->AnalyseFile(QString::fromStdString(Measurement("UNITS.KV", 2))));
  EXPECT_EQ(Cell(*form, 0, ColMip), "219.3");    // 15.1 bar x 14.525
  EXPECT_EQ(Cell(*form, 0, ColPind), "1361.0");  // 1001 kW x 1.3596
  // A rejected file reports in the language in force.
  EXPECT_FALSE(form->AnalyseFile(QString::fromStdString(DataFile("NONE.KV"))));
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Caption, "Fehler :");

  const std::tuple<int, const char*, const char*> captions[] = {
      {English, "Cylinder Pressure Measuring System ZEPHIRAX Ver. 1.03a 32/64 Bit", "Ship :"},
      {French, "Analyseur de Combustion ZEPHIRAX Ver. 1.03a 32/64 Bit", "Navire/Site:"},
      {Spanish,
       "ZEPHIRAX instrumento de medición de presión de combustión Ver. ZEPHIRAX 1.03a 32/64 Bit",
       "Barco :"},
      {German, "Zylinderdruck-Meßsystem ZEPHIRAX Ver. 1.03a 32/64 Bit", "Schiff :"},
  };
  for (const auto& [language, title, ship] : captions) {
    form->State().Config.Language = language;
    form->ApplySettings();
    EXPECT_EQ(form->windowTitle(), QString::fromUtf8(title)) << language;
    EXPECT_EQ(Label(*form, "ShipCaption"), QString::fromUtf8(ship)) << language;
  }

  // Changed units redraw the table already on display.
  form->State().Config.PressureUnit = 0;
  form->State().Config.Language = Spanish;
  form->ApplySettings();
  EXPECT_EQ(Cell(*form, 0, ColMip), "15.1");
  EXPECT_TRUE(Table(*form)->horizontalHeaderItem(ColMip)->text().contains("[bar]"));

  form->findChild<QPushButton*>("ExitButton")->click();
  Settings written;
  ReadConfig(written, home_.File("config/VOLTAN"));
  EXPECT_EQ(written.Language, Spanish);
  EXPECT_EQ(written.PressureUnit, 0);
  EXPECT_EQ(written.PowerUnit, 1);
}

TEST_F(MainFormTest, UnusableSettingsFolderIsReportedAndDefaultsHold) {
  WriteBytes(home_.File("config"), "a file where the settings folder belongs");
  auto form = NewForm();
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text, "Could not create application data directory");
  EXPECT_EQ(form->State().Config.Language, English);
  EXPECT_EQ(Label(*form, "FileCaption"), "File :");
  form->close();  // writing fails quietly
}

}  // namespace
}  // namespace zephirax
