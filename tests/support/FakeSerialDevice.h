#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "devicelink/Serial.h"

namespace zephirax::test {

// A serial device that serves scripted chunks, one per read, and records how
// it was opened and configured.
class FakeSerialDevice : public SerialDevice {
 public:
  bool Open(const std::string& path) override;
  bool IsOpen() const override { return open_; }
  bool Configure(int32_t baud, int16_t dataBits, int16_t parity, int16_t stopBits,
                 uint8_t handshake) override;
  int64_t Write(const uint8_t* data, int32_t count) override;
  int32_t Read(uint8_t* buffer, int32_t count) override;
  int32_t QueueCount(bool output) override;
  bool WaitForInput(int milliseconds) override;
  void Close() override;
  DeviceFault OpenFault() const override { return OpenFaultShown; }
  // The scripted failure, once every chunk has been read.
  DeviceFault Failure() const override {
    return Chunks.empty() ? FailureWhenDrained : DeviceFault{};
  }

  // Set up by the test.
  std::deque<std::string> Chunks;  // served while open, one per read
  int FailingOpens = 0;            // attempts that fail before one succeeds; -1: all fail
  bool RefuseConfigure = false;
  size_t WritableBytes = SIZE_MAX;  // writes beyond this many bytes fail
  DeviceFault OpenFaultShown{DeviceFault::Kind::System, "No such file or directory", ""};
  DeviceFault FailureWhenDrained;

  // Recorded.
  std::vector<std::string> OpenAttempts;
  std::vector<int32_t> Bauds;  // one per accepted Configure
  int Closes = 0;
  std::string Written;

 private:
  bool open_ = false;
};

}  // namespace zephirax::test
