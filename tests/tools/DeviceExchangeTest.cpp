#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "setup/EngineSetup.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"

// The program's receiving and sending routines against the simulated device,
// each on one end of a relayed pair of pseudo-terminals.

namespace zephirax {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;

class DeviceExchangeTest : public testing::Test {
 protected:
  test::TempDir dir_;
  ChildProcess relay_{{VOLTAN_SIM, "pty", "--until-eof"}, true};
  std::string programEnd_, deviceEnd_;

  void SetUp() override {
    const std::string a = relay_.ReadLine(), b = relay_.ReadLine();
    ASSERT_EQ(a.rfind("a /dev/", 0), 0u) << a;
    ASSERT_EQ(b.rfind("b /dev/", 0), 0u) << b;
    programEnd_ = a.substr(2);
    deviceEnd_ = b.substr(2);
    setenv("ZEPHIRAX_HOME", dir_.Path().c_str(), 1);
  }
  void TearDown() override { unsetenv("ZEPHIRAX_HOME"); }
};

TEST_F(DeviceExchangeTest, ReceivedMeasurementEqualsTheSentFile) {
  struct Case {
    const char* Sample;
    std::vector<std::string> Options;
    const char* Saved;
  };
  for (const Case& c : {Case{"SIXCYL2T.KV", {"--fast", "--chunk", "4000", "--delay", "5"}, "S.KV"},
                        Case{"FIVECYL.KS", {"--checksum", "none"}, "S.KS"}}) {
    const std::string sample = std::string(ZEPHIRAX_SAMPLES) + "/" + c.Sample;
    ChildProcess receiver({ZEPHIRAX_CLI, "receive", "--device", programEnd_, "--save",
                           dir_.File("S"), "--timeout", "20"});
    std::vector<std::string> device = {VOLTAN_SIM, "device", "--port", deviceEnd_, "send", sample};
    device.insert(device.end(), c.Options.begin(), c.Options.end());
    // Give the receiver time to open its end before the block starts.
    std::this_thread::sleep_for(300ms);
    ChildProcess sender(device);
    EXPECT_EQ(sender.Wait(20s), 0) << sender.Output();
    ASSERT_EQ(receiver.Wait(25s), 0) << receiver.Output();
    EXPECT_EQ(test::ReadBytes(dir_.File(c.Saved)), test::ReadBytes(sample)) << c.Sample;
  }
}

TEST_F(DeviceExchangeTest, BadChecksumAtHighSpeedSavesNothing) {
  ChildProcess receiver({ZEPHIRAX_CLI, "receive", "--device", programEnd_, "--save", dir_.File("S"),
                         "--timeout", "3"});
  std::this_thread::sleep_for(300ms);
  ChildProcess sender({VOLTAN_SIM, "device", "--port", deviceEnd_, "send",
                       std::string(ZEPHIRAX_SAMPLES) + "/FIVECYL.KS", "--fast", "--checksum",
                       "bad"});
  EXPECT_EQ(sender.Wait(20s), 0);
  EXPECT_EQ(receiver.Wait(20s), 1);
  EXPECT_NE(receiver.Output().find("Checksum error ! Retry transmission ."), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("S.KS")));
}

// A device that goes away in the middle of a block (the relay's end closed, as
// a pulled USB adapter) ends the receive at once, names the device and why,
// and saves nothing.
TEST_F(DeviceExchangeTest, DeviceGoingAwayMidBlockEndsTheReceiveAtOnce) {
  ChildProcess receiver(
      {ZEPHIRAX_CLI, "receive", "--device", programEnd_, "--save", dir_.File("S")});
  std::this_thread::sleep_for(300ms);
  ChildProcess sender({VOLTAN_SIM, "device", "--port", deviceEnd_, "send",
                       std::string(ZEPHIRAX_SAMPLES) + "/SIXCYL2T.KV", "--chunk", "3000", "--delay",
                       "20000"});
  std::string line;
  for (int k = 0; k < 5 && line != "processing ..."; ++k) line = receiver.ReadLine();
  ASSERT_EQ(line, "processing ...");
  relay_.CloseInput();
  EXPECT_EQ(receiver.Wait(5s), 1);
  const std::string output = receiver.Output();
  EXPECT_NE(output.find("The connection to " + programEnd_ +
                        " failed: the device hung up or was removed.\n"
                        "Nothing of the incomplete transfer was saved."),
            std::string::npos)
      << output;
  EXPECT_FALSE(std::filesystem::exists(dir_.File("S.KV")));
  EXPECT_FALSE(std::filesystem::exists(dir_.File("S.KS")));
}

TEST_F(DeviceExchangeTest, ReceiveNamesAMissingDeviceAndGivesUpAfterItsTimeout) {
  ChildProcess missing(
      {ZEPHIRAX_CLI, "receive", "--device", dir_.File("no-such-tty"), "--save", dir_.File("S")});
  EXPECT_EQ(missing.Wait(10s), 1);
  EXPECT_NE(missing.Output().find("Could not open " + dir_.File("no-such-tty") +
                                  "\nNo such file or directory\n"),
            std::string::npos);

  ChildProcess idle({ZEPHIRAX_CLI, "receive", "--device", programEnd_, "--save", dir_.File("S"),
                     "--timeout", "1"});
  EXPECT_EQ(idle.Wait(10s), 1);
  EXPECT_NE(
      idle.Output().find("Nothing complete arrived from " + programEnd_ + " within 1 seconds."),
      std::string::npos);
}

TEST_F(DeviceExchangeTest, SentSetupArrivesAsTheLineFrame) {
  EngineSetup setup;
  NewSetupDefaults(setup);
  setup.TdcCorrection = -1.5;
  ASSERT_TRUE(WriteSetupFile(setup, dir_.File("SETUP.DAT")));
  const std::string frame = SetupFrame(setup, FrameUse::Line).value();

  ChildProcess device(
      {VOLTAN_SIM, "device", "--port", deviceEnd_, "receive-setup", "--timeout", "10000"});
  std::this_thread::sleep_for(300ms);
  ChildProcess sender(
      {ZEPHIRAX_CLI, "send-setup", dir_.File("SETUP.DAT"), "--device", programEnd_});
  EXPECT_EQ(sender.Wait(20s), 0) << sender.Output();
  ASSERT_EQ(device.Wait(20s), 0) << device.Output();
  std::string escaped;
  for (const char c : frame) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      escaped += "\\\\";
    } else if (byte >= 0x20 && byte < 0x7F) {
      escaped += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      escaped += hex;
    }
  }
  const std::string output = device.Output();
  EXPECT_NE(output.find("frame: " + escaped + "\n"), std::string::npos) << output;
  EXPECT_NE(output.find("valid: yes"), std::string::npos);
  EXPECT_NE(frame.find("-001.5"), std::string::npos);
}

}  // namespace
}  // namespace zephirax
