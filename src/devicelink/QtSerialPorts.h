#pragma once

#include <functional>
#include <vector>

#include "devicelink/SerialPorts.h"

namespace zephirax {

// Lists the serial ports a choice offers; tests hand in a fixed list.
using PortLister = std::function<std::vector<SerialPortInfo>()>;

// The serial ports of this machine as Qt's serial port sees them, each with
// the adapter's own name where it gives one ("FT232R USB UART").
std::vector<SerialPortInfo> MachineSerialPorts();

}  // namespace zephirax
