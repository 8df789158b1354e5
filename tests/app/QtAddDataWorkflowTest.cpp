#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include <gtest/gtest.h>

#include "adddata/AdditionalDataFile.h"
#include "adddata/QtAddDataDlg.h"
#include "app/QtMainForm.h"
#include "measurement/Units.h"
#include "support/MeasurementFileBuilder.h"
#include "support/PdfTools.h"
#include "support/QtDialogAnswers.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using Q = AddDataQuantity;
using test::HasLabel;
using test::ReadBytes;
using test::Type;
using test::WhenModal;
using test::WriteBytes;

constexpr int Cylinders = 6;

class AddDataWorkflowTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  test::ScriptedUserInterface ui_;
  std::unique_ptr<TMainForm> form_;

  void SetUp() override {
    qputenv("XDG_CONFIG_HOME", home_.File("config").c_str());
    form_ = std::make_unique<TMainForm>(home_.File("program"), &ui_);
  }
  void TearDown() override {
    // An answer meant for a dialog that never came fails here, in its test.
    QApplication::processEvents();
    qunsetenv("XDG_CONFIG_HOME");
  }
  std::string Measurement(const std::string& name) const {
    test::MeasurementFileBuilder file;
    file.Cylinders = Cylinders;
    WriteBytes(home_.File(name), file.Build());
    return home_.File(name);
  }
  QPushButton* Button(const char* name) const { return form_->findChild<QPushButton*>(name); }
  // Runs the workflow with `chosen` as the open dialog's answer.
  void AddData(const std::string& chosen) {
    ui_.FileAnswers.push_back(chosen);
    Button("AddButton")->click();
  }
  void ExpectIdleAgain() const {
    for (const char* name :
         {"ReceiveButton", "AnalyseButton", "ShiftButton", "AddButton", "ExitButton"}) {
      EXPECT_TRUE(Button(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(Button("FileButton")->isHidden());
    EXPECT_TRUE(form_->findChild<QLabel*>("FileLabel")->text().isEmpty());
    EXPECT_EQ(ui_.HourglassOn, 0);
  }
};

TEST_F(AddDataWorkflowTest, AddButtonWorksFromIdleOnly) {
  EXPECT_TRUE(Button("AddButton")->isEnabled());
  ui_.FileAnswers = {Measurement("A.KV")};
  form_->AnalyseButtonClick();
  EXPECT_FALSE(Button("AddButton")->isEnabled());
  form_->FinishAnalysisItemClick();
  EXPECT_TRUE(Button("AddButton")->isEnabled());

  // The open dialog cancelled: nothing happens.
  Button("AddButton")->click();
  ASSERT_EQ(ui_.FileRequests.size(), 2u);
  EXPECT_EQ(ui_.FileRequests[1].Title, "Select measured data you want to add data to");
  ASSERT_EQ(ui_.FileRequests[1].Filters.size(), 2u);
  EXPECT_EQ(ui_.FileRequests[1].Filters[1].Description, "VOLTAN add datafile");
  EXPECT_EQ(ui_.FileRequests[1].Filters[1].Pattern, "*.EXH");
  ExpectIdleAgain();
}

// The user picks the ".EXH" file: the dialog shows what it holds for the
// measurement beside it; Save (Enter in a field) writes every value, the
// invalid entry's last valid value among them, in deg C and kW.
TEST_F(AddDataWorkflowTest, SaveWritesTheFileBesideTheMeasurement) {
  Measurement("ENGINE.KV");
  AdditionalData onFile;
  onFile.Texh[1] = 350;
  onFile.ShipName = "MV Example";
  onFile.Comment = "liner 3 checked";
  const std::string exh = home_.File("ENGINE.EXH");
  ASSERT_TRUE(WriteAdditionalData(onFile, exh, Cylinders));
  form_->State().Config.TempUnit = UnitDegF;
  form_->State().Config.PowerUnit = UnitHp;

  WhenModal<TAddDataDlg>([](TAddDataDlg& dlg) {
    EXPECT_TRUE(HasLabel(*dlg.Pages->widget(0),
                         "[\xC2\xB0"
                         "F]"));
    EXPECT_TRUE(HasLabel(*dlg.Pages->widget(4), "[hp]"));  // the MCR power
    EXPECT_TRUE(HasLabel(*dlg.Pages->widget(4), "[kW]"));  // the shaft powers
    EXPECT_EQ(dlg.Field({Q::Texh, 1})->text(), "662");
    EXPECT_EQ(dlg.ShipNameEdit->text(), "MV Example");
    Type(dlg.Field({Q::Texh, 6}), "752");
    Type(dlg.Field({Q::Texh, 1}), "6 62");  // refused: 350 stays, not 6 deg F
    Type(dlg.Field({Q::McrPower, 0}), "13410");
    dlg.MemoEdit->setPlainText("liner 3 checked\nrings fine");
    QTest::keyClick(dlg.Field({Q::TscavBefore, 2}), Qt::Key_Return);
  });
  AddData(exh);

  AdditionalData expected = onFile;
  expected.Texh[6] = 400;
  expected.McrPower = 10000;
  expected.Comment = "liner 3 checked\r\nrings fine";
  EXPECT_EQ(ReadBytes(exh), AdditionalDataBytes(expected, Cylinders));
  EXPECT_TRUE(ui_.Messages.empty());
  EXPECT_TRUE(form_->State().Files.HasAddData);
  ExpectIdleAgain();
}

// Cancel (Esc) writes nothing: no file appears beside a measurement without
// one, and what was typed stays in memory only.
TEST_F(AddDataWorkflowTest, CancelWritesNothing) {
  const std::string meas = Measurement("NEW.KV");
  WhenModal<TAddDataDlg>([](TAddDataDlg& dlg) {
    EXPECT_EQ(dlg.Field({Q::Texh, 1})->text(), "0");
    Type(dlg.Field({Q::Texh, 1}), "420");
    QTest::keyClick(&dlg, Qt::Key_Escape);
  });
  AddData(meas);
  EXPECT_FALSE(std::filesystem::exists(home_.File("NEW.EXH")));
  EXPECT_FALSE(form_->State().Files.HasAddData);
  EXPECT_EQ(form_->State().Files.AddData.Texh[1], 420);
  ExpectIdleAgain();

  // An existing file keeps its bytes.
  const std::string exh = home_.File("NEW.exh");
  WriteBytes(exh, AdditionalDataBytes(AdditionalData{}, Cylinders));
  const std::string bytes = ReadBytes(exh);
  WhenModal<TAddDataDlg>([](TAddDataDlg& dlg) {
    Type(dlg.Field({Q::Vit, 2}), "3.5");
    dlg.CancelButton->click();
  });
  AddData(meas);
  EXPECT_EQ(ReadBytes(exh), bytes);
}

// A lower-case ".exh" beside the measurement is the one read and replaced.
TEST_F(AddDataWorkflowTest, LowerCaseFileIsTheOneReplaced) {
  Measurement("ship.kv");
  const std::string exh = home_.File("ship.exh");
  AdditionalData onFile;
  onFile.PDiff[2] = 120;
  ASSERT_TRUE(WriteAdditionalData(onFile, exh, Cylinders));
  WhenModal<TAddDataDlg>([](TAddDataDlg& dlg) {
    EXPECT_EQ(dlg.Field({Q::PDiff, 2})->text(), "120");
    Type(dlg.Field({Q::PDiff, 2}), "130");
    dlg.SaveButton->click();
  });
  AddData(exh);
  onFile.PDiff[2] = 130;
  EXPECT_EQ(ReadBytes(exh), AdditionalDataBytes(onFile, Cylinders));
  EXPECT_FALSE(std::filesystem::exists(home_.File("ship.EXH")));
}

// An ".EXH" file whose measurement is not found: the load's message, no
// dialog, nothing written.
TEST_F(AddDataWorkflowTest, MissingMeasurementOpensNoDialog) {
  Measurement("ONLY.KS");
  const std::string exh = home_.File("ONLY.EXH");
  WriteBytes(exh, "TEXH\r\n");
  // Closes a dialog that should not be there; it goes with this test.
  bool dialogShown = false;
  QTimer watch;
  watch.setSingleShot(true);
  QObject::connect(&watch, &QTimer::timeout, [&dialogShown] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      dialogShown = true;
      modal->close();
    }
  });
  watch.start(0);
  AddData(exh);
  EXPECT_FALSE(dialogShown);
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_NE(ui_.Messages[0].Text.find(home_.File("ONLY") + "\nThe file is missing"),
            std::string::npos)
      << ui_.Messages[0].Text;
  EXPECT_EQ(ReadBytes(exh), "TEXH\r\n");
  ExpectIdleAgain();
}

TEST_F(AddDataWorkflowTest, FileThatCannotBeWrittenIsReported) {
  const std::string meas = Measurement("RO.KV");
  std::filesystem::create_directories(home_.File("RO.EXH"));  // in the way of the file
  WhenModal<TAddDataDlg>([](TAddDataDlg& dlg) { dlg.SaveButton->click(); });
  AddData(meas);
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text,
            home_.File("RO.EXH") + " could not be written; the additional data were not saved.");
  ExpectIdleAgain();
}

// Without a printer the print buttons put their page into the PDF file the
// user picks; declining the file prints nothing. The data page shows what
// was typed before printing.
TEST_F(AddDataWorkflowTest, PrintButtonsPrintIntoAPdfFileWithoutAPrinter) {
  if (form_->PrinterObject.HasPrinter()) GTEST_SKIP() << "a printer is installed here";
  Measurement("ENGINE.KV");
  AdditionalData onFile;
  onFile.ShipName = "MV Example";
  const std::string exh = home_.File("ENGINE.EXH");
  ASSERT_TRUE(WriteAdditionalData(onFile, exh, Cylinders));
  const std::string form = home_.File("form.pdf");
  const std::string data = home_.File("data.pdf");

  WhenModal<TAddDataDlg>([&](TAddDataDlg& dlg) {
    EXPECT_TRUE(dlg.PrintFormButton->isEnabled() && dlg.PrintDataButton->isEnabled());
    ui_.FileAnswers.push_back(form);
    dlg.PrintFormButton->click();
    Type(dlg.Field({Q::Texh, 3}), "417");
    ui_.FileAnswers.push_back(home_.File("data"));  // ".pdf" is added
    dlg.PrintDataButton->click();
    dlg.PrintDataButton->click();  // no file chosen this time
    dlg.CancelButton->click();
  });
  AddData(exh);

  ASSERT_EQ(ui_.FileRequests.size(), 4u);
  EXPECT_EQ(ui_.FileRequests[1].Title, "No printer installed - save as PDF file");
  EXPECT_TRUE(ui_.Messages.empty());
  const std::string formText = test::PdfText(form);
  EXPECT_NE(formText.find("Form for additional data"), std::string::npos) << formText;
  const std::string dataText = test::PdfText(data);
  for (const char* expected : {"Additional data for File : ENGINE.KV", "Date : 06.12.2026",
                               "Ship name :", "MV Example", "417"}) {
    EXPECT_NE(dataText.find(expected), std::string::npos) << expected << "\n" << dataText;
  }
  EXPECT_EQ(test::PdfPageCount(data), 1);
  ExpectIdleAgain();
}

}  // namespace
}  // namespace zephirax
