#include "files/QtMeasurementMail.h"

#include <filesystem>
#include <optional>
#include <vector>

#include "files/FileOperations.h"
#include "files/MailHandOff.h"
#include "files/MailTexts.h"
#include "files/QtZipArchive.h"
#include "platform/LangText.h"

namespace zephirax {

bool BuildMailArchive(const std::string& measFileName) {
  std::error_code error;
  if (measFileName.empty() || !std::filesystem::is_regular_file(measFileName, error)) return false;
  std::vector<std::string> files = {measFileName};
  if (const std::optional<std::string> companion = ExistingCompanion(measFileName)) {
    files.push_back(*companion);
  }
  SilentProgress progress;
  const ZipAddOutcome outcome = AddToZip(MailArchiveName(measFileName), files, true, progress);
  return outcome.Written && outcome.Added.front();
}

MailOutcome SendMeasurement(UserInterface& ui, ToolRunner& mail, int language,
                            const std::string& measFileName, const std::string& subject,
                            const std::string& body, const std::string& address) {
  ui.Hourglass(true);
  const bool built = BuildMailArchive(measFileName);
  ui.Hourglass(false);
  if (!built) {
    ui.MessageBox(Tr(ErrorCaption, language), Tr(EmailZipFailedText, language), MsgButtons::Ok,
                  MsgIcon::Error);
    return MailOutcome::ArchiveFailed;
  }
  ui.Hourglass(true);
  const std::string error =
      SendMeasurementMail(mail, MailArchiveName(measFileName), subject, body, address);
  ui.Hourglass(false);
  if (error.empty()) return MailOutcome::Sent;
  ui.Beep();
  ui.MessageBox(Tr(ErrorCaption, language), TransmitFailedMessage(error), MsgButtons::Ok,
                MsgIcon::Error);
  return MailOutcome::HandOffFailed;
}

}  // namespace zephirax
