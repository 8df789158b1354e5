#include "app/FileTypeRegistration.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

#include "app/OptionsTexts.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

namespace zephirax {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// An absolute $name, else $HOME + fallback, else empty.
std::string BaseDir(const char* name, const char* fallback) {
  const std::string xdg = Env(name);
  if (!xdg.empty() && xdg.front() == '/') return xdg;
  const std::string home = Env("HOME");
  return home.empty() ? "" : home + fallback;
}

bool ValidUtf8(std::string_view text) {
  size_t k = 0;
  while (k < text.size()) {
    const auto lead = static_cast<unsigned char>(text[k]);
    size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
      ++k;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      min = 0x10000;
    } else {
      return false;
    }
    if (k + length > text.size()) return false;
    char32_t code = lead & (0x7F >> length);
    for (size_t j = 1; j < length; ++j) {
      const auto next = static_cast<unsigned char>(text[k + j]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    k += length;
  }
  return true;
}

// The characters that make a desktop entry's Exec argument need quotes.
constexpr std::string_view ReservedInExec = " \t\n\"'\\><~|&;$*?#()`";

std::string WithoutCr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return std::string(line);
}

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Far more than any list of the desktop's holds.
constexpr size_t MaxListSize = 16 << 20;

std::optional<std::string> ReadWhole(const std::string& path) {
  RegularFileRead read = ReadRegularFile(path, MaxListSize);
  if (!read) return std::nullopt;
  return std::move(read.Bytes);
}

// The last line a tool wrote that says something: usually why it failed.
std::string LastLine(const std::string& output) {
  size_t end = output.find_last_not_of(" \t\r\n");
  if (end == std::string::npos) return "";
  const size_t start = output.rfind('\n', end);
  return output.substr(start == std::string::npos ? 0 : start + 1,
                       end - (start == std::string::npos ? 0 : start + 1) + 1);
}

enum class ToolResult { Absent, Succeeded, Failed };

// Runs one of the desktop's tools; when it fails, `detail` gets its exit
// status and its last words.
ToolResult RunTool(ToolRunner& tools, const std::string& program,
                   const std::vector<std::string>& args, std::string& detail) {
  const std::optional<ToolOutcome> outcome = tools.Run(program, args);
  if (!outcome) return ToolResult::Absent;
  if (outcome->Finished && outcome->ExitCode == 0) return ToolResult::Succeeded;
  detail = program;
  if (outcome->Finished) detail += ": exit status " + std::to_string(outcome->ExitCode);
  const std::string said = LastLine(outcome->Output);
  if (!said.empty()) detail += ": " + said;
  return ToolResult::Failed;
}

std::string CommandLine(const std::string& program, const std::vector<std::string>& args) {
  std::string command = program;
  for (const std::string& arg : args) command += " " + arg;
  return command;
}

// Brings one of the desktop's databases up to date with the folder it reads;
// a database whose tool is not installed is left to the desktop.
std::optional<RegistrationFault> UpdateDatabase(ToolRunner& tools, const RegistrationReport& report,
                                                RegistrationStep step, const std::string& program,
                                                const std::string& folder) {
  std::string detail;
  switch (RunTool(tools, program, {folder}, detail)) {
    case ToolResult::Absent:
      report({RegistrationEvent::Kind::Skipped, program});
      return std::nullopt;
    case ToolResult::Succeeded:
      report({RegistrationEvent::Kind::Ran, CommandLine(program, {folder})});
      return std::nullopt;
    case ToolResult::Failed:
      break;
  }
  return RegistrationFault{step, folder, detail};
}

// Makes the program the default application of `type`: through xdg-mime,
// which knows the desktop in use; without it in mimeapps.list of the user's
// settings folder, where xdg-mime puts it on a desktop of no particular kind
// and where every desktop looks first.
std::optional<RegistrationFault> SetDefault(const RegistrationTarget& target, ToolRunner& tools,
                                            const RegistrationReport& report,
                                            const MeasurementFileType& type) {
  const std::vector<std::string> args = {"default", DesktopFileName, type.MimeType};
  std::string detail;
  switch (RunTool(tools, "xdg-mime", args, detail)) {
    case ToolResult::Succeeded:
      report({RegistrationEvent::Kind::Ran, CommandLine("xdg-mime", args)});
      return std::nullopt;
    case ToolResult::Failed:
      return RegistrationFault{RegistrationStep::SetDefault, type.Extension, detail};
    case ToolResult::Absent:
      break;
  }
  const std::string list = target.ConfigHome + "/mimeapps.list";
  std::error_code error;
  const bool exists = std::filesystem::exists(list, error);
  const std::optional<std::string> old = ReadWhole(list);
  // A list that is there but cannot be read is not replaced: the user's
  // other choices would be lost.
  if (target.ConfigHome.empty() || (exists && !old) ||
      !ReplaceFileAtomically(
          list, WithDefaultApplication(old.value_or(""), type.MimeType, DesktopFileName))) {
    return RegistrationFault{RegistrationStep::SetDefault, type.Extension, list};
  }
  report({RegistrationEvent::Kind::Wrote, list});
  return std::nullopt;
}

// The desktop entry that starts `execProgram` (already fit for the Exec
// key) on one file.
std::string EntryText(const std::string& execProgram) {
  std::string mimeTypes;
  for (const MeasurementFileType& type : MeasurementFileTypes) {
    mimeTypes += std::string(type.MimeType) + ";";
  }
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=ZEPHIRAX\n"
         "GenericName=Cylinder pressure analysis\n"
         "GenericName[de]=Zylinderdruck-Analyse\n"
         "GenericName[fr]=Analyse de combustion\n"
         "GenericName[es]=Análisis de presión de combustión\n"
         "Comment=Evaluates VOLTAN cylinder-pressure measurements\n"
         "Exec=" +
         execProgram +
         " %f\n"
         "Icon=" +
         IconName +
         "\n"
         "Terminal=false\n"
         "StartupWMClass=" +
         InstalledProgramName +
         "\n"
         "MimeType=" +
         mimeTypes +
         "\n"
         "Categories=Science;Engineering;\n";
}

}  // namespace

RegistrationTarget UserRegistrationTarget(const std::string& programPath) {
  return {BaseDir("XDG_DATA_HOME", "/.local/share"), BaseDir("XDG_CONFIG_HOME", "/.config"),
          programPath};
}

std::string MimePackagePath(const RegistrationTarget& target) {
  return target.DataHome + "/mime/packages/" + MimePackageFileName;
}

std::string DesktopEntryPath(const RegistrationTarget& target) {
  return target.DataHome + "/applications/" + DesktopFileName;
}

std::string MimePackageXml() {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  for (const MeasurementFileType& type : MeasurementFileTypes) {
    const std::string upper = std::string("*") + type.Extension;
    std::string lower = upper;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    // Other programs claim these extensions too (".ks" is also a Java key
    // store); the higher weight makes a measurement file open here. The
    // device names its files in upper case, matched as such first; the
    // lower-case glob matches any case.
    xml += std::string("  <mime-type type=\"") + type.MimeType + "\">\n";
    xml += std::string("    <comment>") + type.Description + "</comment>\n";
    xml += "    <glob pattern=\"" + upper + "\" weight=\"60\" case-sensitive=\"true\"/>\n";
    xml += "    <glob pattern=\"" + lower + "\" weight=\"60\"/>\n";
    xml += "  </mime-type>\n";
  }
  return xml + "</mime-info>\n";
}

std::optional<std::string> DesktopExecProgram(const std::string& programPath) {
  if (programPath.empty() || programPath.front() != '/' || !ValidUtf8(programPath)) {
    return std::nullopt;
  }
  for (const char c : programPath) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
  }
  const bool quoted = programPath.find_first_of(ReservedInExec) != std::string::npos;
  // Inside quotes four characters take a backslash; then the key file's own
  // escaping doubles every backslash. A percent sign is a field code unless
  // doubled.
  std::string arg;
  for (const char c : programPath) {
    if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\')) arg += "\\\\";
    if (c == '%') arg += '%';
    arg += c == '\\' ? std::string("\\\\") : std::string(1, c);
  }
  return quoted ? "\"" + arg + "\"" : arg;
}

std::optional<std::string> DesktopEntryText(const std::string& programPath) {
  const std::optional<std::string> program = DesktopExecProgram(programPath);
  if (!program) return std::nullopt;
  return EntryText(*program);
}

std::string InstalledDesktopEntryText() {
  return EntryText(InstalledProgramName);
}

std::string WithDefaultApplication(std::string_view mimeApps, std::string_view mimeType,
                                   std::string_view desktopFile) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < mimeApps.size()) {
    const size_t end = std::min(mimeApps.find('\n', start), mimeApps.size());
    lines.emplace_back(mimeApps.substr(start, end - start));
    start = end + 1;
  }
  const std::string entry = std::string(mimeType) + "=" + std::string(desktopFile) + ";";
  constexpr std::string_view Section = "[Default Applications]";

  size_t header = lines.size();
  for (size_t k = 0; k < lines.size(); ++k) {
    if (Trim(WithoutCr(lines[k])) == Section) {
      header = k;
      break;
    }
  }
  if (header == lines.size()) {
    if (!lines.empty() && !Trim(WithoutCr(lines.back())).empty()) lines.emplace_back();
    lines.emplace_back(Section);
    lines.push_back(entry);
  } else {
    size_t insertAt = header + 1;  // after the section's last entry
    bool replaced = false;
    for (size_t k = header + 1; k < lines.size(); ++k) {
      const std::string line = WithoutCr(lines[k]);
      const std::string_view trimmed = Trim(line);
      if (!trimmed.empty() && trimmed.front() == '[') break;
      if (trimmed.empty()) continue;
      insertAt = k + 1;
      const size_t equals = line.find('=');
      if (equals != std::string::npos &&
          Trim(std::string_view(line).substr(0, equals)) == mimeType) {
        lines[k] = entry;
        replaced = true;
        break;
      }
    }
    if (!replaced) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
  }
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::optional<RegistrationFault> RegisterFileTypes(const RegistrationTarget& target,
                                                   ToolRunner& tools,
                                                   const RegistrationReport& report) {
  if (target.DataHome.empty()) return RegistrationFault{RegistrationStep::FindFolders, "", ""};
  const std::optional<std::string> desktopEntry = DesktopEntryText(target.ProgramPath);
  if (!desktopEntry) {
    return RegistrationFault{RegistrationStep::ProgramPath, target.ProgramPath, ""};
  }

  const std::string package = MimePackagePath(target);
  if (!ReplaceFileAtomically(package, MimePackageXml())) {
    return RegistrationFault{RegistrationStep::WriteMimePackage, package, ""};
  }
  report({RegistrationEvent::Kind::Wrote, package});
  const std::string entry = DesktopEntryPath(target);
  if (!ReplaceFileAtomically(entry, *desktopEntry)) {
    return RegistrationFault{RegistrationStep::WriteDesktopEntry, entry, ""};
  }
  report({RegistrationEvent::Kind::Wrote, entry});

  if (auto fault = UpdateDatabase(tools, report, RegistrationStep::UpdateMimeDatabase,
                                  "update-mime-database", target.DataHome + "/mime")) {
    return fault;
  }
  if (auto fault = UpdateDatabase(tools, report, RegistrationStep::UpdateDesktopDatabase,
                                  "update-desktop-database", target.DataHome + "/applications")) {
    return fault;
  }
  for (const MeasurementFileType& type : MeasurementFileTypes) {
    if (auto fault = SetDefault(target, tools, report, type)) return fault;
    report({RegistrationEvent::Kind::Registered, type.Extension});
  }
  return std::nullopt;
}

std::string RegistrationFaultMessage(const RegistrationFault& fault, int language) {
  static_assert(RegistrationStepTexts.size() ==
                static_cast<size_t>(RegistrationStep::SetDefault) + 1);
  std::string step = Tr(RegistrationStepTexts[static_cast<size_t>(fault.Step)], language);
  if (const size_t mark = step.find("%s"); mark != std::string::npos) {
    step.replace(mark, 2, fault.Subject);
  }
  std::string message = std::string(Tr(RegistrationFailedText, language)) + "\n" + step;
  if (!fault.Detail.empty()) message += "\n" + fault.Detail;
  return message;
}

std::string RegisteredMessage(const std::string& extension, int language) {
  return Tr(extension == ".KS" ? KsRegisteredText : KvRegisteredText, language);
}

}  // namespace zephirax
