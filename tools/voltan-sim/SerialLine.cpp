#include "voltan-sim/SerialLine.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

namespace voltansim {

namespace {

std::string SystemError(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

bool SpeedCode(int baud, speed_t& code) {
  switch (baud) {
    case 9600:
      code = B9600;
      return true;
    case 38400:
      code = B38400;
      return true;
    default:
      return false;
  }
}

}  // namespace

bool MakeRaw(int fd, int baud) {
  speed_t speed = B9600;
  if (!SpeedCode(baud, speed)) {
    errno = EINVAL;
    return false;
  }
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return false;
  cfmakeraw(&settings);
  settings.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS | CSIZE);
  settings.c_cflag |= CS8 | CLOCAL | CREAD;
  settings.c_iflag &= ~(IXON | IXOFF | IXANY);
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  cfsetispeed(&settings, speed);
  cfsetospeed(&settings, speed);
  // TCSADRAIN: a speed change must not garble bytes still on their way out.
  return tcsetattr(fd, TCSADRAIN, &settings) == 0;
}

SerialLine::~SerialLine() {
  Close();
}

std::string SerialLine::Open(const std::string& path, int baud) {
  Close();
  // Non-blocking so that a port without carrier does not hang the open;
  // CLOCAL then ignores the modem lines and blocking I/O is restored.
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return SystemError("cannot open " + path);
  if (!isatty(fd)) {
    ::close(fd);
    return path + " is not a terminal device";
  }
  if (!MakeRaw(fd, baud)) {
    const std::string error = SystemError("cannot set up " + path);
    ::close(fd);
    return error;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const std::string error = SystemError("cannot set up " + path);
    ::close(fd);
    return error;
  }
  fd_ = fd;
  return {};
}

std::string SerialLine::SetBaud(int baud) {
  if (fd_ < 0) return "the line is not open";
  if (!MakeRaw(fd_, baud)) return SystemError("cannot set " + std::to_string(baud) + " baud");
  return {};
}

std::string SerialLine::Write(std::string_view bytes, size_t chunk,
                              std::chrono::milliseconds pause) {
  if (fd_ < 0) return "the line is not open";
  if (chunk == 0) chunk = bytes.size();
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t end = std::min(bytes.size(), done + chunk);
    while (done < end) {
      const ssize_t written = ::write(fd_, bytes.data() + done, end - done);
      if (written < 0) {
        if (errno == EINTR) continue;
        return SystemError("write failed");
      }
      done += static_cast<size_t>(written);
    }
    if (done < bytes.size() && pause.count() > 0) std::this_thread::sleep_for(pause);
  }
  if (tcdrain(fd_) != 0 && errno != EINTR) return SystemError("write failed");
  return {};
}

std::string SerialLine::Read(std::string& bytes, size_t max, std::chrono::milliseconds timeout) {
  if (fd_ < 0) return "the line is not open";
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() < 0) return {};
    pollfd line{fd_, POLLIN, 0};
    const int ready = ::poll(&line, 1, static_cast<int>(left.count()));
    if (ready < 0) {
      if (errno == EINTR) continue;
      return SystemError("poll failed");
    }
    if (ready == 0) return {};
    if ((line.revents & POLLIN) == 0) return "the line was hung up";
    std::vector<char> buffer(std::max<size_t>(max, 1));
    const ssize_t count = ::read(fd_, buffer.data(), buffer.size());
    if (count < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return SystemError("read failed");
    }
    if (count == 0) return "the line was hung up";
    bytes.append(buffer.data(), static_cast<size_t>(count));
    return {};
  }
}

void SerialLine::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

PseudoTerminal::PseudoTerminal(PseudoTerminal&& other) noexcept
    : Master(std::exchange(other.Master, -1)),
      Slave(std::exchange(other.Slave, -1)),
      SlavePath(std::move(other.SlavePath)) {}

PseudoTerminal::~PseudoTerminal() {
  if (Master >= 0) ::close(Master);
  if (Slave >= 0) ::close(Slave);
}

std::optional<PseudoTerminal> OpenPseudoTerminal(std::string& error) {
  std::optional<PseudoTerminal> pty(std::in_place);
  if (openpty(&pty->Master, &pty->Slave, nullptr, nullptr, nullptr) != 0) {
    error = SystemError("cannot open a pseudo-terminal");
    return std::nullopt;
  }
  // Raw at once: echo or CR/LF translation would corrupt the first bytes.
  if (!MakeRaw(pty->Slave, 9600) || !MakeRaw(pty->Master, 9600)) {
    error = SystemError("cannot set up a pseudo-terminal");
    return std::nullopt;
  }
  fcntl(pty->Master, F_SETFD, FD_CLOEXEC);
  fcntl(pty->Slave, F_SETFD, FD_CLOEXEC);
  const char* name = ttyname(pty->Slave);
  if (name == nullptr) {
    error = SystemError("cannot name a pseudo-terminal");
    return std::nullopt;
  }
  pty->SlavePath = name;
  return pty;
}

}  // namespace voltansim
