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
    EXPECT_FALSE(dialog.OKBtn->isEnabled());
    EXPECT_EQ(dialog.Label3->text(), QStringLiteral("final ..."));
    EXPECT_EQ(dialog.Gauge1->value(), 100);
    checked = true;
    dialog.CancelBtn->click();
  });
  EXPECT_FALSE(dialog.ReceiveMeasurement());
  EXPECT_TRUE(checked);
  ASSERT_EQ(ui.Messages.size(), 1u);
  EXPECT_EQ(ui.Messages[0].Text, "Checksum error ! Retry transmission .");
  EXPECT_EQ(device.Bauds.back(), 38400);
  session.Finish();
}

}  // namespace
}  // namespace zephirax
