#include "app/Config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "support/TempDir.h"

namespace zephirax {
namespace {

// Every key set to a non-default text, plus what the user or another program
// version may have added.
const std::string WindowsFile =
    "[Language]\r\nLanguage=francais\r\n\r\n"
    "[Units]\r\nPressure=Mpa\r\nPower=hp\r\nTemperature=degF\r\nLength=inch\r\n\r\n"
    "; port of the USB adapter\r\n[Ports]\r\nCOMport=12\r\nBaudrate=38400\r\n\r\n"
    "[Global]\r\nShipname=M\xFCller Reederei\r\n\r\n"
    "[Window]\r\nLeft=120\r\n\r\n"
    "[Scaling]\r\ndpdamax=2.5\r\nACL sensor=max\r\n\r\n"
    "[Additional Sensor]\r\nSensor type=2\r\n\r\n"
    "[Email]\r\nDestination=service@example.com\r\nSender name=Jos\xE9\r\nSender adress=\r\n";

class ConfigTest : public ::testing::Test {
 protected:
  test::TempDir temp_;
  const std::string dir_ = temp_.Path().string();
  Settings settings_;

  void Read(const std::string& bytes) {
    test::WriteBytes(ConfigPath(dir_), bytes);
    ReadConfig(settings_, dir_);
  }
  std::string Written() {
    EXPECT_TRUE(WriteConfig(settings_, dir_));
    return test::ReadBytes(ConfigPath(dir_));
  }
};

TEST_F(ConfigTest, ReadsAWindowsFileAndWritesItBackByteForByte) {
  Read(WindowsFile);
  EXPECT_EQ(std::tuple(settings_.Language, settings_.PressureUnit, settings_.TempUnit,
                       settings_.ComPort, settings_.BaudRate, settings_.DpDaMax),
            std::tuple(2, 1, 1, 12, 38400, 2.5f));
  EXPECT_EQ(settings_.ShipName + "|" + settings_.EmailSenderName,
            "M\xC3\xBCller Reederei|Jos\xC3\xA9");
  EXPECT_EQ(Written(), WindowsFile);
  EXPECT_FALSE(std::filesystem::exists(ConfigPath(dir_) + ".tmp"));
}

// An LF file as another tool leaves it, with texts the program does not know
// and a 40-character ship name, its accented letters one byte each.
TEST_F(ConfigTest, UnknownTextsKeepThePresetsBadPortsAreDroppedAndShipNamesCut) {
  std::tie(settings_.Language, settings_.PressureUnit, settings_.DpDaMax) = std::tuple(3, 2, 10.0f);
  Read(
      "[Language]\nLanguage=Deutsch\n[Units]\nPressure=MPa\n"
      "[Ports]\nCOMport=15\nBaudrate=19200\nDevice=/dev/ttyUSB0\n"
      "[Global]\nShipname=M\xFCller \xC6gir \x8Aipping 01234567890123456789\n"
      "[Scaling]\ndpdamax=10\n[Additional Sensor]\nSensor type=2x\n");
  EXPECT_EQ(std::tuple(settings_.Language, settings_.PressureUnit, settings_.ComPort,
                       settings_.BaudRate, settings_.DpDaMax, settings_.SensorType),
            std::tuple(1, 0, 0, 0, 5.0f, 0));  // the port and baud rate as before reading
  EXPECT_EQ(settings_.ShipName, "M\xC3\xBCller \xC3\x86gir \xC5\xA0ipping 0123456789");
  EXPECT_NE(Written().find("[Ports]\r\nDevice=/dev/ttyUSB0\r\n[Global]\r\n"
                           "Shipname=M\xFCller \xC6gir \x8Aipping 0123456789\r\n"
                           "[Scaling]\r\ndpdamax=5.0\r\n"),
            std::string::npos);
}

TEST_F(ConfigTest, WritesANewFileIntoAMissingFolder) {
  const std::string dir = temp_.File("config/VOLTAN");
  // A dpdamax without a text has no key; a character outside cp1252 becomes '?'.
  std::tie(settings_.ComPort, settings_.BaudRate, settings_.DpDaMax, settings_.EmailSenderName) =
      std::tuple(2, 9600, 7.0f, "Bj\xC3\xB6rn \xE6\x97\xA5");
  ASSERT_TRUE(WriteConfig(settings_, dir));
  EXPECT_EQ(test::ReadBytes(ConfigPath(dir)),
            "[Language]\r\nLanguage=english\r\n"
            "[Units]\r\nPressure=bar\r\nPower=kW\r\nTemperature=degC\r\nLength=mm\r\n"
            "[Ports]\r\nCOMport=2\r\nBaudrate=9600\r\n[Global]\r\nShipname=\r\n"
            "[Scaling]\r\nACL sensor=min\r\n[Additional Sensor]\r\nSensor type=0\r\n"
            "[Email]\r\nDestination=\r\nSender name=Bj\xF6rn ?\r\nSender adress=\r\n");
}

TEST_F(ConfigTest, MissingOrGarbageFilesYieldTheDefaultsAndFailedWritesKeepTheOldFile) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  for (const std::string& bytes : {std::string(), garbage}) {
    std::tie(settings_.Language, settings_.ComPort, settings_.BaudRate, settings_.DpDaMax,
             settings_.ShipName) = std::tuple(3, 4, 0, 10.0f, "old");
    bytes.empty() ? ReadConfig(settings_, temp_.File("nowhere")) : Read(bytes);
    EXPECT_EQ(std::tuple(settings_.Language, settings_.ComPort, settings_.BaudRate,
                         settings_.DpDaMax, settings_.ShipName, settings_.AclScale),
              std::tuple(1, 1, 9600, 5.0f, "", "min"));
  }
  // A folder that cannot exist: the write reports failure.
  test::WriteBytes(temp_.File("file"), "");
  EXPECT_FALSE(WriteConfig(settings_, temp_.File("file") + "/VOLTAN"));
}

}  // namespace
}  // namespace zephirax
