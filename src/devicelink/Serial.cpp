#include "devicelink/Serial.h"

namespace zephirax {

namespace {

bool Usable(const SerialLink& link, int32_t handle) {
  return handle != InvalidHandle && link.Device != nullptr;
}

}  // namespace

std::string PortDevicePath(int32_t portIndex, const std::string& deviceOverride) {
  if (!deviceOverride.empty()) return deviceOverride;
  return "/dev/ttyS" + std::to_string(portIndex);
}

int32_t OpenComPort(SerialLink& link, int32_t portIndex, int32_t inQueue, int32_t outQueue) {
  // The platform sizes its own queues; only the input size is kept, for the
  // callers that read in chunks of it.
  (void)outQueue;
  link.InputQueueSize = inQueue;
  link.OpenTries = 0;
  const std::string path = PortDevicePath(portIndex, link.DeviceOverride);
  link.DevicePath = path;
  if (link.Device == nullptr) return InvalidHandle;
  // A port that was just released (or a USB adapter settling) may refuse the
  // first attempt, so a few are made back to back before giving up.
  while (link.OpenTries < OpenAttempts) {
    ++link.OpenTries;
    if (link.Device->Open(path)) return 0;
  }
  return InvalidHandle;
}

bool SetComParameters(SerialLink& link, int32_t handle, int32_t baud, int16_t dataBits,
                      int16_t parity, int16_t stopBits, uint8_t noErrorReplacement,
                      uint8_t handshake) {
  // Bytes with parity errors are always passed on unchanged by the platform.
  (void)noErrorReplacement;
  if (!Usable(link, handle)) return false;
  return link.Device->Configure(baud, dataBits, parity, stopBits, handshake);
}

int64_t WriteComPort(SerialLink& link, int32_t handle, const uint8_t* data, int32_t count) {
  if (!Usable(link, handle) || data == nullptr || count <= 0) return 0;
  return link.Device->Write(data, count);
}

int32_t ReadComPort(SerialLink& link, int32_t handle, uint8_t* buffer, int32_t count) {
  if (!Usable(link, handle) || buffer == nullptr || count <= 0) return 0;
  const int32_t got = link.Device->Read(buffer, count);
  return got < 0 ? 0 : got;
}

int32_t ComQueueCount(SerialLink& link, int32_t handle, bool outputQueue) {
  if (!Usable(link, handle)) return 0;
  const int32_t waiting = link.Device->QueueCount(outputQueue);
  return waiting < 0 ? 0 : waiting;
}

void CloseComPort(SerialLink& link, int32_t handle) {
  if (!Usable(link, handle)) return;
  link.Device->Close();
}

void OpenSelectedPort(SerialLink& link) {
  if (link.PortOpen) CloseComPort(link, link.ComHandle);
  link.PortOpen = false;
  link.ComHandle = InvalidHandle;
  link.Fault = {};

  // Without a configured device only COM1..COM12 exist.
  if (link.DeviceOverride.empty() && (link.ComPort < 1 || link.ComPort > 12)) {
    link.DevicePath = "COM" + std::to_string(link.ComPort);
    link.Fault = {DeviceFault::Kind::System, "there is no such port", ""};
    return;
  }

  PortSettings& s = link.Settings;
  s.Active = 1;
  s.PortIndex = link.ComPort - 1;
  s.BaudRate = link.BaudRate;
  s.DataBits = 8;
  s.Parity = 0;
  s.StopBits = 0;
  s.NoErrorReplacement = 1;
  s.Handshake = 0;

  link.ComHandle = OpenComPort(link, s.PortIndex, ReceiveQueueSize, SendQueueSize);
  if (link.ComHandle != InvalidHandle &&
      SetComParameters(link, link.ComHandle, s.BaudRate, s.DataBits, s.Parity, s.StopBits,
                       s.NoErrorReplacement, s.Handshake)) {
    link.PortOpen = true;
    return;
  }
  if (link.Device != nullptr) link.Fault = link.Device->OpenFault();
  if (link.ComHandle != InvalidHandle) CloseComPort(link, link.ComHandle);
  link.ComHandle = InvalidHandle;
}

bool CloseIfFailed(SerialLink& link) {
  if (!link.PortOpen || link.Device == nullptr) return false;
  const DeviceFault failure = link.Device->Failure();
  if (failure.What == DeviceFault::Kind::None) return false;
  CloseLink(link);
  link.Fault = failure;
  return true;
}

void CloseLink(SerialLink& link) {
  if (!link.PortOpen) return;
  CloseComPort(link, link.ComHandle);
  link.ComHandle = InvalidHandle;
  link.PortOpen = false;
}

}  // namespace zephirax
