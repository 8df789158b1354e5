#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <tuple>

#include <gtest/gtest.h>

#include "adddata/AdditionalDataFile.h"
#include "app/QtMainForm.h"
#include "app/QtTdcForm.h"
#include "printing/QtPrinterDlg.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ModalDialogs.h"
#include "support/PdfTools.h"
#include "support/ScriptedUserInterface.h"
#include "support/SqueezedText.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::Squeezed;
using test::WhenModal;

class MainFormPrintTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  test::ScriptedUserInterface ui_;
  std::unique_ptr<TMainForm> form_;

  void SetUp() override {
    qputenv("XDG_CONFIG_HOME", home_.File("config").c_str());
    form_ = std::make_unique<TMainForm>(home_.File("program"), &ui_);
    // Whatever printers this machine has, the runs go into the PDF file the
    // user is asked for.
    form_->PrinterObject.Printer().setOutputFormat(QPrinter::PdfFormat);
  }
  void TearDown() override {
    QApplication::processEvents();
    qunsetenv("XDG_CONFIG_HOME");
  }
  // Analyses a measurement of three cylinders, with a ship in its additional
  // data when given.
  void Analyse(bool mip, const char* ship = nullptr) {
    test::MeasurementFileBuilder file;
    std::tie(file.Cylinders, file.Mip, file.Mode) = std::tuple(3, mip, mip);
    test::WriteBytes(home_.File("ENGINE 3.KV"), file.Build());
    if (ship != nullptr) {
      AdditionalData exh;
      exh.ShipName = ship;
      test::WriteBytes(home_.File("ENGINE 3.EXH"), AdditionalDataBytes(exh, 3));
    }
    ui_.FileAnswers.push_back(home_.File("ENGINE 3.KV"));
    form_->AnalyseButtonClick();
    ASSERT_TRUE(View().AnalysisActive);
    ui_.FileRequests.clear();  // the run's own requests follow
  }
  // Ticks `boxes` in the print dialog, then presses OK (or Cancel).
  static void Choose(std::vector<PrintBox> boxes, bool ok = true,
                     std::function<void(TPrinterDlg&)> also = {}) {
    WhenModal<TPrinterDlg>([=](TPrinterDlg& dialog) {
      for (const PrintBox box : boxes) dialog.Box(box)->click();
      if (also) also(dialog);
      (ok ? dialog.OkButton : dialog.CancelButton)->click();
    });
  }
  void Print() {
    Button("PrintButton")->click();
    QApplication::processEvents();
  }
  QPushButton* Button(const char* name) const { return form_->findChild<QPushButton*>(name); }
  QAction* Item(const char* name) const { return form_->findChild<QAction*>(name); }
  ViewState& View() { return form_->State().View; }
};

TEST_F(MainFormPrintTest, CancellingPrintsNothingAndLeavesTheView) {
  Analyse(true);
  Item("PmaxMeanItem")->trigger();
  const QImage before = form_->Picture();
  Choose({PrintBox::All, PrintBox::Hardcopy}, false);
  Print();
  EXPECT_TRUE(ui_.FileRequests.empty());
  EXPECT_TRUE(ui_.Messages.empty());
  EXPECT_EQ(View().CurrentView, ViewPmaxMean);
  EXPECT_EQ(form_->Picture(), before);
  EXPECT_TRUE(Button("PrintButton")->isEnabled());
}

TEST_F(MainFormPrintTest, WithoutAPrinterTheRunGoesIntoTheChosenPdf) {
  Analyse(true, "MS ELBE");
  const std::string pdf = home_.File("out/report.pdf");
  ui_.FileAnswers.push_back(pdf);
  bool checkedDuringRun = false;
  Choose({PrintBox::PmaxSingle, PrintBox::PAlphaAll}, true, [&](TPrinterDlg&) {
    EXPECT_FALSE(Button("PrintButton")->isEnabled());
    // Runs at the first events the run lets through.
    QTimer::singleShot(0, [&] {
      checkedDuringRun = true;
      EXPECT_TRUE(form_->Printing());
      EXPECT_FALSE(Button("PrintButton")->isEnabled());
    });
  });
  Print();
  EXPECT_TRUE(checkedDuringRun);
  ASSERT_EQ(ui_.FileRequests.size(), 1u);
  EXPECT_EQ(ui_.FileRequests[0].Title, "No printer installed - save as PDF file");
  EXPECT_TRUE(ui_.Messages.empty());
  // p/alpha all, then pmax for each of the three cylinders.
  ASSERT_EQ(test::PdfPageCount(pdf), 4);
  const std::string first = Squeezed(test::PdfText(pdf, 1, 1));
  EXPECT_NE(first.find("File : ENGINE 3.KV Date : 06.12.2026 Time : 14:32"), std::string::npos)
      << first;
  EXPECT_NE(first.find("Ship : MS ELBE"), std::string::npos);
  EXPECT_NE(test::PdfText(pdf, 4, 4).find("Cyl 3"), std::string::npos);
  // The last page printed stays on screen, as its menu item shows it.
  EXPECT_EQ(View().CurrentView, ViewPmaxSingle);
  EXPECT_EQ(View().CurrentCylinder, 3);
  EXPECT_TRUE(Item("PmaxSingleItem")->isChecked());
  EXPECT_EQ(Button("CopyBtn")->pos(), QPoint(298, 5));
  EXPECT_FALSE(form_->Printing());
  EXPECT_TRUE(Button("PrintButton")->isEnabled());
}

TEST_F(MainFormPrintTest, PagesTheMeasurementCannotShowAreNamedAndNotPrinted) {
  Analyse(false);
  Choose({PrintBox::Mip, PrintBox::AddedData});
  Print();
  // Nothing left to print: no PDF file is asked for.
  EXPECT_TRUE(ui_.FileRequests.empty());
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text,
            "The measurement cannot show these pages; they are not printed:\n"
            "Print MIP bargraph diagram\n"
            "Print added data");
  EXPECT_TRUE(Button("PrintButton")->isEnabled());
}

TEST_F(MainFormPrintTest, APdfThatCannotBeWrittenIsReported) {
  Analyse(true);
  test::WriteBytes(home_.File("blocked"), "");
  ui_.FileAnswers.push_back(home_.File("blocked/report.pdf"));
  Choose({});
  Print();
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Caption, "Error :");
  EXPECT_EQ(ui_.Messages[0].Text.rfind("Printing failed:\n", 0), 0u) << ui_.Messages[0].Text;
  EXPECT_NE(ui_.Messages[0].Text.find("blocked/report.pdf"), std::string::npos);
  EXPECT_TRUE(Button("PrintButton")->isEnabled());
}

TEST_F(MainFormPrintTest, SetupPrinterFirstOpensThePrintDialog) {
  Analyse(true);
  bool setUp = false;
  Choose({PrintBox::Setup});
  WhenModal<QPrintDialog>([&](QPrintDialog& dialog) {
    setUp = true;
    dialog.reject();
  });
  Print();
  EXPECT_TRUE(setUp);
  // The current view is printed afterwards, into the file the user declines.
  EXPECT_EQ(ui_.FileRequests.size(), 1u);
  EXPECT_TRUE(Button("PrintButton")->isEnabled());
}

TEST_F(MainFormPrintTest, PrintingInTheTdcModeKeepsTheMode) {
  test::MeasurementFileBuilder file;
  file.Cylinders = 3;
  test::WriteBytes(home_.File("TDC.KV"), file.Build());
  ui_.FileAnswers = {home_.File("TDC.KV"), home_.File("tdc.pdf")};
  WhenModal<TTDCForm>([](TTDCForm& form) { form.ManualButton->click(); });
  form_->ShiftButtonClick();
  ASSERT_EQ(View().CurrentView, ViewTdcManual);
  form_->CylinderPlusBtnClick();
  Choose({PrintBox::PmaxMean});
  Print();
  EXPECT_EQ(test::PdfPageCount(home_.File("tdc.pdf")), 1);
  EXPECT_EQ(View().CurrentView, ViewTdcManual);
  EXPECT_EQ(View().CurrentCylinder, 2);
  EXPECT_EQ(Button("RefBtn")->text().toStdString(), "Save");
  EXPECT_TRUE(Button("PrintButton")->isEnabled());
}

}  // namespace
}  // namespace zephirax
