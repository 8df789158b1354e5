#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "setup/EngineSetup.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "voltan-sim/DeviceCommands.h"
#include "voltan-sim/SerialLine.h"

extern char** environ;

namespace voltansim {
namespace {

using namespace std::chrono_literals;
using zephirax::test::ChildProcess;
using zephirax::test::ReadBytes;

// A relay between two pseudo-terminals with end A opened here like a serial
// port; the device runs on end B.
class DeviceLinkTest : public testing::Test {
 protected:
  void SetUp() override {
    const std::string a = relay_.ReadLine(), b = relay_.ReadLine();
    ASSERT_EQ(a.rfind("a /dev/", 0), 0u) << a;
    ASSERT_EQ(b.rfind("b /dev/", 0), 0u) << b;
    portB_ = b.substr(2);
    ASSERT_EQ(endA_.Open(a.substr(2), 9600), "");
  }

  // What arrives at end A until `size` bytes came or nothing more comes.
  std::string ReadA(size_t size) {
    std::string bytes;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (bytes.size() < size && std::chrono::steady_clock::now() < deadline) {
      EXPECT_EQ(endA_.Read(bytes, 65536, 500ms), "");
    }
    endA_.Read(bytes, 65536, 100ms);  // anything beyond the expected bytes
    return bytes;
  }

  ChildProcess relay_{{VOLTAN_SIM, "pty", "--until-eof"}, true};
  std::string portB_;
  SerialLine endA_;
  zephirax::test::TempDir dir_;
};

TEST_F(DeviceLinkTest, SendsOneFramedBlock) {
  // Bytes summing to 0x1A3, so only the low byte may appear as "A3".
  const std::string small = std::string(3, char(0x80)) + "#";
  const std::string sample = ReadBytes(ZEPHIRAX_SAMPLES "/FIVECYL.KS");
  struct Case {
    std::string Data;
    std::vector<std::string> Options;
    std::string Expected;
  };
  const std::vector<Case> cases = {
      {small,
       {},
       "\x02" + small +
           "\x03"
           "A3"},
      {small, {"--checksum", "none"}, "\x02" + small + "\x03\x10\x13"},
      {small,
       {"--checksum=bad"},
       "\x02" + small +
           "\x03"
           "A4"},
      {small,
       {"--fast"},
       "\x16\x02" + small +
           "\x03"
           "A3"},
      {"",
       {},
       "\x02\x03"
       "00"},
      {sample,
       {"--fast", "--chunk", "1000", "--delay", "5"},
       "\x16" + DeviceBlock(sample, CheckCharacters::Good)},
  };
  ASSERT_GT(sample.size(), 1000u);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Options) + " " + std::to_string(c.Data.size()));
    const std::string file = dir_.File("BLOCK.KS");
    zephirax::test::WriteBytes(file, c.Data);
    std::vector<std::string> args = {"device", "--port", portB_, "send", file};
    args.insert(args.end(), c.Options.begin(), c.Options.end());
    args.insert(args.begin(), VOLTAN_SIM);
    ChildProcess device(args);
    EXPECT_EQ(ReadA(c.Expected.size()), c.Expected);
    EXPECT_EQ(device.Wait(), 0) << device.Output();
  }
}

TEST_F(DeviceLinkTest, RefusesDataThatCannotBeFramed) {
  const std::string file = dir_.File("BAD.KS");
  zephirax::test::WriteBytes(file, std::string("ok\x16no", 5));
  ChildProcess device({VOLTAN_SIM, "device", "--port", portB_, "send", file});
  EXPECT_EQ(device.Wait(), 1);
  EXPECT_NE(device.Output().find("0x16 at offset 2"), std::string::npos);
  std::string bytes;
  EXPECT_EQ(endA_.Read(bytes, 100, 200ms), "");
  EXPECT_EQ(bytes, "");
}

TEST_F(DeviceLinkTest, ReceivesAndChecksOneSetupFrame) {
  zephirax::EngineSetup setup;
  zephirax::NewSetupDefaults(setup);
  const std::string frame = zephirax::SetupFrame(setup, zephirax::FrameUse::Line).value();
  std::string broken = frame;
  broken[3] = ',';  // the separator after the cylinder count
  struct Case {
    std::string Sent;
    int Status;
    std::string Verdict;
  };
  const std::vector<Case> cases = {
      {"noise" + frame, 0, "valid: yes"},
      {broken, 1, "valid: no (no ';' after field 1)"},
      {frame.substr(0, 40), 1, "valid: no (incomplete"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(EscapeBytes(c.Sent));
    ChildProcess device(
        {VOLTAN_SIM, "device", "--port", portB_, "receive-setup", "--timeout", "1000"});
    ASSERT_EQ(endA_.Write(c.Sent), "");
    EXPECT_EQ(device.Wait(), c.Status);
    const std::string text = device.Output();
    const std::string received = c.Sent.substr(c.Sent.find('\x02'));
    EXPECT_NE(text.find("frame: " + EscapeBytes(received) + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find(c.Verdict), std::string::npos) << text;
  }
}

TEST(SetupFrameCheck, NamesWhatIsWrong) {
  zephirax::EngineSetup setup;
  zephirax::NewSetupDefaults(setup);
  const std::string frame = zephirax::SetupFrame(setup, zephirax::FrameUse::Line).value();
  EXPECT_EQ(CheckSetupFrame(frame), "");
  EXPECT_EQ(CheckSetupFrame(zephirax::SetupFrame(setup, zephirax::FrameUse::File).value()), "");
  EXPECT_EQ(CheckSetupFrame(frame.substr(1)), "does not start with STX");
  EXPECT_EQ(CheckSetupFrame(frame + "x"), "does not end with ETX");
  const std::string tail = frame.substr(0, frame.size() - 1);
  EXPECT_EQ(CheckSetupFrame(tail + "7\x03"), "113 bytes where 6 cylinders make 112");
  // The reader skips separators unseen; the check does not.
  EXPECT_EQ(CheckSetupFrame(tail.substr(0, tail.size() - 1) + "0\x03"), "no ';' after field 27");
}

}  // namespace
}  // namespace voltansim
