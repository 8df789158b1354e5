#include "devicelink/QtSerialDevice.h"

#include <QString>
#include <algorithm>
#include <cstdint>

namespace zephirax {

namespace {

// Pseudo-terminals and some adapters have no modem lines; Qt reports the
// failed line ioctls as errors although the port works.
bool Harmless(QSerialPort::SerialPortError error) {
  return error == QSerialPort::NoError || error == QSerialPort::UnsupportedOperationError;
}

}  // namespace

bool QtSerialDevice::Open(const std::string& path) {
  if (port_.isOpen()) port_.close();
  port_.setPortName(QString::fromStdString(path));
  if (!port_.open(QIODevice::ReadWrite)) return false;
  port_.clearError();
  return true;
}

bool QtSerialDevice::Configure(int32_t baud, int16_t dataBits, int16_t parity, int16_t stopBits,
                               uint8_t handshake) {
  if (!port_.isOpen()) return false;
  bool ok = port_.setBaudRate(baud);
  ok = ok && port_.setDataBits(dataBits == 7 ? QSerialPort::Data7 : QSerialPort::Data8);
  ok = ok && port_.setParity(parity > 0 ? QSerialPort::EvenParity : QSerialPort::NoParity);
  // Platform code 0 is one stop bit, 2 is two.
  ok = ok && port_.setStopBits(stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  QSerialPort::FlowControl flow = QSerialPort::NoFlowControl;
  if (handshake == 1) flow = QSerialPort::SoftwareControl;
  if (handshake == 2 || handshake == 3) flow = QSerialPort::HardwareControl;
  ok = ok && port_.setFlowControl(flow);
  if (!ok && Harmless(port_.error())) ok = true;
  port_.clearError();
  return ok;
}

int64_t QtSerialDevice::Write(const uint8_t* data, int32_t count) {
  if (!port_.isOpen() || count <= 0) return 0;
  const qint64 written = port_.write(reinterpret_cast<const char*>(data), count);
  const bool flushed = port_.waitForBytesWritten(1000) || port_.bytesToWrite() == 0;
  if (written < 0) return -static_cast<int64_t>(count);
  return flushed ? written : -written;
}

int32_t QtSerialDevice::Read(uint8_t* buffer, int32_t count) {
  if (!port_.isOpen() || count <= 0) return 0;
  const qint64 read = port_.read(reinterpret_cast<char*>(buffer), count);
  return read < 0 ? 0 : static_cast<int32_t>(read);
}

int32_t QtSerialDevice::QueueCount(bool output) {
  if (!port_.isOpen()) return 0;
  port_.clearError();
  if (output) return static_cast<int32_t>(std::min<qint64>(port_.bytesToWrite(), INT32_MAX));
  // Takes what the driver holds into the port's buffer without waiting.
  if (port_.bytesAvailable() == 0) port_.waitForReadyRead(0);
  return static_cast<int32_t>(std::min<qint64>(port_.bytesAvailable(), INT32_MAX));
}

bool QtSerialDevice::WaitForInput(int milliseconds) {
  if (!port_.isOpen()) return false;
  if (port_.bytesAvailable() > 0) return true;
  return port_.waitForReadyRead(milliseconds);
}

void QtSerialDevice::Close() {
  if (port_.isOpen()) port_.close();
}

}  // namespace zephirax
