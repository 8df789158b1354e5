#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include "adddata/QtAddDataDlg.h"
#include "adddata/QtEntryHighlight.h"
#include "adddata/QtISOForm.h"
#include "measurement/Units.h"
#include "platform/LangText.h"
#include "support/QtDialogAnswers.h"
#include "support/ScriptedUserInterface.h"

namespace zephirax {
namespace {

using Q = AddDataQuantity;
using test::HasLabel;
using test::Type;
using test::WhenModal;

QColor Background(const QWidget* field) {
  return field->palette().color(QPalette::Base);
}

void Focus(QWidget* field, QEvent::Type type) {
  QFocusEvent event(type, Qt::TabFocusReason);
  QApplication::sendEvent(field, &event);
}

// Where Tab goes from `from`: the next widget that takes the focus by Tab
// and is enabled and shown with the dialog.
QWidget* NextTabStop(QWidget* from, const QWidget& dialog) {
  for (QWidget* next = from->nextInFocusChain(); next != from; next = next->nextInFocusChain()) {
    if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisibleTo(&dialog))
      return next;
  }
  return from;
}

class AddDataDlgTest : public ::testing::Test {
 protected:
  AdditionalData data_;
  Settings config_;
  test::ScriptedUserInterface ui_;

  // An answer meant for a dialog that never came fails here, in its test.
  void TearDown() override { QApplication::processEvents(); }
};

// A text that is no number turns the field red and puts back the value the
// field held before the user started on it: not 0, and not the number typed
// on the way. Correcting or emptying it (0) clears the mark. The field being
// edited is yellow unless it is red.
TEST_F(AddDataDlgTest, InvalidEntryIsMarkedAndKeepsTheLastValidValue) {
  data_.FuelRack[3] = 44.5f;
  TAddDataDlg dlg(data_, 6, config_, ui_);
  QLineEdit* rack = dlg.Field({Q::FuelRack, 3});
  const QColor normal = Background(rack);
  ASSERT_NE(normal, EntryHighlight::EditingColour);

  Focus(rack, QEvent::FocusIn);
  EXPECT_EQ(Background(rack), EntryHighlight::EditingColour);
  Type(rack, "46.5x");  // 4, 46, 46.5 were numbers on the way
  EXPECT_TRUE(EntryHighlight::IsInvalid(rack));
  EXPECT_EQ(Background(rack), EntryHighlight::InvalidColour);
  EXPECT_FLOAT_EQ(data_.FuelRack[3], 44.5f);
  Focus(rack, QEvent::FocusOut);
  EXPECT_EQ(Background(rack), EntryHighlight::InvalidColour);  // still wrong after leaving
  EXPECT_EQ(rack->text(), "46.5x");

  // A valid entry, once left, is the one a later mistake goes back to.
  Focus(rack, QEvent::FocusIn);
  Type(rack, "46.5");
  EXPECT_FALSE(EntryHighlight::IsInvalid(rack));
  EXPECT_EQ(Background(rack), EntryHighlight::EditingColour);
  Focus(rack, QEvent::FocusOut);
  EXPECT_EQ(Background(rack), normal);
  Type(rack, "47,5.");
  EXPECT_FLOAT_EQ(data_.FuelRack[3], 46.5f);

  Type(rack, "");
  EXPECT_FALSE(EntryHighlight::IsInvalid(rack));
  EXPECT_EQ(data_.FuelRack[3], 0.0f);

  // Filling the dialog anew shows the stored value and drops the mark.
  Type(rack, "abc");
  dlg.FillAddDataDialog();
  EXPECT_EQ(rack->text(), "46.5");
  EXPECT_FALSE(EntryHighlight::IsInvalid(rack));
}

TEST_F(AddDataDlgTest, PagesShowTheMeasurementsCylinders) {
  config_.PressureUnit = UnitPsi;
  TAddDataDlg dlg(data_, 12, config_, ui_);
  EXPECT_EQ(dlg.AddDataPage, 0);
  for (const int page : {3, 1, TAddDataDlg::MemoPage, 4}) {
    (page == TAddDataDlg::MemoPage ? dlg.MemoButton : dlg.PageButtons[page])->click();
    EXPECT_EQ(dlg.AddDataPage, page);
    EXPECT_EQ(dlg.Pages->currentIndex(), page);
  }
  EXPECT_NE(dlg.Field({Q::FuelRack, 12}), nullptr);
  EXPECT_EQ(dlg.Field({Q::FuelRack, 13}), nullptr);
  EXPECT_NE(dlg.Field({Q::PDiff, 3}), nullptr);
  EXPECT_TRUE(HasLabel(*dlg.Pages->widget(3), "[mmHg]"));
  EXPECT_TRUE(HasLabel(*dlg.Pages->widget(3), "t/min"));

  // Tab walks the page from the ship name down, then on to Save.
  QWidget* stop = dlg.ShipNameEdit;
  for (const Q q : {Q::ShaftPower, Q::EngineRoomTemp, Q::RunningHours, Q::Pitch, Q::ShaftGenPower,
                    Q::McrPower, Q::EngineLoad, Q::FuelConsumption}) {
    stop = NextTabStop(stop, dlg);
    EXPECT_EQ(stop, dlg.Field({q, 0}));
  }
  EXPECT_EQ(NextTabStop(stop, dlg), dlg.SaveButton);

  Type(dlg.ShipNameEdit, "MV Northern Star of the Seven Seas");
  EXPECT_EQ(data_.ShipName, "MV Northern Star of the Seven");  // 29 characters
}

// The captions follow the language; the ISO button has English for French
// and Spanish. The print buttons are off until the owner gives them actions.
TEST_F(AddDataDlgTest, CaptionsByLanguageAndButtonsWithoutActions) {
  const struct {
    int Language;
    const char* Title;
    const char* Save;
    const char* Iso;
  } cases[] = {
      {German, "Eingabe/Korrektur von Zusatzdaten", "Speichern", "Daten für ISO-Korrektur"},
      {French, "Saisie/correction des données supplément", "Enregister", "Data for ISO correction"},
      {Spanish, "introducir/corregir datos supplementario", "&Memorizar",
       "Data for ISO correction"},
  };
  for (const auto& c : cases) {
    config_.Language = c.Language;
    TAddDataDlg dlg(data_, 4, config_, ui_);
    EXPECT_EQ(dlg.windowTitle().toStdString(), c.Title);
    EXPECT_EQ(dlg.SaveButton->text().toStdString(), c.Save);
    EXPECT_EQ(dlg.IsoButton->text().toStdString(), c.Iso);
    EXPECT_FALSE(dlg.PrintFormButton->isEnabled() || dlg.PrintDataButton->isEnabled());
    EXPECT_TRUE(dlg.SaveButton->isDefault());
  }
}

// The memo takes 255 characters as the file stores them, a line break
// counting two; what does not fit is refused with a beep.
TEST_F(AddDataDlgTest, MemoRefusesWhatTheFileCannotHold) {
  data_.Comment = "first\r\nsecond";
  TAddDataDlg dlg(data_, 4, config_, ui_);
  EXPECT_EQ(dlg.MemoEdit->toPlainText(), "first\nsecond");
  EXPECT_EQ(dlg.MemoCountLabel->text(), "13/255");

  dlg.MemoEdit->setPlainText(QString(250, 'x'));
  dlg.MemoEdit->moveCursor(QTextCursor::End);
  QTest::keyClicks(dlg.MemoEdit, "abcdefg");
  EXPECT_EQ(data_.Comment, std::string(250, 'x') + "abcde");
  EXPECT_EQ(ui_.Beeps, 2);
  EXPECT_EQ(dlg.MemoCountLabel->text(), "255/255");

  dlg.MemoEdit->setPlainText(QString(254, 'y'));
  dlg.MemoEdit->moveCursor(QTextCursor::End);
  QTest::keyClick(dlg.MemoEdit, Qt::Key_Return);
  EXPECT_EQ(data_.Comment, std::string(254, 'y'));
  EXPECT_EQ(dlg.MemoEdit->toPlainText(), QString(254, 'y'));
  EXPECT_EQ(ui_.Beeps, 3);
  EXPECT_EQ(dlg.result(), 0);  // Enter in the memo is a line break, not Save
}

// The ISO form shows its fixed formats; OK takes the entries (a comma is a
// decimal point, deg F becomes deg C) and the dialog's own fields follow;
// Cancel changes nothing.
TEST_F(AddDataDlgTest, IsoFormOkAndCancel) {
  config_.TempUnit = UnitDegF;
  data_.EngineRoomTemp = 25;
  data_.Pbaro = 1013.25f;
  TAddDataDlg dlg(data_, 4, config_, ui_);

  WhenModal<TISOForm>([](TISOForm& iso) {
    EXPECT_EQ(iso.windowTitle(), "Input of additional data for ISO correction");
    EXPECT_EQ(iso.Field({Q::EngineRoomTemp, 0})->text(), "077.0");
    Type(iso.Field({Q::EngineRoomTemp, 0}), "86");
    Type(iso.Field({Q::FuelTemp, 0}), "122,0");
    Type(iso.Field({Q::FuelCalorific, 0}), "10200,5");
    Type(iso.Field({Q::FuelViscosity, 0}), "thick");
    EXPECT_TRUE(EntryHighlight::IsInvalid(iso.Field({Q::FuelViscosity, 0})));
    iso.OkButton->click();
  });
  dlg.IsoButton->click();
  EXPECT_FLOAT_EQ(data_.EngineRoomTemp, 30);
  EXPECT_FLOAT_EQ(data_.FuelTemp, 50);
  EXPECT_FLOAT_EQ(data_.FuelCalorific, 10200.5f);
  EXPECT_FLOAT_EQ(data_.FuelViscosity, 0);
  EXPECT_FLOAT_EQ(data_.Pbaro, 1013.25f);  // untouched, not rounded to what is shown
  EXPECT_EQ(dlg.Field({Q::EngineRoomTemp, 0})->text(), "86.0");

  const AdditionalData before = data_;
  WhenModal<TISOForm>([](TISOForm& iso) {
    Type(iso.Field({Q::Pbaro, 0}), "990");
    QTest::keyClick(&iso, Qt::Key_Escape);
  });
  dlg.IsoButton->click();
  EXPECT_EQ(data_, before);
}

}  // namespace
}  // namespace zephirax
