#include "platform/QtUserInterface.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>

#include <gtest/gtest.h>

namespace zephirax {
namespace {

// Runs `act` on the modal dialog once it is shown.
void WhenModal(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer();
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    timer->stop();
    timer->deleteLater();
    act(modal);
  });
  timer->start();
}

Qt::CursorShape OverrideShape() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor != nullptr ? cursor->shape() : Qt::BitmapCursor;  // BitmapCursor: none
}

// Presses `button` on the message box once it shows (NoButton: Escape) and
// notes what it showed and the cursor over it.
void Press(QMessageBox::StandardButton button, QString* shown = nullptr,
           Qt::CursorShape* cursor = nullptr) {
  WhenModal([=](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    if (shown != nullptr) *shown = box->windowTitle() + "|" + box->text();
    if (cursor != nullptr) *cursor = OverrideShape();
    if (button == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      box->button(button)->click();
    }
  });
}

TEST(QtUserInterface, FileDialogFilterText) {
  EXPECT_EQ(FileDialogFilter({{"VOLTAN files", "*.KV;*"}}), "VOLTAN files (*.KV *)");
  EXPECT_EQ(FileDialogFilter({{"Setup", " *.DAT ; *.dat "}, {"All", ""}}),
            "Setup (*.DAT *.dat);;All (*)");
  EXPECT_EQ(FileDialogFilter({}), "");
}

TEST(QtUserInterface, MessageBoxReportsTheButtonPressed) {
  QtUserInterface ui;
  struct Case {
    MsgButtons Buttons;
    QMessageBox::StandardButton Pressed;
    MsgResult Expected;
  };
  const Case cases[] = {
      {MsgButtons::Ok, QMessageBox::Ok, MsgResult::Ok},
      {MsgButtons::OkCancel, QMessageBox::Cancel, MsgResult::Cancel},
      {MsgButtons::YesNo, QMessageBox::Yes, MsgResult::Yes},
      {MsgButtons::YesNo, QMessageBox::No, MsgResult::No},
      {MsgButtons::YesNoCancel, QMessageBox::Cancel, MsgResult::Cancel},
      // Escape takes each box's way out.
      {MsgButtons::Ok, QMessageBox::NoButton, MsgResult::Ok},
      {MsgButtons::OkCancel, QMessageBox::NoButton, MsgResult::Cancel},
      {MsgButtons::YesNo, QMessageBox::NoButton, MsgResult::No},
      {MsgButtons::YesNoCancel, QMessageBox::NoButton, MsgResult::Cancel},
  };
  for (const Case& c : cases) {
    QString shown;
    Press(c.Pressed, &shown);
    EXPECT_EQ(ui.MessageBox("Falta :", "No puedo abrír", c.Buttons), c.Expected);
    EXPECT_EQ(shown, QString::fromUtf8("Falta :|No puedo abrír"));
  }
}

TEST(QtUserInterface, HourglassNestsAndDialogsShowTheNormalCursor) {
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  {
    QtUserInterface ui;
    ui.Hourglass(true);
    ui.Hourglass(true);
    ui.Hourglass(false);
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);

    Qt::CursorShape duringBox = Qt::WaitCursor;
    Press(QMessageBox::Ok, nullptr, &duringBox);
    ui.MessageBox("Error :", "text");
    EXPECT_EQ(duringBox, Qt::ArrowCursor);
    EXPECT_EQ(OverrideShape(), Qt::WaitCursor);

    ui.Hourglass(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // An extra "off" must not pop a cursor set by someone else.
    QApplication::setOverrideCursor(Qt::CrossCursor);
    ui.Hourglass(false);
    EXPECT_EQ(OverrideShape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();

    ui.Hourglass(true);  // left on: the destructor takes it back
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace zephirax
