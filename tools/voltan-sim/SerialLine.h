#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// The simulator's end of a serial line: a device path (a real port, a USB
// adapter or a pseudo-terminal) in raw mode, 8 data bits, no parity, one stop
// bit, no flow control, at 9600 or 38400 baud, as the VOLTAN device drives it.

namespace voltansim {

class SerialLine {
 public:
  SerialLine() = default;
  ~SerialLine();
  SerialLine(const SerialLine&) = delete;
  SerialLine& operator=(const SerialLine&) = delete;

  // Empty on success, else why not. Only 9600 and 38400 baud are known.
  std::string Open(const std::string& path, int baud);
  // Changes the speed once everything written so far has left the line.
  std::string SetBaud(int baud);
  // Writes all bytes: in pieces of `chunk` bytes (0: all at once) with
  // `pause` after every piece but the last; then waits until they have left.
  std::string Write(std::string_view bytes, size_t chunk = 0,
                    std::chrono::milliseconds pause = std::chrono::milliseconds(0));
  // Appends to `bytes` what arrives within `timeout` (at most `max` bytes);
  // returns as soon as something was read. Empty on success or timeout.
  std::string Read(std::string& bytes, size_t max, std::chrono::milliseconds timeout);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Puts a terminal into raw mode at the given speed: no echo, no line editing,
// no CR/LF translation, 8N1, no handshake. False with errno set on failure.
bool MakeRaw(int fd, int baud);

// One pseudo-terminal in raw mode; the slave is kept open so that its settings
// and unread bytes survive while other programs open and close it.
struct PseudoTerminal {
  int Master = -1;
  int Slave = -1;
  std::string SlavePath;

  PseudoTerminal() = default;
  PseudoTerminal(PseudoTerminal&& other) noexcept;
  PseudoTerminal& operator=(PseudoTerminal&&) = delete;
  ~PseudoTerminal();
};

// Empty result with `error` set when no pseudo-terminal could be had.
std::optional<PseudoTerminal> OpenPseudoTerminal(std::string& error);

}  // namespace voltansim
