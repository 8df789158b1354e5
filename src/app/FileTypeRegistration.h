#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ToolRunner.h"

// Registering the measurement files with the desktop, so that opening a
// ".KV" or ".KS" file starts the program on it: a shared-mime-info package
// with one MIME type per extension, a desktop entry for the program that
// takes one file, both in the user's data folder; the desktop's databases
// brought up to date by their own tools where these are installed; and the
// program made the default application of both types.

namespace zephirax {

struct MeasurementFileType {
  const char* Extension;    // ".KV"
  const char* MimeType;     // "application/x-voltan-kv"
  const char* Description;  // what file managers call such a file
};

inline constexpr std::array<MeasurementFileType, 2> MeasurementFileTypes = {{
    {".KV", "application/x-voltan-kv", "VOLTAN KV measurement file"},
    {".KS", "application/x-voltan-ks", "VOLTAN KS measurement file"},
}};

// The desktop entry's name is the desktop program's own name, which is also
// its window class: the desktop matches the two to show the program's icon
// and group its windows.
inline constexpr const char* DesktopFileName = "zephirax.desktop";
inline constexpr const char* MimePackageFileName = "voltan-zephirax.xml";
// The desktop program as installed on the search path, and its icon's name
// in the icon theme.
inline constexpr const char* InstalledProgramName = "zephirax";
inline constexpr const char* IconName = "zephirax";

// Where one registration goes.
struct RegistrationTarget {
  std::string DataHome;     // the user's data folder ($XDG_DATA_HOME)
  std::string ConfigHome;   // the user's settings folder ($XDG_CONFIG_HOME)
  std::string ProgramPath;  // the desktop program, absolute
};

// The user's folders by the base-directory convention: $XDG_DATA_HOME and
// $XDG_CONFIG_HOME when set to absolute paths, else ~/.local/share and
// ~/.config; empty when there is no home folder either.
RegistrationTarget UserRegistrationTarget(const std::string& programPath);

std::string MimePackagePath(const RegistrationTarget& target);   // .../mime/packages/...
std::string DesktopEntryPath(const RegistrationTarget& target);  // .../applications/...

// The shared-mime-info package: both types with upper- and lower-case globs.
std::string MimePackageXml();

// The program path as the first word of a desktop entry's Exec key: quoted
// and escaped where it needs to be. No value for a path a desktop entry
// cannot carry: relative, not UTF-8, or with control characters.
std::optional<std::string> DesktopExecProgram(const std::string& programPath);

// The desktop entry of the program, which opens one file (%f); no value as
// for DesktopExecProgram.
std::optional<std::string> DesktopEntryText(const std::string& programPath);

// The same entry for the installed program, started by its name.
std::string InstalledDesktopEntryText();

// `mimeApps` (a mimeapps.list) with `desktopFile` as the default application
// of `mimeType`; every other line stays as it was.
std::string WithDefaultApplication(std::string_view mimeApps, std::string_view mimeType,
                                   std::string_view desktopFile);

enum class RegistrationStep {
  FindFolders,            // no data folder
  ProgramPath,            // the program path cannot stand in a desktop entry
  WriteMimePackage,       // Subject: the file
  WriteDesktopEntry,      // Subject: the file
  UpdateMimeDatabase,     // update-mime-database failed
  UpdateDesktopDatabase,  // update-desktop-database failed
  SetDefault,             // Subject: the extension; xdg-mime or mimeapps.list failed
};

struct RegistrationFault {
  RegistrationStep Step = RegistrationStep::FindFolders;
  std::string Subject;
  std::string Detail;  // the tool's own words, its exit status, or empty
};

// What a registration did, step by step, for the caller to tell.
struct RegistrationEvent {
  enum class Kind {
    Wrote,       // Subject: a file
    Ran,         // Subject: a command line, for reading only
    Skipped,     // Subject: a tool that is not installed
    Registered,  // Subject: an extension, now opened by the program
  };
  Kind What = Kind::Wrote;
  std::string Subject;
};

using RegistrationReport = std::function<void(const RegistrationEvent&)>;

// Registers both file types for the program at `target`; stops at the first
// step that fails and says which. Each extension is reported Registered as
// soon as the program is its default application, ".KV" first.
std::optional<RegistrationFault> RegisterFileTypes(const RegistrationTarget& target,
                                                   ToolRunner& tools,
                                                   const RegistrationReport& report);

// What the user is told of a failed registration, in `language`.
std::string RegistrationFaultMessage(const RegistrationFault& fault, int language);

// What the user is told when `extension` (".KV", ".KS") opens in the program.
std::string RegisteredMessage(const std::string& extension, int language);

}  // namespace zephirax
