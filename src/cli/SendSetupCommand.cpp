#include "cli/SendSetupCommand.h"
#include "cli/Arguments.h"

#include "cli/ApplicationScope.h"
#include "devicelink/LinkMessages.h"
#include "devicelink/QtSerialDevice.h"
#include "setup/EngineSetup.h"
#include "setup/SetupTransmission.h"

namespace zephirax {

const char* const SendSetupUsage =
    "Usage: zephirax-cli send-setup SETUPFILE --device PATH\n"
    "\n"
    "Sends the setup file's frame to the device on PATH at 9600 baud, byte by\n"
    "byte, as the transmit dialog does. Progress goes to stderr.\n";

int SendSetupCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string fileName;
  std::string device;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--device" && i + 1 < args.size()) {
      device = args[++i];
    } else if (fileName.empty() && !args[i].starts_with("--")) {
      fileName = args[i];
    } else {
      return UsageError(err, "unexpected argument '" + args[i] + "'", SendSetupUsage);
    }
  }
  if (fileName.empty() || device.empty()) {
    return UsageError(err, "send-setup needs a setup file and --device", SendSetupUsage);
  }
  const std::optional<EngineSetup> setup = ParseSetupFile(fileName);
  if (!setup) {
    err << NotSetupFileText(1) << "\n";
    return 1;
  }
  const std::optional<std::string> frame = SetupFrame(*setup, FrameUse::Line);
  if (!frame) {
    err << "The setup cannot be sent: a value does not fit its field.\n";
    return 1;
  }
  ApplicationScope application(false);
  QtSerialDevice port;
  SerialLink link;
  link.Device = &port;
  link.DeviceOverride = device;
  link.BaudRate = 9600;
  OpenSelectedPort(link);
  if (!link.PortOpen) {
    err << PortOpenErrorMessage(English, link) << "\n";
    return 1;
  }
  SendSetupHooks hooks;
  hooks.Gauge = [&err](int value) { err << "\rsent " << value << (value == 100 ? "\n" : ""); };
  if (!SendSetup(link, *frame, hooks)) {
    err << "\n" << LinkFailedMessage(English, link, /*incomplete=*/false) << "\n";
    return 1;
  }
  out << frame->size() << " bytes sent to " << device << "\n";
  return 0;
}

}  // namespace zephirax
