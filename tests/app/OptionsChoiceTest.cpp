#include "app/OptionsChoice.h"

#include <gtest/gtest.h>

namespace zephirax {
namespace {

// A value no button stands for leaves its group unchecked, and an unchecked
// group keeps the setting; a checked button replaces it.
TEST(OptionsChoice, GroupsWithoutACheckedButtonKeepTheirSetting) {
  Settings odd;
  odd.DpDaMax = 7.5f;
  odd.AclScale = "huge";
  odd.SensorType = 5;
  odd.Device = "/dev/ttyUSB0";
  const OptionsChoice shown = ChoiceFromSettings(odd);
  EXPECT_EQ(shown.DpDaScale + shown.AclScale + shown.SensorType, -3);

  Settings kept = odd;
  TakeSettings(kept, shown);
  EXPECT_EQ(kept.DpDaMax, 7.5f);
  EXPECT_EQ(kept.AclScale, "huge");
  EXPECT_EQ(kept.SensorType, 5);
  EXPECT_EQ(kept.Device, "/dev/ttyUSB0");

  OptionsChoice changed = shown;
  changed.DpDaScale = 0;
  changed.AclScale = 2;
  changed.SensorType = 0;
  changed.Device = "  /dev/serial/by-id/usb-FTDI_FT232R-if00-port0 \t";
  TakeSettings(kept, changed);
  EXPECT_EQ(kept.DpDaMax, 2.5f);
  EXPECT_EQ(kept.AclScale, "max");
  EXPECT_EQ(kept.SensorType, 0);
  EXPECT_EQ(kept.Device, "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0");
}

}  // namespace
}  // namespace zephirax
