#pragma once

#include <QSerialPort>

#include "devicelink/Serial.h"

// A serial device of this machine (a COM port, a USB adapter or a
// pseudo-terminal), through Qt's serial port.

namespace zephirax {

class QtSerialDevice : public SerialDevice {
 public:
  QtSerialDevice();
  bool Open(const std::string& path) override;
  bool IsOpen() const override { return port_.isOpen(); }
  bool Configure(int32_t baud, int16_t dataBits, int16_t parity, int16_t stopBits,
                 uint8_t handshake) override;
  int64_t Write(const uint8_t* data, int32_t count) override;
  int32_t Read(uint8_t* buffer, int32_t count) override;
  int32_t QueueCount(bool output) override;
  bool WaitForInput(int milliseconds) override;
  void Close() override;
  DeviceFault OpenFault() const override { return openFault_; }
  DeviceFault Failure() const override { return failure_; }

 private:
  bool Failed() const { return failure_.What != DeviceFault::Kind::None; }
  // Waits up to `milliseconds` for the line to have bytes or to fail, takes
  // the bytes into the port's buffer and records a hang-up or read error.
  void WatchLine(int milliseconds);

  QSerialPort port_;
  std::string path_;
  DeviceFault openFault_;
  DeviceFault failure_;
};

}  // namespace zephirax
