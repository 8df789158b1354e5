#include "devicelink/SerialPorts.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace zephirax {
namespace {

std::string Shown(const std::vector<PortChoice>& choices) {
  std::string text;
  for (const PortChoice& c : choices) {
    text += c.Path + (c.Description.empty() ? "" : " " + c.Description) +
            (c.Present ? "" : " (gone)") + ";";
  }
  return text;
}

TEST(PortChoices, MachinePortsInOrderThenTheConfiguredOne) {
  test::TempDir dir;
  const std::string pty = dir.File("pts-7");  // a device that exists but is not listed
  test::WriteBytes(pty, "");
  const std::vector<SerialPortInfo> listed = {{"/dev/ttyS10", ""},
                                              {"/dev/ttyUSB0", "FT232R USB UART"},
                                              {"/dev/ttyS2", ""},
                                              {"/dev/ttyS2", ""},
                                              {"", "nameless"}};
  const std::string machine = "/dev/ttyS2;/dev/ttyS10;/dev/ttyUSB0 FT232R USB UART;";
  const struct {
    std::string Stored;
    std::string Expected;
  } cases[] = {
      {"", machine},
      {"/dev/ttyUSB0", machine},
      {"/dev/ttyUSB1", machine + "/dev/ttyUSB1 (gone);"},
      {pty, machine + pty + ";"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Shown(PortChoices(listed, c.Stored)), c.Expected) << c.Stored;
  }
  EXPECT_EQ(Shown(PortChoices({}, "/dev/ttyACM0")), "/dev/ttyACM0 (gone);");
}

TEST(PortChoices, NumbersInNamesCompareByValue) {
  const std::vector<SerialPortInfo> listed = {{"/dev/ttyUSB10", ""},
                                              {"/dev/ttyACM1", ""},
                                              {"/dev/ttyUSB9", ""},
                                              {"/dev/ttyS0", ""},
                                              {"/dev/ttyUSB02", ""}};
  EXPECT_EQ(Shown(PortChoices(listed, "")),
            "/dev/ttyACM1;/dev/ttyS0;/dev/ttyUSB02;/dev/ttyUSB9;/dev/ttyUSB10;");
}

}  // namespace
}  // namespace zephirax
