#include "files/MailHandOff.h"

#include <filesystem>

#include "files/MailTexts.h"

namespace zephirax {

namespace {

// The codes of the mail interface that xdg-email's outcomes stand for.
constexpr int MailSuccess = 0;
constexpr int MailFailure = 2;
constexpr int MailLoginFailure = 3;
constexpr int MailAttachmentNotFound = 11;
constexpr int MailAttachmentOpenFailure = 12;

}  // namespace

std::string MailArchiveName(const std::string& measFileName) {
  std::filesystem::path name(measFileName);
  name.replace_extension(".ZIP");
  return name.string();
}

std::vector<std::string> MailArguments(const std::string& archive, const std::string& subject,
                                       const std::string& body, const std::string& address) {
  // --utf8: the texts are UTF-8 whatever the locale says. The address goes
  // as the value of --to, so no address is ever read as an option.
  std::vector<std::string> args = {"--utf8"};
  if (!subject.empty()) args.insert(args.end(), {"--subject", subject});
  if (!body.empty()) args.insert(args.end(), {"--body", body});
  args.insert(args.end(), {"--attach", archive});
  if (!address.empty()) args.insert(args.end(), {"--to", address});
  return args;
}

int MailResultCode(const std::optional<ToolOutcome>& outcome) {
  // Without xdg-email there is no way to a mail program: as when none is
  // configured.
  if (!outcome) return MailLoginFailure;
  if (!outcome->Finished) return MailFailure;
  switch (outcome->ExitCode) {
    case 0:
      return MailSuccess;
    case 2:  // the attachment is missing
      return MailAttachmentNotFound;
    case 3:  // no mail program configured
      return MailLoginFailure;
    case 5:  // no permission to read the attachment
      return MailAttachmentOpenFailure;
    default:  // 1 syntax, 4 the mail program failed
      return MailFailure;
  }
}

std::string MailResultText(int code) {
  switch (code) {
    case 1:
      return "The user canceled one of the dialog boxes!";
    case 2:
      return "One or more unspecified errors occurred!";
    case 3:
      return "There was no default logon, and the user failed to log on successfully when the "
             "logon dialog box was displayed!";
    case 5:
      return "There was insufficient memory to proceed!";
    case 9:
      return "There were too many file attachments!";
    case 10:
      return "There were too many recipients!";
    case 11:
      return "The specified attachment was not found!";
    case 12:
      return "The specified attachment could not be open!";
    case 14:
      return "A recipient did not appear in the address list!";
    case 15:
      return "The type of a recipient was not MAPI_TO, MAPI_CC, or MAPI_BCC!";
    case 18:
      return "The text in the message was too large to sent!";
    case 21:
      return "A recipient matched more than one of the recipient descriptor structures and "
             "MAPI_DIALOG was not set!";
    default:
      return "";
  }
}

std::string SendMeasurementMail(ToolRunner& runner, const std::string& archive,
                                const std::string& subject, const std::string& body,
                                const std::string& address) {
  std::error_code error;
  if (!std::filesystem::exists(archive, error)) return "File \"" + archive + "\" not found!";
  return MailResultText(
      MailResultCode(runner.Run("xdg-email", MailArguments(archive, subject, body, address))));
}

std::string TransmitFailedMessage(const std::string& errorText) {
  return std::string(Tr(EmailTransmitFailedText, English)) + "\n\n" +
         Tr(EmailMessageHeading, English) + "\n" + errorText;
}

}  // namespace zephirax
