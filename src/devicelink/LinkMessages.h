#pragma once

#include <string>

#include "devicelink/Serial.h"

// What the user is told when a serial device cannot be opened or fails in the
// middle of an exchange, in the four program languages: the device's path
// and the reason, with a way out where there is one.

namespace zephirax {

// "Could not open /dev/ttyUSB0", the reason on the next line and, when access
// was refused, which group the user must belong to.
std::string PortOpenErrorMessage(int language, const SerialLink& link);

// "The connection to /dev/ttyUSB0 failed: REASON." When `incomplete`, a
// second line says that nothing of the transfer was saved.
std::string LinkFailedMessage(int language, const SerialLink& link, bool incomplete);

}  // namespace zephirax
