#include "setup/QtTransmitDialog.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "setup/EngineSetup.h"
#include "support/FakeSerialDevice.h"
#include "support/ScriptedUserInterface.h"

namespace zephirax {
namespace {

std::string DefaultFrame() {
  EngineSetup setup;
  NewSetupDefaults(setup);
  return SetupFrame(setup, FrameUse::Line).value();
}

TEST(TransmitDialogTest, StartSendsTheFrameAndOffersOk) {
  test::FakeSerialDevice port;
  SerialLink link;
  link.Device = &port;
  test::ScriptedUserInterface ui;
  const std::string frame = DefaultFrame();
  bool checked = false;
  // The dialog is modal: drive it from inside its own event loop.
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TTransmitDlg2*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Envoyer la config sur VOLTAN"));
    EXPECT_TRUE(dialog->OkButton->isHidden());
    dialog->StartBtnClick();
    EXPECT_TRUE(dialog->StartButton->isHidden());
    EXPECT_FALSE(dialog->OkButton->isHidden());
    EXPECT_EQ(dialog->StatusLabel->text(), QStringLiteral("Terminé ..."));
    EXPECT_EQ(dialog->ProgressBar->value(), 100);
    checked = true;
    dialog->OkButton->click();
  });
  EXPECT_TRUE(TransmitSetup(link, frame, 2, ui, nullptr));
  EXPECT_TRUE(checked);
  EXPECT_EQ(port.Written, frame);
  EXPECT_FALSE(link.PortOpen);
}

TEST(TransmitDialogTest, ADeviceThatFailsMidFrameIsNotReportedAsFinished) {
  test::FakeSerialDevice port;
  port.WritableBytes = 5;
  port.FailureWhenDrained = {DeviceFault::Kind::HungUp, "", ""};
  SerialLink link;
  link.Device = &port;
  link.DeviceOverride = "/dev/ttyUSB0";
  test::ScriptedUserInterface ui;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TTransmitDlg2*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->StartBtnClick();
    EXPECT_EQ(dialog->StatusLabel->text(), QStringLiteral("failed ..."));
    EXPECT_TRUE(dialog->OkButton->isHidden());
    EXPECT_TRUE(dialog->CancelButton->isEnabled());
    EXPECT_TRUE(dialog->InstructionLabel->text().startsWith(
        QStringLiteral("The connection to /dev/ttyUSB0 failed")));
    dialog->CancelButton->click();
  });
  EXPECT_FALSE(TransmitSetup(link, DefaultFrame(), 1, ui, nullptr));
  EXPECT_EQ(port.Written.size(), 5u);
  EXPECT_FALSE(link.PortOpen);
}

TEST(TransmitDialogTest, MissingPortIsToldAndNothingIsSent) {
  test::FakeSerialDevice port;
  port.FailingOpens = -1;
  SerialLink link;
  link.Device = &port;
  link.ComPort = 3;
  test::ScriptedUserInterface ui;
  EXPECT_FALSE(TransmitSetup(link, DefaultFrame(), 0, ui, nullptr));
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Text, "Fehler beim Öffnen von /dev/ttyS2\nNo such file or directory");
  EXPECT_EQ(ui.Messages[0].Icon, MsgIcon::Error);
  EXPECT_TRUE(port.Written.empty());
}

}  // namespace
}  // namespace zephirax
