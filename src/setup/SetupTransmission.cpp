#include "setup/SetupTransmission.h"

#include <cerrno>
#include <cstring>
#include <thread>

namespace zephirax {

namespace {

constexpr char Stx = 0x02;

}  // namespace

bool SendSetup(SerialLink& link, std::string_view frame, const SendSetupHooks& hooks) {
  int counter = 1;
  for (const char c : frame) {
    const auto byte = static_cast<uint8_t>(c);
    if (WriteComPort(link, link.ComHandle, &byte, 1) != 1) {
      // The device's own account of the failure when it has one.
      if (!CloseIfFailed(link)) {
        CloseLink(link);
        link.Fault = {DeviceFault::Kind::System, std::strerror(EIO), ""};
      }
      return false;
    }
    if (c == Stx || c == ';') {
      if (hooks.Gauge) hooks.Gauge(counter);
      ++counter;
    }
    if (hooks.BytePause) {
      hooks.BytePause();
    } else {
      std::this_thread::sleep_for(BytePauseTime);
    }
  }
  if (hooks.Gauge) hooks.Gauge(100);
  CloseLink(link);
  return true;
}

}  // namespace zephirax
