#include "devicelink/QtSerialDevice.h"

#include <grp.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace zephirax {

namespace {

// Pseudo-terminals and some adapters have no modem lines; Qt reports the
// failed line ioctls as errors although the port works.
bool Harmless(QSerialPort::SerialPortError error) {
  return error == QSerialPort::NoError || error == QSerialPort::UnsupportedOperationError;
}

// The group that owns `path`; serial devices usually belong to "dialout".
std::string OwningGroup(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return "dialout";
  const group* owner = ::getgrgid(info.st_gid);
  return owner != nullptr ? owner->gr_name : std::to_string(info.st_gid);
}

}  // namespace

QtSerialDevice::QtSerialDevice() {
  // Qt reads on its own when an event loop runs; a read that fails there
  // (the device gone) must end the exchange as well.
  QObject::connect(
      &port_, &QSerialPort::errorOccurred, &port_, [this](QSerialPort::SerialPortError error) {
        if (!port_.isOpen() || Failed()) return;
        if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
          failure_ = {DeviceFault::Kind::System, port_.errorString().toStdString(), ""};
        }
      });
}

bool QtSerialDevice::Open(const std::string& path) {
  if (port_.isOpen()) port_.close();
  path_ = path;
  openFault_ = {};
  failure_ = {};
  port_.setPortName(QString::fromStdString(path));
  if (port_.open(QIODevice::ReadWrite)) {
    port_.clearError();
    return true;
  }
  openFault_ = {DeviceFault::Kind::System, port_.errorString().toStdString(), ""};
  if (port_.error() == QSerialPort::PermissionError && ::access(path.c_str(), R_OK | W_OK) != 0) {
    openFault_.DeniedGroup = OwningGroup(path);
  }
  return false;
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
  if (!ok) openFault_ = {DeviceFault::Kind::System, port_.errorString().toStdString(), ""};
  port_.clearError();
  return ok;
}

int64_t QtSerialDevice::Write(const uint8_t* data, int32_t count) {
  if (!port_.isOpen() || count <= 0) return 0;
  const qint64 written = port_.write(reinterpret_cast<const char*>(data), count);
  const bool flushed = port_.waitForBytesWritten(1000) || port_.bytesToWrite() == 0;
  if (written >= 0 && flushed) return written;
  // A write that fails usually means the device went away; the caller is
  // told why through Failure().
  if (!Failed()) WatchLine(0);
  if (!Failed()) failure_ = {DeviceFault::Kind::System, port_.errorString().toStdString(), ""};
  return written < 0 ? -static_cast<int64_t>(count) : -written;
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
  if (port_.bytesAvailable() == 0) WatchLine(0);
  return static_cast<int32_t>(std::min<qint64>(port_.bytesAvailable(), INT32_MAX));
}

bool QtSerialDevice::WaitForInput(int milliseconds) {
  if (!port_.isOpen() || Failed()) return false;
  if (port_.bytesAvailable() > 0) return true;
  WatchLine(milliseconds);
  return port_.bytesAvailable() > 0;
}

void QtSerialDevice::WatchLine(int milliseconds) {
  if (Failed()) return;
  // Qt's own wait treats a hang-up without data as neither readable nor an
  // error and keeps polling until the time is up, at full processor load; so
  // the descriptor is watched here and Qt only reads.
  pollfd line{static_cast<int>(port_.handle()), POLLIN, 0};
  int ready = 0;
  do {
    ready = ::poll(&line, 1, milliseconds);
  } while (ready < 0 && errno == EINTR);
  if (ready < 0) {
    failure_ = {DeviceFault::Kind::System, std::strerror(errno), ""};
    return;
  }
  if (ready == 0) return;
  // Bytes that came before a hang-up are still taken.
  if ((line.revents & POLLIN) != 0) port_.waitForReadyRead(0);
  if ((line.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
    failure_ = {DeviceFault::Kind::HungUp, "", ""};
  }
}

void QtSerialDevice::Close() {
  if (port_.isOpen()) port_.close();
}

}  // namespace zephirax
