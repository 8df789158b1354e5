#include "cli/DesktopCommands.h"

#include <algorithm>
#include <filesystem>

#include "app/Config.h"
#include "app/FileTypeRegistration.h"
#include "app/OptionsTexts.h"
#include "cli/ApplicationScope.h"
#include "cli/Arguments.h"
#include "devicelink/QtSerialPorts.h"
#include "platform/Paths.h"
#include "platform/QtToolRunner.h"

namespace zephirax {
namespace {

// The desktop program, installed beside this one.
std::string DesktopProgramPath() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "";
  return (self.parent_path() / "zephirax").string();
}

}  // namespace

int RegisterCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  for (size_t k = 1; k < args.size(); ++k) {
    // Registering is always for the user: the system's folders belong to
    // the package manager.
    if (args[k] != "--user") {
      return UsageError(err, "unexpected argument '" + args[k] + "'",
                        "Usage: zephirax-cli register [--user]\n");
    }
  }
  const std::string program = DesktopProgramPath();
  std::error_code error;
  if (program.empty() || !std::filesystem::is_regular_file(program, error)) {
    err << "zephirax-cli: the desktop program is not beside zephirax-cli"
        << (program.empty() ? "" : " (" + program + ")") << '\n';
    return 1;
  }
  ApplicationScope application(false);
  QtToolRunner tools;
  const std::optional<RegistrationFault> fault = RegisterFileTypes(
      UserRegistrationTarget(program), tools, [&out](const RegistrationEvent& event) {
        switch (event.What) {
          case RegistrationEvent::Kind::Wrote:
            out << "wrote " << event.Subject << '\n';
            break;
          case RegistrationEvent::Kind::Ran:
            out << "ran " << event.Subject << '\n';
            break;
          case RegistrationEvent::Kind::Skipped:
            out << "skipped " << event.Subject << ": not installed\n";
            break;
          case RegistrationEvent::Kind::Registered:
            out << RegisteredMessage(event.Subject, English) << '\n';
            break;
        }
      });
  if (fault) {
    PrintError(err, RegistrationFaultMessage(*fault, English));
    return 1;
  }
  return 0;
}

int PortsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() > 1) {
    return UsageError(err, "ports takes no arguments", "Usage: zephirax-cli ports\n");
  }
  Settings settings;
  ReadConfig(settings, AppDataDir());
  ApplicationScope application(false);
  for (const PortChoice& port : PortChoices(MachineSerialPorts(), settings.Device)) {
    out << port.Path << '\t' << (port.Present ? port.Description : Tr(PortAbsentText, English))
        << '\n';
  }
  return 0;
}

}  // namespace zephirax
