#include "devicelink/QtReceiveDialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/FakeSerialDevice.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

// After a checksum error at 38400 baud nothing of this exchange can be saved:
// the user is told, Save stays off, and Cancel ends the dialog.
TEST(ReceiveDialogTest, ChecksumErrorKeepsSaveDisabled) {
  test::TempDir dir;
  test::FakeSerialDevice device;
  device.Chunks = {
      "\x16\x02MIP\x03"
      "00"};
  SerialLink link;
  link.Device = &device;
  link.DeviceOverride = "/dev/voltan";
  ReceiveSession session(link, dir.Path().string());
  session.Prepare();
  ASSERT_TRUE(session.OpenReceivePort());
  test::ScriptedUserInterface ui;
  TRcvDialog2 dialog(session, 3, ui);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Recibir datos del VOLTAN"));
  bool checked = false;
  QTimer::singleShot(300, [&] {
    EXPECT_FALSE(dialog.OkButton->isEnabled());
    EXPECT_EQ(dialog.StatusLabel->text(), QStringLiteral("final ..."));
    EXPECT_EQ(dialog.ProgressBar->value(), 100);
    checked = true;
    dialog.CancelButton->click();
  });
  EXPECT_FALSE(dialog.ReceiveMeasurement());
  EXPECT_TRUE(checked);
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Text, "Checksum error ! Retry transmission .");
  EXPECT_EQ(device.Bauds.back(), 38400);
  session.Finish();
}

// A device that hangs up ends the dialog by itself with a message naming it;
// a block that came whole before can still be saved.
TEST(ReceiveDialogTest, FailingDeviceEndsTheDialogUnlessABlockIsWhole) {
  struct Case {
    std::string Chunk;
    bool Saveable;
  };
  // "AB" = 65 + 66 = 0x83
  for (const Case& c : {Case{"\x02"
                             "ABC",
                             false},
                        Case{std::string("\x02"
                                         "AB\x03") +
                                 "83",
                             true}}) {
    test::TempDir dir;
    test::FakeSerialDevice device;
    device.Chunks = {c.Chunk};
    device.FailureWhenDrained = {DeviceFault::Kind::HungUp, "", ""};
    SerialLink link;
    link.Device = &device;
    link.DeviceOverride = "/dev/ttyUSB0";
    ReceiveSession session(link, dir.Path().string());
    session.Prepare();
    ASSERT_TRUE(session.OpenReceivePort());
    test::ScriptedUserInterface ui;
    TRcvDialog2 dialog(session, English, ui);
    bool saveOffered = false;
    // Only a dialog still open after the failure reaches this; the timer goes
    // with the dialog.
    QTimer::singleShot(300, &dialog, [&] {
      saveOffered = dialog.OkButton->isEnabled();
      dialog.OkButton->click();
    });
    EXPECT_EQ(dialog.ReceiveMeasurement(), c.Saveable);
    EXPECT_EQ(saveOffered, c.Saveable);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].Icon, MsgIcon::Error);
    EXPECT_EQ(
        ui.Messages[0].Text.rfind("The connection to /dev/ttyUSB0 failed: the device hung up", 0),
        0u);
    EXPECT_FALSE(device.IsOpen());
    session.Finish();
  }
}

}  // namespace
}  // namespace zephirax
