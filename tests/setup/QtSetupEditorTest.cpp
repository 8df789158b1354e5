#include "setup/QtSetupEditor.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "setup/QtSetupChoiceDialog.h"
#include "support/ModalDialogs.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

using test::WhenModal;

bool Shaded(const QLineEdit* edit, const QColor& colour) {
  return edit->palette().color(QPalette::Base) == colour;
}
const QColor Yellow(255, 255, 0);
const QColor Red(255, 140, 140);

// Puts `text` into the field as typed keys, replacing what it held.
void TypeInto(QLineEdit* edit, const char* text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

class SetupEditorTest : public ::testing::Test {
 protected:
  test::ScriptedUserInterface ui_;
  test::TempDir home_;
  EngineSetup setup_;
  SetupEditorOptions options_;

  void SetUp() override {
    NewSetupDefaults(setup_);
    options_.EngineDir = home_.Path().string();
  }
  // Runs the editor; `act` works it while it is up and must close it.
  SetupEditorEnd Edit(std::function<void(TTabbedNotebookDlg&)> act) {
    TTabbedNotebookDlg editor(setup_, options_, ui_);
    WhenModal<TTabbedNotebookDlg>(std::move(act));
    return editor.Run();
  }
};

TEST(SetupChoiceDialog, TextsAndAnswers) {
  {
    TTransmitDlg1 dialog(German);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Einstellung des VOLTAN KV");
    EXPECT_EQ(dialog.OpenButton->text().toStdString(), "   Nutze vorhandene Einstellung");
    EXPECT_TRUE(dialog.NewButton->isChecked());
  }
  const struct {
    const char* What;
    std::function<void(TTransmitDlg1&)> Act;
    SetupChoice Expected;
  } answers[] = {
      {"Enter takes the preselected new setup",
       [](TTransmitDlg1& d) { QTest::keyClick(&d, Qt::Key_Return); }, SetupChoice::New},
      {"existing setup",
       [](TTransmitDlg1& d) {
         d.OpenButton->setChecked(true);
         d.OkButton->click();
       },
       SetupChoice::Open},
      {"Escape", [](TTransmitDlg1& d) { QTest::keyClick(&d, Qt::Key_Escape); },
       SetupChoice::Cancel},
  };
  for (const auto& a : answers) {
    WhenModal<TTransmitDlg1>(a.Act);
    EXPECT_EQ(TTransmitDlg1::Ask(English, nullptr), a.Expected) << a.What;
  }
}

// A German editor in inch and psi: the record in the user's units, the key
// filters and the count corrected on leaving, with the fields that follow.
TEST_F(SetupEditorTest, ShowsTheRecordAndCorrectsWithABeep) {
  options_.Language = German;
  options_.Units = {UnitInch, UnitPsi};
  setup_.Bore = 600;
  setup_.InLineEngine = 0;
  setup_.VAngle = 45;
  Edit([this](TTabbedNotebookDlg& d) {
    EXPECT_EQ(d.BoreEdit->text(), "23.62");
    EXPECT_EQ(d.ScavAirEdit->text(), "14.53");
    EXPECT_EQ(d.TdcSensorEdit->text(), "J");
    EXPECT_EQ(QApplication::focusWidget(), d.CylindersEdit);
    EXPECT_TRUE(d.CylindersEdit->hasSelectedText());
    EXPECT_TRUE(Shaded(d.CylindersEdit, Yellow));
    EXPECT_FALSE(d.TransmitButton->isHidden() || d.TransmitButton->isEnabled());
    EXPECT_FALSE(d.PrintButton->isEnabled());

    QTest::keyClick(d.LayoutEdit, Qt::Key_X);
    EXPECT_EQ(d.LayoutEdit->text(), "R");
    EXPECT_EQ(d.VAngleEdit->text(), "0.0");
    EXPECT_EQ(ui_.Beeps, 1);
    QTest::keyClick(d.TdcSensorEdit, Qt::Key_N);
    EXPECT_EQ(d.KmSensorEdit->text(), "N");
    QTest::keyClick(d.KmSensorEdit, Qt::Key_J);  // no KM sensor without TDC sensor
    EXPECT_EQ(d.KmSensorEdit->text(), "N");
    QTest::keyClick(d.AverageEdit, Qt::Key_V, Qt::ControlModifier);  // no paste
    EXPECT_EQ(d.AverageEdit->text(), "J");

    TypeInto(d.CylindersEdit, "21");
    d.StrokesEdit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(d.CylindersEdit->text(), "6");
    EXPECT_EQ(ui_.Beeps, 2);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), d.CylindersEdit);  // stays in the field
    TypeInto(d.CylindersEdit, "8");
    d.StrokesEdit->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(d.FiringEdits[7]->isHidden());
    EXPECT_TRUE(d.FiringEdits[8]->isHidden());
    d.FinishButton->click();
  });
  EXPECT_EQ(setup_.CylCount, 8);
  EXPECT_EQ(setup_.InLineEngine, 1);
  EXPECT_EQ(setup_.KmSensor, 0);
}

// Typed numbers go into the record in mm and bar; a text that is no number
// is marked and leaves the record, and leaving the field shows the record.
TEST_F(SetupEditorTest, TypedValuesReachTheRecordOrAreMarked) {
  options_.Units = {UnitInch, UnitMPa};
  Edit([this](TTabbedNotebookDlg& d) {
    TypeInto(d.BoreEdit, "23.62");
    EXPECT_EQ(setup_.Bore, 600);
    TypeInto(d.ScavAirEdit, "0.25");
    EXPECT_DOUBLE_EQ(setup_.Pscav, 2.5);
    EXPECT_TRUE(Shaded(d.ScavAirEdit, Yellow));
    TypeInto(d.ScavAirEdit, "0.3x");
    EXPECT_DOUBLE_EQ(setup_.Pscav, 3.0);  // the last text that was a number
    EXPECT_TRUE(Shaded(d.ScavAirEdit, Red));
    d.LimitEdit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(d.ScavAirEdit->text(), "0.300");
    EXPECT_FALSE(Shaded(d.ScavAirEdit, Red) || Shaded(d.ScavAirEdit, Yellow));
    d.FinishButton->click();
  });
  EXPECT_DOUBLE_EQ(setup_.Pscav, 3.0);
  EXPECT_EQ(ui_.Beeps, 0);
}

TEST_F(SetupEditorTest, AutomaticDeviationsFollowTheTypedFiringOrder) {
  setup_.StrokeCycle = 4;
  Edit([](TTabbedNotebookDlg& d) {
    d.Pages->setCurrentWidget(d.FiringPage);
    const char* order[] = {"1", "5", "3", "4", "2", "6"};
    for (int p = 0; p < 6; ++p) TypeInto(d.FiringEdits[p], order[p]);
    d.AutoDeviationsButton->click();
    const char* expected[] = {"0.0", "480.0", "240.0", "360.0", "120.0", "600.0"};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(d.DeviationEdits[c]->text(), expected[c]) << c + 1;
    d.FinishButton->click();
  });
  EXPECT_EQ(setup_.TdcDeviation[2], 480);
}

// Save writes the setup file and returns to page one; a cancelled save
// writes nothing. Enter in the cylinder field saves the corrected count.
TEST_F(SetupEditorTest, SaveWritesTheFileAndEditingGoesOn) {
  const std::string first = home_.File("SHIP1");
  test::WriteBytes(home_.File("blocked"), "");
  const std::string failing = home_.File("blocked/SHIP2");
  ui_.FileAnswers = {first, std::nullopt, failing};
  const SetupEditorEnd end = Edit([this, first, failing](TTabbedNotebookDlg& d) {
    d.CylindersEdit->setText("0");
    QTest::keyClick(d.CylindersEdit, Qt::Key_Return);
    EXPECT_EQ(ui_.Beeps, 1);
    EXPECT_EQ(setup_.CylCount, 6);
    EXPECT_EQ(test::ReadBytes(first), SetupFrame(setup_, FrameUse::File).value());

    d.Pages->setCurrentWidget(d.FiringPage);
    d.SaveButton->click();  // cancelled
    EXPECT_EQ(d.Pages->currentWidget(), d.BasicPage);
    EXPECT_EQ(QApplication::focusWidget(), d.CylindersEdit);
    d.SaveButton->click();  // into a folder that is not there
    EXPECT_EQ(ui_.Messages.size(), 1u);
    if (!ui_.Messages.empty()) {
      EXPECT_EQ(ui_.Messages[0].Text, failing + " could not be written.");
    }
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  EXPECT_EQ(end, SetupEditorEnd::Finish);
  EXPECT_FALSE(std::filesystem::exists(failing));
  EXPECT_EQ(test::ReadBytes(home_.File("blocked")), "");
}

}  // namespace
}  // namespace zephirax
