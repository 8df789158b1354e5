#include "app/Config.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;

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

TEST(ConfigTest, ReadsAWindowsFileAndWritesItBackByteForByte) {
  test::TempDir temp;
  const std::string dir = temp.Path().string();
  test::WriteBytes(ConfigPath(dir), WindowsFile);
  Settings settings;
  ReadConfig(settings, dir);
  EXPECT_EQ(settings.Language, 2);
  EXPECT_EQ(settings.PressureUnit, 1);
  EXPECT_EQ(settings.LengthUnit, 1);
  EXPECT_EQ(settings.ComPort, 12);
  EXPECT_EQ(settings.BaudRate, 38400);
  EXPECT_EQ(settings.ShipName, "M\xC3\xBCller Reederei");
  EXPECT_EQ(settings.DpDaMax, 2.5f);
  EXPECT_EQ(settings.SensorType, 2);
  EXPECT_EQ(settings.EmailSenderName, "Jos\xC3\xA9");
  ASSERT_TRUE(WriteConfig(settings, dir));
  EXPECT_EQ(test::ReadBytes(ConfigPath(dir)), WindowsFile);
  EXPECT_FALSE(fs::exists(ConfigPath(dir) + ".tmp"));
}

TEST(ConfigTest, UnknownTextsLeaveThePresetsAndBadPortsAreDropped) {
  test::TempDir temp;
  const std::string dir = temp.Path().string();
  test::WriteBytes(ConfigPath(dir),
                   "[Language]\nLanguage=Deutsch\n[Units]\nPressure=MPa\n"
                   "[Ports]\nCOMport=15\nBaudrate=19200\nDevice=/dev/ttyUSB0\n"
                   "[Scaling]\ndpdamax=10\n[Additional Sensor]\nSensor type=2x\n");
  Settings settings;
  ReadConfig(settings, dir);
  EXPECT_EQ(settings.Language, 1);
  EXPECT_EQ(settings.PressureUnit, 0);
  EXPECT_EQ(settings.ComPort, 0);  // as it was before reading
  EXPECT_EQ(settings.BaudRate, 0);
  EXPECT_EQ(settings.DpDaMax, 5.0f);
  EXPECT_EQ(settings.SensorType, 0);
  EXPECT_EQ(settings.Device, "/dev/ttyUSB0");
  ASSERT_TRUE(WriteConfig(settings, dir));
  const std::string written = test::ReadBytes(ConfigPath(dir));
  EXPECT_NE(written.find("[Ports]\r\nDevice=/dev/ttyUSB0\r\n[Scaling]\r\ndpdamax=5.0\r\n"),
            std::string::npos);

  test::WriteBytes(ConfigPath(dir), "[Language]\nLanguage=English\n[Scaling]\ndpdamax=5\n");
  settings.ComPort = 4;
  settings.DpDaMax = 10.0f;
  ReadConfig(settings, dir);
  EXPECT_EQ(settings.ComPort, 1);  // missing key: its default text
  EXPECT_EQ(settings.DpDaMax, 5.0f);
}

TEST(ConfigTest, ShipNameIsCutToThirtyCharacters) {
  test::TempDir temp;
  const std::string dir = temp.Path().string();
  // 40 characters, the accented ones one byte each in the file.
  test::WriteBytes(ConfigPath(dir),
                   "[Global]\r\nShipname=M\xFCller \xC6gir \x8Aipping 01234567890123456789\r\n");
  Settings settings;
  ReadConfig(settings, dir);
  EXPECT_EQ(settings.ShipName, "M\xC3\xBCller \xC3\x86gir \xC5\xA0ipping 0123456789");
  ASSERT_TRUE(WriteConfig(settings, dir));
  EXPECT_NE(
      test::ReadBytes(ConfigPath(dir)).find("Shipname=M\xFCller \xC6gir \x8Aipping 0123456789\r\n"),
      std::string::npos);
}

TEST(ConfigTest, WritesANewFileIntoAMissingFolder) {
  test::TempDir temp;
  const std::string dir = temp.File("config/VOLTAN");
  Settings settings;
  settings.ComPort = 2;
  settings.BaudRate = 9600;
  settings.DpDaMax = 7.0f;  // no text for it: no key
  settings.EmailSenderName = "Bj\xC3\xB6rn \xE6\x97\xA5";
  ASSERT_TRUE(WriteConfig(settings, dir));
  EXPECT_EQ(test::ReadBytes(ConfigPath(dir)),
            "[Language]\r\nLanguage=english\r\n"
            "[Units]\r\nPressure=bar\r\nPower=kW\r\nTemperature=degC\r\nLength=mm\r\n"
            "[Ports]\r\nCOMport=2\r\nBaudrate=9600\r\n[Global]\r\nShipname=\r\n"
            "[Scaling]\r\nACL sensor=min\r\n[Additional Sensor]\r\nSensor type=0\r\n"
            "[Email]\r\nDestination=\r\nSender name=Bj\xF6rn ?\r\nSender adress=\r\n");
}

TEST(ConfigTest, MissingOrBadFilesYieldTheDefaultsAndFailedWritesKeepTheOldFile) {
  test::TempDir temp;
  const std::string dir = temp.Path().string();
  Settings settings;
  settings.Language = 3;
  settings.DpDaMax = 10.0f;
  settings.ShipName = "old";
  ReadConfig(settings, temp.File("nowhere"));
  EXPECT_EQ(settings.Language, 1);
  EXPECT_EQ(settings.ComPort, 1);
  EXPECT_EQ(settings.BaudRate, 9600);
  EXPECT_EQ(settings.DpDaMax, 5.0f);
  EXPECT_EQ(settings.ShipName, "");
  EXPECT_EQ(settings.AclScale, "min");
  EXPECT_EQ(ConfigPath(""), "/ZEPHIRAX.INI");

  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  test::WriteBytes(ConfigPath(dir), garbage);
  settings = Settings{};
  ReadConfig(settings, dir);
  EXPECT_EQ(settings.Language, 1);
  EXPECT_EQ(settings.ComPort, 1);

  // The temporary file cannot be made: false, and the old file stays intact.
  fs::create_directory(ConfigPath(dir) + ".tmp");
  EXPECT_FALSE(WriteConfig(settings, dir));
  EXPECT_EQ(test::ReadBytes(ConfigPath(dir)), garbage);
  test::WriteBytes(temp.File("file"), "");
  EXPECT_FALSE(WriteConfig(settings, temp.File("file") + "/VOLTAN"));
}

}  // namespace
}  // namespace zephirax
