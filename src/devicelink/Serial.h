#pragma once

#include <cstdint>
#include <string>

// The program's thin serial layer. The device speaks 8 data bits, no parity,
// one stop bit, no handshake, at 9600 or 38400 baud. The port is open only
// during one exchange. The platform's part (opening a device path, applying
// the line settings, reading and writing) sits behind SerialDevice, so the
// receiver and the setup transmission can be tested without hardware.

namespace zephirax {

// Parameters of the last opening, in the order the line settings are applied.
struct PortSettings {
  uint8_t Active = 0;
  int32_t PortIndex = 0;  // 0 = COM1 ... 11 = COM12
  int32_t BaudRate = 9600;
  int16_t DataBits = 8;
  int16_t Parity = 0;    // 0 none; above 0 parity checking on
  int16_t StopBits = 0;  // 0 = one stop bit
  uint8_t NoErrorReplacement = 1;
  uint8_t Handshake = 0;  // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 DTR/DSR
};

// Why a device could not be opened, or stopped working during an exchange.
struct DeviceFault {
  enum class Kind { None, System, HungUp };
  Kind What = Kind::None;
  std::string Reason;       // with System: the system's own words
  std::string DeniedGroup;  // access was refused: the group that owns the device
};

// One serial device of the platform.
class SerialDevice {
 public:
  virtual ~SerialDevice() = default;
  // One attempt to open `path` for reading and writing, exclusively.
  virtual bool Open(const std::string& path) = 0;
  virtual bool IsOpen() const = 0;
  // Applies the line settings; false when the platform refuses them.
  virtual bool Configure(int32_t baud, int16_t dataBits, int16_t parity, int16_t stopBits,
                         uint8_t handshake) = 0;
  // Bytes written, negated when the platform reports a failure.
  virtual int64_t Write(const uint8_t* data, int32_t count) = 0;
  // Reads at most `count` bytes that are already waiting.
  virtual int32_t Read(uint8_t* buffer, int32_t count) = 0;
  // Bytes waiting to be read (or, with `output`, still to be sent); clears
  // the port's error state.
  virtual int32_t QueueCount(bool output) = 0;
  // Blocks until bytes are waiting or `milliseconds` have passed, without
  // using the processor; true when bytes are waiting. Returns at once once
  // the device has failed.
  virtual bool WaitForInput(int milliseconds) = 0;
  virtual void Close() = 0;
  // Why the last Open (or Configure) failed.
  virtual DeviceFault OpenFault() const = 0;
  // Why the open device stopped working (it hung up, was removed, or a read
  // failed); Kind::None while it works. Kept after Close, cleared by Open.
  virtual DeviceFault Failure() const = 0;
};

inline constexpr int32_t InvalidHandle = -1;
inline constexpr int32_t ReceiveQueueSize = 128000;
inline constexpr int32_t SendQueueSize = 512;
inline constexpr int OpenAttempts = 10;

// The process-wide link state.
struct SerialLink {
  SerialDevice* Device = nullptr;  // the platform's device; not owned
  int32_t ComPort = 1;             // 1..12
  uint16_t BaudRate = 9600;
  std::string DeviceOverride;  // "Device" of section "Ports": used instead of ComPort when set
  int32_t ComHandle = InvalidHandle;
  bool PortOpen = false;
  PortSettings Settings;
  int32_t InputQueueSize = 0;
  int OpenTries = 0;       // attempts of the last OpenComPort
  std::string DevicePath;  // the path the last OpenComPort tried
  DeviceFault Fault;       // why the port could not be opened, or failed later
};

// The device path of a port: the configured device when set, otherwise
// COM1..COM12 as /dev/ttyS0../dev/ttyS11.
std::string PortDevicePath(int32_t portIndex, const std::string& deviceOverride);

int32_t OpenComPort(SerialLink& link, int32_t portIndex, int32_t inQueue, int32_t outQueue);
bool SetComParameters(SerialLink& link, int32_t handle, int32_t baud, int16_t dataBits,
                      int16_t parity, int16_t stopBits, uint8_t noErrorReplacement,
                      uint8_t handshake);
int64_t WriteComPort(SerialLink& link, int32_t handle, const uint8_t* data, int32_t count);
int32_t ReadComPort(SerialLink& link, int32_t handle, uint8_t* buffer, int32_t count);
int32_t ComQueueCount(SerialLink& link, int32_t handle, bool outputQueue);
void CloseComPort(SerialLink& link, int32_t handle);

// Opens ComPort (or the configured device) at BaudRate with the fixed line
// settings; PortOpen tells whether it worked, Fault why not. An open port is
// closed first.
void OpenSelectedPort(SerialLink& link);
// When the open port's device has failed: records why in Fault, closes the
// port and returns true.
bool CloseIfFailed(SerialLink& link);
// Closes the port when it is open.
void CloseLink(SerialLink& link);

}  // namespace zephirax
