#include "setup/SetupTransmission.h"

#include <thread>

namespace zephirax {

namespace {

constexpr char Stx = 0x02;

}  // namespace

void SendSetup(SerialLink& link, std::string_view frame, const SendSetupHooks& hooks) {
  int counter = 1;
  for (const char c : frame) {
    const auto byte = static_cast<uint8_t>(c);
    WriteComPort(link, link.ComHandle, &byte, 1);
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
}

}  // namespace zephirax
