#include "voltan-sim/DeviceCommands.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <thread>

#include "setup/EngineSetup.h"
#include "voltan-sim/SerialLine.h"

namespace voltansim {

const std::string_view DeviceUsage =
    "Usage: voltan-sim device --port PATH send FILE [options]\n"
    "       voltan-sim device --port PATH receive-setup [--timeout MS]\n"
    "\n"
    "Plays the device's end of the serial line (8 data bits, no parity, one\n"
    "stop bit, no handshake).\n"
    "\n"
    "send: sends FILE at 9600 baud as one block: STX, the file's bytes, ETX and\n"
    "two check characters. A file holding the bytes 0x02, 0x03 or 0x16 cannot be\n"
    "framed and is refused.\n"
    "  --fast                 send SYN (0x16) at 9600 baud first, wait 200 ms for\n"
    "                         the receiver to reopen, then send the block at 38400\n"
    "  --checksum good|bad|none\n"
    "                         check characters: the data sum modulo 256 as two\n"
    "                         uppercase hex digits, two wrong digits, or 0x10 0x13\n"
    "                         for no checksum (good)\n"
    "  --chunk N              write the block in pieces of N bytes (all at once)\n"
    "  --delay MS             pause between the pieces (0)\n"
    "\n"
    "receive-setup: waits at 9600 baud for one setup frame (STX to ETX; bytes\n"
    "before STX are skipped) and prints three lines:\n"
    "  frame: BYTES           the frame, printable ASCII as it is, a backslash\n"
    "                         doubled, any other byte as \\xHH (STX is \\x02)\n"
    "  bytes: N               its length\n"
    "  valid: yes             or \"valid: no (REASON)\"\n"
    "Exit status 0 for a valid frame, 1 for an invalid one or none.\n"
    "  --timeout MS           give up when no byte came for MS milliseconds (30000)\n";

const std::string_view PtyUsage =
    "Usage: voltan-sim pty [--until-eof]\n"
    "\n"
    "Opens two pseudo-terminals and relays bytes between them in both directions,\n"
    "so that two programs can each open one end like a serial port: ZEPHIRAX on\n"
    "one, 'voltan-sim device' on the other. Prints the two device paths, one per\n"
    "line, as \"a PATH\" and \"b PATH\", then relays until SIGTERM, SIGINT or\n"
    "SIGHUP. The line speed is not simulated: bytes pass as fast as they come.\n"
    "  --until-eof            also stop when standard input reaches end of file,\n"
    "                         so that the relay ends with the process feeding it\n";

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

constexpr char Stx = 0x02;
constexpr char Etx = 0x03;
constexpr char Syn = 0x16;

// Long enough for a receiver to close its port and reopen it at 38400.
constexpr std::chrono::milliseconds SynPause(200);

struct UsageError {
  std::string Text;
};

int ReportUsage(std::string_view command, const UsageError& e, std::ostream& err) {
  err << "voltan-sim " << command << ": " << e.Text << "\nRun 'voltan-sim help " << command
      << "' for the options.\n";
  return ExitUsage;
}

int ParseCount(const std::string& option, const std::string& text, int lowest) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc() || result.ptr != end || value < lowest)
    throw UsageError{option + " needs a whole number from " + std::to_string(lowest) + ", not '" +
                     text + "'"};
  return value;
}

struct DeviceOptions {
  std::string Port;
  std::vector<std::string> Words;  // the action and its file
  bool Fast = false;
  CheckCharacters Check = CheckCharacters::Good;
  int Chunk = 0;
  int DelayMs = 0;
  int TimeoutMs = 30000;
  std::vector<std::string> SendOnly;  // options given that only "send" takes
  bool TimeoutGiven = false;
  bool Help = false;
};

DeviceOptions ParseDeviceOptions(const std::vector<std::string>& args) {
  DeviceOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> inlineValue;
    if (const size_t equals = name.find('=');
        name.rfind("--", 0) == 0 && equals != std::string::npos) {
      inlineValue = name.substr(equals + 1);
      name.erase(equals);
    }
    auto value = [&]() -> std::string {
      if (inlineValue) return *inlineValue;
      if (i + 1 >= args.size()) throw UsageError{name + " needs a value"};
      return args[++i];
    };
    const bool isFlag = name == "--fast" || name == "--help" || name == "-h";
    if (isFlag && inlineValue) throw UsageError{name + " takes no value"};
    if (name == "--help" || name == "-h") {
      o.Help = true;
    } else if (name == "--port") {
      o.Port = value();
    } else if (name == "--fast") {
      o.Fast = true;
      o.SendOnly.push_back(name);
    } else if (name == "--checksum") {
      const std::string check = value();
      if (check == "good") {
        o.Check = CheckCharacters::Good;
      } else if (check == "bad") {
        o.Check = CheckCharacters::Bad;
      } else if (check == "none") {
        o.Check = CheckCharacters::None;
      } else {
        throw UsageError{"--checksum must be good, bad or none, not '" + check + "'"};
      }
      o.SendOnly.push_back(name);
    } else if (name == "--chunk") {
      o.Chunk = ParseCount(name, value(), 1);
      o.SendOnly.push_back(name);
    } else if (name == "--delay") {
      o.DelayMs = ParseCount(name, value(), 0);
      o.SendOnly.push_back(name);
    } else if (name == "--timeout") {
      o.TimeoutMs = ParseCount(name, value(), 1);
      o.TimeoutGiven = true;
    } else if (name.size() > 1 && name[0] == '-') {
      throw UsageError{"unknown option '" + name + "'"};
    } else {
      o.Words.push_back(name);
    }
  }
  return o;
}

bool ReadWholeFile(const std::string& fileName, std::string& data) {
  std::error_code error;
  if (std::filesystem::is_directory(fileName, error)) return false;
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return false;
  std::ostringstream content;
  content << file.rdbuf();
  data = content.str();
  // An empty file sets failbit on the copy; only a read error sets badbit.
  return !file.bad();
}

int Send(const DeviceOptions& o, std::ostream& out, std::ostream& err) {
  const std::string& fileName = o.Words[1];
  std::string data;
  if (!ReadWholeFile(fileName, data)) {
    err << "voltan-sim device: cannot read " << fileName << "\n";
    return ExitFailed;
  }
  if (const size_t at = FirstUnframableByte(data); at != std::string::npos) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(data[at]));
    err << "voltan-sim device: " << fileName << " holds the byte " << code << " at offset " << at
        << "; STX, ETX and SYN cannot be sent inside a block\n";
    return ExitFailed;
  }

  SerialLine line;
  std::string error = line.Open(o.Port, 9600);
  if (error.empty() && o.Fast) {
    error = line.Write(std::string_view(&Syn, 1));
    if (error.empty()) {
      std::this_thread::sleep_for(SynPause);
      error = line.SetBaud(38400);
    }
  }
  const std::string block = DeviceBlock(data, o.Check);
  if (error.empty()) {
    error = line.Write(block, static_cast<size_t>(o.Chunk), std::chrono::milliseconds(o.DelayMs));
  }
  if (!error.empty()) {
    err << "voltan-sim device: " << error << "\n";
    return ExitFailed;
  }
  out << "sent " << data.size() << " data bytes at " << (o.Fast ? 38400 : 9600)
      << " baud, check characters " << EscapeBytes(block.substr(block.size() - 2)) << "\n";
  return ExitOk;
}

int ReceiveSetup(const DeviceOptions& o, std::ostream& out, std::ostream& err) {
  SerialLine line;
  if (std::string error = line.Open(o.Port, 9600); !error.empty()) {
    err << "voltan-sim device: " << error << "\n";
    return ExitFailed;
  }
  // Longer than the frame of the largest engine: the ETX is missing.
  const size_t longest = zephirax::SetupFrameSize(20);
  std::string frame;
  std::string reason;
  for (;;) {
    std::string bytes;
    if (std::string error = line.Read(bytes, 4096, std::chrono::milliseconds(o.TimeoutMs));
        !error.empty()) {
      reason = error;
      break;
    }
    if (bytes.empty()) {
      reason = "no byte for " + std::to_string(o.TimeoutMs) + " ms";
      break;
    }
    for (const char b : bytes) {
      if (frame.empty() && b != Stx) continue;
      frame.push_back(b);
      if (b == Etx || frame.size() > longest) break;
    }
    if (!frame.empty() && (frame.back() == Etx || frame.size() > longest)) break;
  }
  if (frame.empty()) {
    err << "voltan-sim device: no setup frame: " << reason << "\n";
    return ExitFailed;
  }
  if (frame.back() != Etx) {
    reason = frame.size() > longest ? "no ETX within " + std::to_string(longest) + " bytes"
                                    : "incomplete: " + reason;
  } else {
    reason = CheckSetupFrame(frame);
  }
  out << "frame: " << EscapeBytes(frame) << "\n"
      << "bytes: " << frame.size() << "\n"
      << "valid: " << (reason.empty() ? "yes" : "no (" + reason + ")") << "\n";
  return reason.empty() ? ExitOk : ExitFailed;
}

// The signal handler's only way to wake the relay's poll().
int signalPipe[2] = {-1, -1};

void WakeRelay(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

// Bytes read from one master and not yet taken by the other.
struct Direction {
  int From;
  std::string Pending;
};

// Reading stops while this much waits, so that a stalled reader holds the
// writer back instead of filling memory.
constexpr size_t PendingLimit = 1 << 16;

std::string Relay(Direction& forward, Direction& backward, bool untilEof) {
  for (;;) {
    std::array<pollfd, 4> fds{};
    fds[0] = {signalPipe[0], POLLIN, 0};
    fds[1] = {untilEof ? STDIN_FILENO : -1, POLLIN, 0};
    Direction* directions[2] = {&forward, &backward};
    for (int d = 0; d < 2; ++d) {
      // One pollfd per master: a master is the source of one direction and
      // the target of the other.
      const Direction& self = *directions[d];
      const Direction& other = *directions[1 - d];
      short events = 0;
      if (self.Pending.size() < PendingLimit) events |= POLLIN;
      if (!other.Pending.empty()) events |= POLLOUT;
      fds[2 + d] = {self.From, events, 0};
    }
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return std::string("poll failed: ") + std::strerror(errno);
    }
    if (fds[0].revents != 0) return {};
    if (fds[1].revents != 0) {
      char buffer[256];
      const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
      if (count <= 0 && !(count < 0 && errno == EINTR)) return {};
    }
    for (int d = 0; d < 2; ++d) {
      Direction& self = *directions[d];
      Direction& other = *directions[1 - d];
      const short revents = fds[2 + d].revents;
      if (revents & POLLIN) {
        char buffer[4096];
        const ssize_t count = ::read(self.From, buffer, sizeof buffer);
        if (count > 0) {
          self.Pending.append(buffer, static_cast<size_t>(count));
        } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
          return std::string("read failed: ") + std::strerror(errno);
        }
      } else if (revents & (POLLHUP | POLLERR | POLLNVAL)) {
        // The relay holds both slaves open, so this is not a reader going away.
        return "a pseudo-terminal failed";
      }
      if ((revents & POLLOUT) && !other.Pending.empty()) {
        const ssize_t count = ::write(self.From, other.Pending.data(), other.Pending.size());
        if (count > 0) {
          other.Pending.erase(0, static_cast<size_t>(count));
        } else if (count < 0 && errno != EAGAIN && errno != EINTR) {
          return std::string("write failed: ") + std::strerror(errno);
        }
      }
    }
  }
}

}  // namespace

std::string DeviceBlock(std::string_view data, CheckCharacters check) {
  unsigned sum = 0;
  for (const char b : data) sum += static_cast<unsigned char>(b);
  std::string block;
  block.reserve(data.size() + 4);
  block.push_back(Stx);
  block.append(data);
  block.push_back(Etx);
  if (check == CheckCharacters::None) {
    block += "\x10\x13";
  } else {
    // A wrong pair is still two hex digits, so only the sum gives it away.
    const unsigned value = (check == CheckCharacters::Good ? sum : sum + 1) % 256;
    constexpr char digits[] = "0123456789ABCDEF";
    block.push_back(digits[value / 16]);
    block.push_back(digits[value % 16]);
  }
  return block;
}

size_t FirstUnframableByte(std::string_view data) {
  return data.find_first_of(std::string_view("\x02\x03\x16", 3));
}

std::string CheckSetupFrame(std::string_view frame) {
  if (frame.empty() || frame.front() != Stx) return "does not start with STX";
  if (frame.back() != Etx) return "does not end with ETX";
  const std::optional<zephirax::EngineSetup> setup = zephirax::ParseSetupFrame(frame);
  if (!setup) return "the fields do not convert";
  const int n = setup->CylCount;
  if (frame.size() != zephirax::SetupFrameSize(n)) {
    return std::to_string(frame.size()) + " bytes where " + std::to_string(n) + " cylinders make " +
           std::to_string(zephirax::SetupFrameSize(n));
  }
  std::vector<size_t> widths = {2, 2, 1, 1, 1, 6};
  widths.insert(widths.end(), static_cast<size_t>(n), 2);
  widths.insert(widths.end(), {5, 4, 4, 4});
  widths.insert(widths.end(), static_cast<size_t>(n), 5);
  widths.insert(widths.end(), {4, 4, 1, 1, 1});
  size_t at = 1;
  for (size_t f = 0; f < widths.size(); ++f) {
    for (size_t i = at; i < at + widths[f]; ++i) {
      if (frame[i] < 0x20 || frame[i] > 0x7E || frame[i] == ';')
        return "field " + std::to_string(f + 1) + " holds an unexpected byte at offset " +
               std::to_string(i);
    }
    at += widths[f];
    if (frame[at] != ';') return "no ';' after field " + std::to_string(f + 1);
    ++at;
  }
  return {};
}

std::string EscapeBytes(std::string_view bytes) {
  std::string text;
  for (const char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    if (b == '\\') {
      text += "\\\\";
    } else if (u >= 0x20 && u <= 0x7E) {
      text.push_back(b);
    } else {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", u);
      text += code;
    }
  }
  return text;
}

int DeviceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    const DeviceOptions o = ParseDeviceOptions(args);
    if (o.Help) {
      out << DeviceUsage;
      return ExitOk;
    }
    if (o.Port.empty()) throw UsageError{"no port given (--port PATH)"};
    if (o.Words.empty()) throw UsageError{"say what to do: send FILE or receive-setup"};
    const std::string& action = o.Words[0];
    if (action == "send") {
      if (o.Words.size() != 2) throw UsageError{"send takes one FILE"};
      if (o.TimeoutGiven) throw UsageError{"--timeout goes only with receive-setup"};
      return Send(o, out, err);
    }
    if (action == "receive-setup") {
      if (o.Words.size() != 1) throw UsageError{"receive-setup takes no file"};
      if (!o.SendOnly.empty()) throw UsageError{o.SendOnly.front() + " goes only with send"};
      return ReceiveSetup(o, out, err);
    }
    throw UsageError{"unknown action '" + action + "': send FILE or receive-setup"};
  } catch (const UsageError& e) {
    return ReportUsage("device", e, err);
  }
}

int PtyCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool untilEof = false;
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      out << PtyUsage;
      return ExitOk;
    }
    if (arg != "--until-eof")
      return ReportUsage("pty", UsageError{"unknown option '" + arg + "'"}, err);
    untilEof = true;
  }

  std::string error;
  std::optional<PseudoTerminal> a = OpenPseudoTerminal(error);
  std::optional<PseudoTerminal> b = a ? OpenPseudoTerminal(error) : std::nullopt;
  if (!a || !b || pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    err << "voltan-sim pty: " << (error.empty() ? std::strerror(errno) : error) << "\n";
    return ExitFailed;
  }
  for (const int master : {a->Master, b->Master})
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

  struct sigaction wake {};
  wake.sa_handler = WakeRelay;
  sigemptyset(&wake.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &wake, nullptr);
  ::signal(SIGPIPE, SIG_IGN);

  out << "a " << a->SlavePath << "\nb " << b->SlavePath << "\n" << std::flush;

  Direction forward{a->Master, {}};
  Direction backward{b->Master, {}};
  error = Relay(forward, backward, untilEof);
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
  if (!error.empty()) {
    err << "voltan-sim pty: " << error << "\n";
    return ExitFailed;
  }
  return ExitOk;
}

}  // namespace voltansim
