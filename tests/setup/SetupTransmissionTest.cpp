#include "setup/SetupTransmission.h"

#include <gtest/gtest.h>

#include <vector>

#include "setup/EngineSetup.h"
#include "support/FakeSerialDevice.h"

namespace zephirax {
namespace {

// Takes what is written, one call at a time.
struct LineRecorder : SerialDevice {
  std::vector<std::string> Writes;
  bool Opened = false;
  bool Open(const std::string&) override { return Opened = true; }
  bool IsOpen() const override { return Opened; }
  bool Configure(int32_t, int16_t, int16_t, int16_t, uint8_t) override { return true; }
  int64_t Write(const uint8_t* data, int32_t count) override {
    Writes.emplace_back(reinterpret_cast<const char*>(data), static_cast<size_t>(count));
    return count;
  }
  int32_t Read(uint8_t*, int32_t) override { return 0; }
  int32_t QueueCount(bool) override { return 0; }
  bool WaitForInput(int) override { return false; }
  void Close() override { Opened = false; }
  DeviceFault OpenFault() const override { return {}; }
  DeviceFault Failure() const override { return {}; }
};

TEST(SetupTransmissionTest, SendsTheLineFrameByteByByteWithAPauseEach) {
  for (const int cylinders : {6, 20}) {
    EngineSetup setup;
    NewSetupDefaults(setup);
    setup.CylCount = cylinders;
    for (int c = 1; c <= cylinders; ++c) setup.FiringOrder[c] = c;
    setup.TdcCorrection = -1.5;
    const std::string frame = SetupFrame(setup, FrameUse::Line).value();

    LineRecorder device;
    SerialLink link;
    link.Device = &device;
    OpenSelectedPort(link);
    ASSERT_TRUE(link.PortOpen);
    std::vector<int> gauge;
    int pauses = 0;
    EXPECT_TRUE(
        SendSetup(link, frame, {[&](int value) { gauge.push_back(value); }, [&] { ++pauses; }}));

    std::string line;
    for (const std::string& write : device.Writes) {
      ASSERT_EQ(write.size(), 1u);
      line += write;
    }
    EXPECT_EQ(line, frame);
    EXPECT_NE(line.find("-001.5"), std::string::npos);
    EXPECT_EQ(pauses, static_cast<int>(frame.size()));
    ASSERT_GE(gauge.size(), 2u);
    EXPECT_EQ(gauge[gauge.size() - 2], 16 + 2 * cylinders);
    EXPECT_EQ(gauge.back(), 100);
    EXPECT_FALSE(link.PortOpen);
    EXPECT_FALSE(device.Opened);
  }
}

// A device that stops taking bytes must not be reported as having got the
// setup; the reason is the device's own when it has one.
TEST(SetupTransmissionTest, StopsAtTheFirstRefusedByteAndSaysWhy) {
  EngineSetup setup;
  NewSetupDefaults(setup);
  const std::string frame = SetupFrame(setup, FrameUse::Line).value();
  const struct {
    DeviceFault DeviceSays;
    DeviceFault::Kind Expected;
    std::string Reason;
  } cases[] = {
      {{DeviceFault::Kind::HungUp, "", ""}, DeviceFault::Kind::HungUp, ""},
      {{}, DeviceFault::Kind::System, "Input/output error"},
  };
  for (const auto& c : cases) {
    test::FakeSerialDevice device;
    device.WritableBytes = 10;
    device.FailureWhenDrained = c.DeviceSays;
    SerialLink link;
    link.Device = &device;
    OpenSelectedPort(link);
    ASSERT_TRUE(link.PortOpen);
    std::vector<int> gauge;
    EXPECT_FALSE(SendSetup(link, frame, {[&](int value) { gauge.push_back(value); }, [] {}}));
    EXPECT_EQ(device.Written, frame.substr(0, 10));
    EXPECT_TRUE(gauge.empty() || gauge.back() != 100);
    EXPECT_FALSE(link.PortOpen);
    EXPECT_EQ(link.Fault.What, c.Expected);
    EXPECT_EQ(link.Fault.Reason, c.Reason);
  }
}

}  // namespace
}  // namespace zephirax
