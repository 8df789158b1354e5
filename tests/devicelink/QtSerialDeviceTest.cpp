#include "devicelink/QtSerialDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <string>

namespace zephirax {
namespace {

// A raw pseudo-terminal: the program opens the slave path like a serial
// port, the test plays the device on the master.
class Pty {
 public:
  Pty() {
    char name[256] = {};
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
    for (int fd : {master_, slave_}) {
      termios raw{};
      tcgetattr(fd, &raw);
      cfmakeraw(&raw);
      tcsetattr(fd, TCSANOW, &raw);
    }
    path_ = name;
  }
  ~Pty() {
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  const std::string& Path() const { return path_; }
  void Send(const std::string& bytes) const {
    ASSERT_EQ(write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  std::string Receive(size_t count) const {
    std::string bytes;
    while (bytes.size() < count) {
      pollfd wait{master_, POLLIN, 0};
      if (poll(&wait, 1, 2000) <= 0) break;
      char buffer[256];
      const ssize_t got = read(master_, buffer, sizeof buffer);
      if (got <= 0) break;
      bytes.append(buffer, static_cast<size_t>(got));
    }
    return bytes;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

TEST(QtSerialDeviceTest, ExchangesBytesOverAPseudoTerminal) {
  Pty pty;
  ASSERT_FALSE(pty.Path().empty());
  QtSerialDevice device;
  ASSERT_TRUE(device.Open(pty.Path()));
  for (int32_t baud : {9600, 38400}) EXPECT_TRUE(device.Configure(baud, 8, 0, 0, 0)) << baud;

  EXPECT_EQ(device.QueueCount(false), 0);
  const std::string block("\x02MIP\x00\xff\x03", 7);
  pty.Send(block);
  int32_t waiting = 0;
  for (int i = 0; i < 50 && waiting < 7; ++i) {
    device.WaitForInput(100);
    waiting = device.QueueCount(false);
  }
  ASSERT_EQ(waiting, 7);
  uint8_t buffer[16] = {};
  EXPECT_EQ(device.Read(buffer, 16), 7);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 7), block);

  const uint8_t frame[] = {'@', 0x10, 0x13, '\r', '\n'};
  EXPECT_EQ(device.Write(frame, 5), 5);
  EXPECT_EQ(pty.Receive(5), std::string(reinterpret_cast<const char*>(frame), 5));
  device.Close();
  EXPECT_FALSE(device.IsOpen());
}

TEST(QtSerialDeviceTest, MissingDeviceDoesNotOpen) {
  QtSerialDevice device;
  EXPECT_FALSE(device.Open("/dev/zephirax-no-such-port"));
  EXPECT_FALSE(device.IsOpen());
  uint8_t byte = 0;
  EXPECT_EQ(device.Read(&byte, 1), 0);
  EXPECT_EQ(device.Write(&byte, 1), 0);
  EXPECT_FALSE(device.WaitForInput(0));
}

}  // namespace
}  // namespace zephirax
