#include "platform/QtUserInterface.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <tuple>

#include <gtest/gtest.h>

namespace zephirax {
namespace {

Qt::CursorShape OverrideShape() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor != nullptr ? cursor->shape() : Qt::BitmapCursor;  // BitmapCursor: none
}

TEST(QtUserInterface, FileDialogFilterText) {
  EXPECT_EQ(FileDialogFilter({{"Setup", " *.DAT ; *.dat "}, {"All", ""}}),
            "Setup (*.DAT *.dat);;All (*)");
}

// Each box shows its caption and text under the normal cursor, even while the
// hourglass is on, and answers with the button pressed; Escape takes its way out.
TEST(QtUserInterface, MessageBoxReportsTheButtonPressed) {
  using B = QMessageBox;
  const std::tuple<MsgButtons, B::StandardButton, MsgResult> cases[] = {
      {MsgButtons::Ok, B::Ok, MsgResult::Ok},
      {MsgButtons::OkCancel, B::Cancel, MsgResult::Cancel},
      {MsgButtons::YesNo, B::Yes, MsgResult::Yes},
      {MsgButtons::YesNo, B::No, MsgResult::No},
      {MsgButtons::YesNoCancel, B::Cancel, MsgResult::Cancel},
      {MsgButtons::Ok, B::NoButton, MsgResult::Ok},
      {MsgButtons::OkCancel, B::NoButton, MsgResult::Cancel},
      {MsgButtons::YesNo, B::NoButton, MsgResult::No},
      {MsgButtons::YesNoCancel, B::NoButton, MsgResult::Cancel}};
  {
    QtUserInterface ui;
    ui.Hourglass(true);
    ui.Hourglass(true);
    ui.Hourglass(false);  // the calls nest: still busy
    for (const auto& [buttons, pressed, expected] : cases) {
      QString shown;
      QTimer::singleShot(10, [&shown, pressed] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->windowTitle() + "|" + box->text() + "|" + QString::number(OverrideShape());
        pressed == B::NoButton ? QTest::keyClick(box, Qt::Key_Escape)
                               : box->button(pressed)->click();
      });
      EXPECT_EQ(ui.MessageBox("Falta :", "No puedo abrír", buttons), expected);
      EXPECT_EQ(shown, QString::fromUtf8("Falta :|No puedo abrír|%1").arg(Qt::ArrowCursor));
    }
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);
    // An unbalanced "off" must not pop a cursor set by someone else.
    ui.Hourglass(false);
    QApplication::setOverrideCursor(Qt::CrossCursor);
    ui.Hourglass(false);
    EXPECT_EQ(OverrideShape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
    ui.Hourglass(true);  // left on: the destructor takes it back
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Buttons of the caller's texts answer with their index; Escape takes the
// second of two.
TEST(QtUserInterface, ChooseReportsTheIndexOfTheButton) {
  QtUserInterface ui;
  for (const auto& [pressed, expected] : {std::tuple("Ja", 0), {"Nein", 1}, {"", 1}}) {
    QString shown;
    QTimer::singleShot(10, [&shown, pressed = QString::fromUtf8(pressed)] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      shown = box->windowTitle() + "|" + box->text();
      if (pressed.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Escape);
        return;
      }
      for (QAbstractButton* button : box->buttons()) {
        if (button->text() == pressed) button->click();
      }
    });
    EXPECT_EQ(ui.Choose("Programm beenden", "Programm wirklich beenden ?", {"Ja", "Nein"}),
              expected)
        << pressed;
    EXPECT_EQ(shown, "Programm beenden|Programm wirklich beenden ?");
  }
}

}  // namespace
}  // namespace zephirax
