#pragma once

#include <QSerialPort>

#include "devicelink/Serial.h"

// A serial device of this machine (a COM port, a USB adapter or a
// pseudo-terminal), through Qt's serial port.

namespace zephirax {

class QtSerialDevice : public SerialDevice {
 public:
  bool Open(const std::string& path) override;
  bool IsOpen() const override { return port_.isOpen(); }
  bool Configure(int32_t baud, int16_t dataBits, int16_t parity, int16_t stopBits,
                 uint8_t handshake) override;
  int64_t Write(const uint8_t* data, int32_t count) override;
  int32_t Read(uint8_t* buffer, int32_t count) override;
  int32_t QueueCount(bool output) override;
  bool WaitForInput(int milliseconds) override;
  void Close() override;

 private:
  QSerialPort port_;
};

}  // namespace zephirax
