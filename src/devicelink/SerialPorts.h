#pragma once

#include <string>
#include <vector>

// The serial ports a user can choose for the device: the machine's ports as
// the platform lists them, and the configured one even when it has gone (a
// USB adapter unplugged), so that the choice on screen is never silently
// another than the one in the configuration.

namespace zephirax {

// One port the platform lists.
struct SerialPortInfo {
  std::string Path;         // "/dev/ttyUSB0"
  std::string Description;  // "FT232R USB UART"; may be empty
};

// One entry of the choice.
struct PortChoice {
  std::string Path;
  std::string Description;
  bool Present = true;  // false: configured, but not on the machine now
};

// The listed ports ordered by path (numbers in names by value: ttyS2 before
// ttyS10), each path once; then `stored` when it is set and not among them.
// A stored path the platform does not list but that exists (a link under
// /dev/serial/by-id, a pseudo-terminal) counts as present.
std::vector<PortChoice> PortChoices(const std::vector<SerialPortInfo>& listed,
                                    const std::string& stored);

}  // namespace zephirax
