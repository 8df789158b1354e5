#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <sstream>
#include <tuple>

#include <gtest/gtest.h>

#include "app/QtMainForm.h"
#include "app/QtPscavForm.h"
#include "app/QtTdcForm.h"
#include "cli/Cli.h"
#include "measurement/MeasurementReader.h"
#include "platform/LangText.h"
#include "support/MeasurementFileBuilder.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// Presses `button` of the next modal dialog of type Dialog once it is up.
template <class Dialog>
void AnswerNextDialog(QPushButton* Dialog::*button, std::function<void(Dialog&)> before = {}) {
  QTimer::singleShot(0, [button, before] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    if (before) before(*dialog);
    (dialog->*button)->click();
  });
}

class CorrectionsTest : public ::testing::Test {
 protected:
  test::TempDir home_;
  test::ScriptedUserInterface ui_;
  std::unique_ptr<TMainForm> form_;

  void SetUp() override {
    qputenv("XDG_CONFIG_HOME", home_.File("config").c_str());
    form_ = std::make_unique<TMainForm>(home_.File("program"), &ui_);
  }
  void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }
  std::string File(const std::string& name, bool mip = true) const {
    test::MeasurementFileBuilder file;
    std::tie(file.Cylinders, file.Mip) = std::tuple(3, mip);
    WriteBytes(home_.File(name), file.Build());
    return home_.File(name);
  }
  QPushButton* Button(const char* name) const { return form_->findChild<QPushButton*>(name); }
  QLabel* Label(const char* name) const { return form_->findChild<QLabel*>(name); }
  ViewState& View() { return form_->State().View; }
  MeasurementData& Data() { return *form_->State().Files.Measurement; }
  float SavedShift(const std::string& name, int cylinder) {
    auto data = std::make_unique<MeasurementData>();
    EXPECT_TRUE(LoadMeasurement(*data, name)) << name;
    return data->TdcShift[cylinder];
  }
  void StartTdc(QPushButton* TTDCForm::*choice) {
    AnswerNextDialog<TTDCForm>(choice);
    form_->ShiftButtonClick();
  }
};

TEST(TdcForm, CaptionsByLanguage) {
  const struct {
    int Language;
    const char* Manual;
    const char* Cancel;
  } cases[] = {{German, "Manuelle OT-Korrektur für jeden Zylinder", "Abbruch"},
               {English, "Manual TDC correction for each cylinder", "Cancel"},
               {Spanish, "Manual TDC correction for each cylinder ?", "Cancel"}};
  for (const auto& c : cases) {
    TTDCForm form(c.Language);
    EXPECT_EQ(form.ManualButton->text().toStdString(), c.Manual);
    EXPECT_EQ(form.CancelButton->text().toStdString(), c.Cancel);
  }
  AnswerNextDialog<TTDCForm>(&TTDCForm::AutomaticButton);
  EXPECT_EQ(TTDCForm::Ask(English, nullptr), TdcChoice::Automatic);
  AnswerNextDialog<TTDCForm>(&TTDCForm::CancelButton);
  EXPECT_EQ(TTDCForm::Ask(English, nullptr), TdcChoice::Cancel);
}

// Manual mode from the shift button to Save and the end: a file without the
// crank-angle layout is refused and the dialog comes again; the arrows shift
// the current cylinder; Save writes NAME.KV with the additional data beside
// it; finish forgets the shifts and returns to the start screen.
TEST_F(CorrectionsTest, ManualModeFromShiftToSaveAndEnd) {
  const std::string old = File("OLD.KV", false);
  const std::string source = File("SRC.KV");
  WriteBytes(home_.File("SRC.EXH"), "EXH\r\n");
  ui_.FileAnswers = {old, source};
  StartTdc(&TTDCForm::ManualButton);
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text, "This is not a ZEPHIRAX data file !");
  EXPECT_EQ(View().CurrentView, ViewTdcManual);
  EXPECT_TRUE(View().AnalysisActive);
  EXPECT_EQ(Button("ShiftButton")->text().toStdString(), "finish");
  EXPECT_EQ(Button("RefBtn")->text().toStdString(), "Save");
  EXPECT_EQ(Button("CursorRightBtn")->text().toStdString(), "Shift ->");
  EXPECT_TRUE(Button("CylinderPlusBtn")->isVisible() || !form_->isVisible());
  EXPECT_FALSE(Button("AnalyseButton")->isEnabled());

  Button("CylinderPlusBtn")->click();
  Button("CursorRightBtn")->click();
  Button("CursorRightBtn")->click();
  EXPECT_FLOAT_EQ(Data().TdcShift[2], 0.5f);

  ui_.FileAnswers = {home_.File("NEW")};
  Button("RefBtn")->click();
  EXPECT_FLOAT_EQ(SavedShift(home_.File("NEW.KV"), 2), 0.5f);
  EXPECT_EQ(ReadBytes(home_.File("NEW.EXH")), "EXH\r\n");
  EXPECT_FLOAT_EQ(SavedShift(source, 2), 0);

  // A folder that cannot be written: said so, and the shifts stay for another try.
  WriteBytes(home_.File("blocked"), "");
  ui_.FileAnswers = {home_.File("blocked/X")};
  Button("RefBtn")->click();
  ASSERT_EQ(ui_.Messages.size(), 2u);
  EXPECT_NE(ui_.Messages[1].Text.find("blocked/X.KV could not be written"), std::string::npos);
  EXPECT_FLOAT_EQ(Data().TdcShift[2], 0.5f);

  Button("ShiftButton")->click();  // "finish"
  EXPECT_FALSE(View().AnalysisActive);
  EXPECT_FLOAT_EQ(Data().TdcShift[2], 0);
  EXPECT_EQ(Button("ShiftButton")->text().toStdString(), "Shift &TDC");
  EXPECT_EQ(Button("RefBtn")->text().toStdString(), "Load ref file");
  EXPECT_TRUE(Button("AnalyseButton")->isEnabled());
  EXPECT_TRUE(Button("ShiftButton")->isEnabled());
}

// Automatic mode: the marker buttons move the marker within its limits and
// Auto TDC correct ends with the "TDC corrected" label; Functions ends the mode.
TEST_F(CorrectionsTest, AutomaticModeCorrectsAndEnds) {
  ui_.FileAnswers = {File("SRC.KV")};
  StartTdc(&TTDCForm::AutomaticButton);
  ASSERT_EQ(View().CurrentView, ViewTdcAuto);
  Button("TDCRightButton")->click();
  Button("TDCRotateLeftButton")->click();
  EXPECT_EQ(View().Tdc.MarkerOffset, -4);
  EXPECT_EQ(View().Tdc.MarkerSlope, -1);
  Button("autoButton")->click();
  EXPECT_EQ(Label("ErrorLabel")->text().toStdString(), "TDC corrected");
  EXPECT_FALSE(Label("ErrorLabel")->isHidden());
  EXPECT_EQ(View().CurrentCylinder, View().RefCylinder);
  EXPECT_EQ(ui_.HourglassOn, 0);
  Button("RefCylinderPlusBtn")->click();
  EXPECT_EQ(View().RefCylinder, 2);
  EXPECT_EQ(View().CurrentCylinder, 2);  // the current cylinder follows in view 15
  Button("FinishButton")->click();
  EXPECT_FALSE(View().AnalysisActive);
  EXPECT_TRUE(ui_.Messages.empty());
}

// A cancelled choice or file leaves the window as it was, or the mode
// prepared without a curve.
TEST_F(CorrectionsTest, CancelledChoiceOrFileShowsNoCurve) {
  StartTdc(&TTDCForm::CancelButton);
  EXPECT_FALSE(View().AnalysisActive);
  EXPECT_EQ(Button("ShiftButton")->text().toStdString(), "Shift &TDC");
  StartTdc(&TTDCForm::ManualButton);  // and the open dialog cancelled
  EXPECT_FALSE(View().AnalysisActive);
  EXPECT_EQ(Button("ShiftButton")->text().toStdString(), "finish");
  form_->ShiftButtonClick();
  EXPECT_EQ(Button("ShiftButton")->text().toStdString(), "Shift &TDC");
}

// pscav corr.: OK corrects memory and file, Cancel changes nothing, and a
// text that is no number is said so with nothing changed.
TEST_F(CorrectionsTest, PscavDialogOkCancelAndNonNumber) {
  const std::string file = File("P.KV");
  ui_.FileAnswers = {file};
  form_->AnalyseButtonClick();
  form_->PAlphaSingleItemClick();
  const double before = Data().Pscav;
  const std::string bytes = ReadBytes(file);

  AnswerNextDialog<TpscavForm>(&TpscavForm::CancelButton);
  form_->pscavButtonClick();
  EXPECT_EQ(ReadBytes(file), bytes);

  AnswerNextDialog<TpscavForm>(&TpscavForm::OkButton,
                               [](TpscavForm& dialog) { dialog.ValueEdit->setText("abc"); });
  form_->pscavButtonClick();
  ASSERT_EQ(ui_.Messages.size(), 1u);
  EXPECT_EQ(ui_.Messages[0].Text, "'abc' is not a valid floating point value");
  EXPECT_EQ(ReadBytes(file), bytes);
  EXPECT_DOUBLE_EQ(Data().Pscav, before);

  // OK writes the bytes the command line's pscav writes for the same value.
  const std::string copy = home_.File("COPY.KV");
  WriteBytes(copy, bytes);
  const QString value = QString::number(before + 1, 'f', 2);
  AnswerNextDialog<TpscavForm>(&TpscavForm::OkButton, [value](TpscavForm& dialog) {
    EXPECT_EQ(dialog.UnitLabel->text().toStdString(), "bar");
    dialog.ValueEdit->setText(QString(value).replace('.', QLocale().decimalPoint()));
  });
  form_->pscavButtonClick();
  EXPECT_NEAR(Data().Pscav, before + 1, 1e-9);
  std::istringstream in;
  std::ostringstream out, err;
  ASSERT_EQ(RunCli({"pscav", copy, value.toStdString()}, in, out, err), 0) << err.str();
  EXPECT_EQ(ReadBytes(file), ReadBytes(copy));
  EXPECT_NE(ReadBytes(file), bytes);

  // A file that has gone since: the message names it, memory stays as it was.
  std::filesystem::remove(file);
  const double corrected = Data().Pscav;
  AnswerNextDialog<TpscavForm>(&TpscavForm::OkButton,
                               [](TpscavForm& dialog) { dialog.ValueEdit->setText("3"); });
  form_->pscavButtonClick();
  ASSERT_EQ(ui_.Messages.size(), 2u);
  EXPECT_NE(ui_.Messages[1].Text.find("P.KV can no longer be read; nothing was written."),
            std::string::npos)
      << ui_.Messages[1].Text;
  EXPECT_DOUBLE_EQ(Data().Pscav, corrected);
  EXPECT_EQ(View().CurrentView, ViewPAlphaSingle);
}

}  // namespace
}  // namespace zephirax
