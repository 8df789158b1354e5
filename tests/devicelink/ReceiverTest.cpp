#include "devicelink/Receiver.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "devicelink/LinkMessages.h"
#include "devicelink/ReceiveTexts.h"
#include "support/FakeSerialDevice.h"
#include "support/TempDir.h"

namespace zephirax {
namespace {

namespace fs = std::filesystem;

TEST(Serial, MissingPortIsTriedTenTimes) {
  test::FakeSerialDevice device;
  device.FailingOpens = -1;
  SerialLink link;
  link.Device = &device;
  link.ComPort = 3;
  OpenSelectedPort(link);
  EXPECT_FALSE(link.PortOpen);
  EXPECT_EQ(link.ComHandle, InvalidHandle);
  EXPECT_EQ(link.OpenTries, OpenAttempts);
  EXPECT_EQ(device.OpenAttempts, std::vector<std::string>(10, "/dev/ttyS2"));
  EXPECT_EQ(link.InputQueueSize, ReceiveQueueSize);
  // The message can name what was tried and why it failed.
  EXPECT_EQ(link.DevicePath, "/dev/ttyS2");
  EXPECT_EQ(link.Fault.Reason, "No such file or directory");

  // A port that comes up on the third try.
  device.FailingOpens = 2;
  EXPECT_EQ(OpenComPort(link, 2, 100, 10), 0);
  EXPECT_EQ(link.OpenTries, 3);
}

TEST(Serial, OpenSelectedPortClosesAnOpenPortFirst) {
  test::FakeSerialDevice device;
  SerialLink link;
  link.Device = &device;
  link.ComPort = 12;
  OpenSelectedPort(link);
  ASSERT_TRUE(link.PortOpen);
  link.BaudRate = 38400;
  OpenSelectedPort(link);  // the fake refuses a second open of an open port
  EXPECT_TRUE(link.PortOpen);
  EXPECT_EQ(device.Closes, 1);
  EXPECT_EQ(device.Bauds, (std::vector<int32_t>{9600, 38400}));
  EXPECT_EQ(link.Settings.PortIndex, 11);
  EXPECT_EQ(link.Settings.BaudRate, 38400);
  EXPECT_EQ(link.Settings.DataBits, 8);

  CloseLink(link);
  EXPECT_FALSE(link.PortOpen);
  EXPECT_FALSE(device.IsOpen());
}

TEST(Serial, RefusedParametersOrUnknownPortLeaveItClosed) {
  test::FakeSerialDevice device;
  device.RefuseConfigure = true;
  SerialLink link;
  link.Device = &device;
  OpenSelectedPort(link);
  EXPECT_FALSE(link.PortOpen);
  EXPECT_FALSE(device.IsOpen());

  test::FakeSerialDevice other;
  link.Device = &other;
  link.ComPort = 13;
  OpenSelectedPort(link);
  EXPECT_FALSE(link.PortOpen);
  EXPECT_TRUE(other.OpenAttempts.empty());

  link.DeviceOverride = "/dev/pts/4";  // a configured device needs no COM number
  OpenSelectedPort(link);
  EXPECT_TRUE(link.PortOpen);
  EXPECT_EQ(other.OpenAttempts, std::vector<std::string>{"/dev/pts/4"});
}

class ReceiveSessionTest : public ::testing::Test {
 protected:
  ReceiveSessionTest() : session(link, dir.Path().string()) {
    link.Device = &device;
    session.Prepare();
  }

  // Polls until the scripted bytes are used up.
  std::vector<ReceivePoll> Drain() {
    std::vector<ReceivePoll> polls;
    while (!device.Chunks.empty() && polls.size() < 100) polls.push_back(session.Poll());
    return polls;
  }

  test::TempDir dir;
  test::FakeSerialDevice device;
  SerialLink link;
  ReceiveSession session;
};

TEST_F(ReceiveSessionTest, FastTransferIsStoredAndSaved) {
  // "M" + "IP" + "\x10" = 77 + 73 + 80 + 16 = 246 = 0xF6
  device.Chunks = {"junk\x16\x02M", std::string("IP\x10\x03") + "F6"};
  ASSERT_TRUE(session.OpenReceivePort());
  const auto polls = Drain();
  ASSERT_EQ(polls.size(), 2u);
  EXPECT_TRUE(polls[0].ProcessingStarted);
  EXPECT_FALSE(polls[1].ProcessingStarted);
  EXPECT_TRUE(polls[1].Finished);
  EXPECT_TRUE(polls[1].Notices.empty());
  EXPECT_EQ(device.Bauds, (std::vector<int32_t>{9600, 38400}));
  EXPECT_TRUE(session.State().HighSpeed);
  EXPECT_EQ(session.State().Gauge, 100);
  ASSERT_TRUE(session.CanSave());
  EXPECT_EQ(test::ReadBytes(session.TempFilePath()), "MIP\x10");

  const auto saved = SaveReceivedMeasurement(session.TempFilePath(), dir.File("out/ENGINE1.DAT"),
                                             session.State().MipSeen);
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(*saved, dir.File("out/ENGINE1.KV"));
  EXPECT_EQ(test::ReadBytes(*saved), "MIP\x10");
  EXPECT_FALSE(fs::exists(session.TempFilePath()));
  // Nothing left to copy: a second save fails and creates nothing.
  EXPECT_FALSE(SaveReceivedMeasurement(session.TempFilePath(), dir.File("B"), false));
  EXPECT_FALSE(fs::exists(dir.File("B.KS")));

  session.Finish();
  EXPECT_FALSE(link.PortOpen);
  EXPECT_FALSE(device.IsOpen());
}

TEST_F(ReceiveSessionTest, BadChecksumNeverOffersAStaleFile) {
  fs::create_directories(dir.Path() / "DATA");
  test::WriteBytes(session.TempFilePath(), "from an earlier exchange");
  device.Chunks = {std::string("\x16\x02"
                               "ABC\x03") +
                   "00"};
  ASSERT_TRUE(session.OpenReceivePort());
  const auto polls = Drain();
  ASSERT_EQ(polls.size(), 1u);
  EXPECT_EQ(polls[0].Notices, std::vector<ReceiveNotice>{ReceiveNotice::ChecksumError});
  EXPECT_TRUE(polls[0].Finished);
  EXPECT_FALSE(polls[0].Ended);
  EXPECT_FALSE(session.CanSave());
  EXPECT_EQ(test::ReadBytes(session.TempFilePath()), "from an earlier exchange");
}

TEST_F(ReceiveSessionTest, UnwritableDataFolderIsReported) {
  test::WriteBytes(dir.File("DATA"), "a file where the folder should be");
  device.Chunks = {std::string("\x02"
                               "ABC\x03") +
                   "xx"};
  ASSERT_TRUE(session.OpenReceivePort());
  const auto polls = Drain();
  EXPECT_EQ(polls.at(0).Notices, std::vector<ReceiveNotice>{ReceiveNotice::TempWriteFailed});
  EXPECT_FALSE(session.CanSave());
}

TEST_F(ReceiveSessionTest, StrayEtxEndsTheExchange) {
  device.Chunks = {"\x03XY",
                   "\x02"
                   "DATA"};
  ASSERT_TRUE(session.OpenReceivePort());
  const ReceivePoll first = session.Poll();
  EXPECT_TRUE(first.Ended);
  EXPECT_EQ(first.Notices, std::vector<ReceiveNotice>{ReceiveNotice::StrayEtx});
  EXPECT_EQ(session.Poll().BytesRead, 0);  // nothing more is taken
}

// A device that hangs up or fails ends the exchange at once: the port is
// closed, the fault kept for the message, and only a block that had arrived
// whole can still be saved.
TEST_F(ReceiveSessionTest, FailingDeviceEndsTheExchange) {
  const DeviceFault hungUp{DeviceFault::Kind::HungUp, "", ""};
  struct Case {
    const char* Name;
    std::vector<std::string> Chunks;
    bool FailReopen;
    bool Saveable;
    DeviceFault::Kind Fault;
  };
  // "AB" = 65 + 66 = 0x83
  const std::vector<Case> cases = {
      {"half a block",
       {"\x02"
        "ABC"},
       false,
       false,
       DeviceFault::Kind::HungUp},
      {"whole block",
       {std::string("\x02"
                    "AB\x03") +
        "83"},
       false,
       true,
       DeviceFault::Kind::HungUp},
      {"no reopen at high speed",
       {"\x16\x02"
        "AB"},
       true,
       false,
       DeviceFault::Kind::System},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    session.Prepare();
    fs::remove_all(dir.Path() / "DATA");
    device.Chunks = {c.Chunks.begin(), c.Chunks.end()};
    device.FailureWhenDrained = hungUp;
    device.FailingOpens = 0;
    ASSERT_TRUE(session.OpenReceivePort());
    if (c.FailReopen) device.FailingOpens = -1;
    const ReceivePoll poll = session.Poll();
    EXPECT_TRUE(poll.Failed);
    EXPECT_FALSE(link.PortOpen);
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(link.Fault.What, c.Fault);
    EXPECT_EQ(session.CanSave(), c.Saveable);
    EXPECT_EQ(fs::exists(session.TempFilePath()), c.Saveable);
    EXPECT_FALSE(session.WaitForInput(1000));  // returns at once
  }
}

TEST(ReceivedFileName, ExtensionRules) {
  struct Case {
    std::string chosen;
    bool mip;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"/m/ENGINE1.DAT", true, "/m/ENGINE1.KV"},
      {"/m/ENGINE1.DAT", false, "/m/ENGINE1.KS"},
      {"/m/ENGINE1", false, "/m/ENGINE1.KS"},
      {"/m/A.B.C", true, "/m/A.KV"},
      {"/m/ship.2024/ENGINE1", true, "/m/ship.2024/ENGINE1.KV"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReceivedFileName(c.chosen, c.mip), c.expected);
}

TEST(LinkMessages, NameTheDeviceAndTheReason) {
  SerialLink link;
  link.DevicePath = "/dev/ttyUSB0";
  link.Fault = {DeviceFault::Kind::System, "No such file or directory", ""};
  EXPECT_EQ(PortOpenErrorMessage(English, link),
            "Could not open /dev/ttyUSB0\nNo such file or directory");
  link.Fault = {DeviceFault::Kind::System, "Permission denied", "dialout"};
  EXPECT_EQ(PortOpenErrorMessage(Spanish, link),
            "No puedo abrir /dev/ttyUSB0\nPermission denied\nSolo los miembros del grupo "
            "\"dialout\" pueden usar este dispositivo. Pida al administrador que le añada a ese "
            "grupo y vuelva a iniciar la sesión.");
  link.Fault = {DeviceFault::Kind::HungUp, "", ""};
  EXPECT_EQ(LinkFailedMessage(English, link, true),
            "The connection to /dev/ttyUSB0 failed: the device hung up or was removed.\n"
            "Nothing of the incomplete transfer was saved.");
  EXPECT_EQ(LinkFailedMessage(German, link, false),
            "Die Verbindung zu /dev/ttyUSB0 ist abgebrochen: das Gerät hat die Verbindung beendet "
            "oder wurde entfernt.");
  for (int language : {German, English, French, Spanish}) {
    link.Fault = {DeviceFault::Kind::System, "Input/output error", "uucp"};
    const std::string all =
        PortOpenErrorMessage(language, link) + LinkFailedMessage(language, link, true);
    EXPECT_EQ(all.find('%'), std::string::npos) << all;
    EXPECT_NE(all.find("\"uucp\""), std::string::npos) << all;
    EXPECT_NE(all.find("Input/output error"), std::string::npos) << all;
  }
}

}  // namespace
}  // namespace zephirax
