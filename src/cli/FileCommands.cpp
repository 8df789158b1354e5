#include "cli/FileCommands.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "app/Config.h"
#include "cli/ApplicationScope.h"
#include "cli/Arguments.h"
#include "files/FileMessages.h"
#include "files/FileOperations.h"
#include "files/FileTexts.h"
#include "files/MailHandOff.h"
#include "files/MailTexts.h"
#include "files/QtMailLauncher.h"
#include "files/QtMeasurementMail.h"
#include "files/QtZipArchive.h"
#include "platform/Paths.h"
#include "platform/Settings.h"

namespace zephirax {

const char* const ZipUsage =
    "Usage: zephirax-cli zip OUT.zip FILE...\n"
    "\n"
    "Packs the files into OUT.zip (created, or updated when it exists), each\n"
    "followed by the .EXH file beside it; an entry of the same name is\n"
    "replaced. Exit status 1 when a file could not be added.\n";

const char* const UnzipUsage =
    "Usage: zephirax-cli unzip ARCHIVE DESTDIR\n"
    "\n"
    "Extracts the archive into DESTDIR (created when missing), replacing files\n"
    "of the same name. Entries that would be written outside DESTDIR\n"
    "(absolute names, \"..\", links leading out) are refused; the others are\n"
    "extracted. Exit status 1 naming every entry refused or not written.\n";

const char* const MailUsage =
    "Usage: zephirax-cli mail FILE [--to ADDRESS] [--subject TEXT] [--body TEXT]\n"
    "\n"
    "Packs the measurement FILE with its .EXH file into FILE's name with .ZIP\n"
    "and hands the archive to the desktop's mail program (xdg-email); the\n"
    "address defaults to the one in the settings. Exit status 1 when the\n"
    "archive cannot be built or the mail program reports an error.\n";

int ZipCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 3) return UsageError(err, "zip needs an archive and files", ZipUsage);
  for (size_t k = 1; k < args.size(); ++k) {
    if (args[k].starts_with("--")) return UsageError(err, "unknown option " + args[k], ZipUsage);
  }
  const std::vector<std::string> selected(args.begin() + 2, args.end());
  const std::vector<PlannedFile> plan = WithCompanions("", selected);
  std::vector<std::string> files;
  for (const PlannedFile& planned : plan) files.push_back(planned.Path);
  SilentProgress progress;
  const ZipAddOutcome outcome = AddToZip(args[1], files, false, progress);
  if (outcome.Failed()) {
    PrintError(err, FailureMessage(CompressFailedText, outcome.FailureOf(args[1]), English));
    return 1;
  }
  size_t selectedAdded = 0;
  for (size_t k = 0; k < plan.size(); ++k) {
    if (!outcome.Added[k]) {
      err << "zephirax-cli: not added: " << plan[k].Path << '\n';
    } else {
      out << plan[k].Path << '\n';
      if (plan[k].Selected) ++selectedAdded;
    }
  }
  if (selectedAdded < selected.size()) {
    PrintError(err, Tr(NotAllFilesAdded, English));
    return 1;
  }
  return 0;
}

int UnzipCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
  if (args.size() != 3) return UsageError(err, "unzip takes an archive and a folder", UnzipUsage);
  std::error_code error;
  std::filesystem::create_directories(args[2], error);
  if (error) {
    err << "zephirax-cli: could not create " << args[2] << ": " << error.message() << '\n';
    return 1;
  }
  SilentProgress progress;
  const ZipExtractOutcome outcome = ExtractZip(args[1], args[2], progress);
  if (!outcome.Refused.empty())
    PrintError(err, UnsafeEntriesMessage(args[1], outcome.Refused, English));
  for (const FileFailure& failure : outcome.Failures) {
    PrintError(err, FailureMessage(DecompressFailedText, failure, English));
  }
  return outcome.Refused.empty() && outcome.Failures.empty() ? 0 : 1;
}

int MailCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string file;
  std::string subject;
  std::string body;
  std::optional<std::string> address;
  for (size_t k = 1; k < args.size(); ++k) {
    const std::string& arg = args[k];
    if (arg == "--to" || arg == "--subject" || arg == "--body") {
      if (k + 1 >= args.size()) return UsageError(err, arg + " needs a value", MailUsage);
      const std::string& value = args[++k];
      if (arg == "--to") {
        address = value;
      } else if (arg == "--subject") {
        subject = value;
      } else {
        body = value;
      }
    } else if (arg.starts_with("--") || !file.empty()) {
      return UsageError(err, "unexpected argument " + arg, MailUsage);
    } else {
      file = arg;
    }
  }
  if (file.empty()) return UsageError(err, "mail needs a measurement file", MailUsage);
  if (!address) {
    Settings settings;
    ReadConfig(settings, AppDataDir());
    address = settings.EmailDestination;
  }
  if (!BuildMailArchive(file)) {
    PrintError(err, Tr(EmailZipFailedText, English));
    return 1;
  }
  const std::string archive = MailArchiveName(file);
  ApplicationScope application(false);
  QtMailLauncher mail;
  const std::string error = SendMeasurementMail(mail, archive, subject, body, *address);
  if (!error.empty()) {
    PrintError(err, TransmitFailedMessage(error));
    return 1;
  }
  out << archive << '\n';
  return 0;
}

}  // namespace zephirax
