#include "files/FileMessages.h"

#include "files/FileTexts.h"
#include "files/ZipEntryNames.h"

namespace zephirax {

namespace {

std::string Filled(const LangText& text, const std::string& value, int language) {
  std::string filled = Tr(text, language);
  const size_t at = filled.find("%s");
  if (at != std::string::npos) filled.replace(at, 2, value);
  return filled;
}

}  // namespace

std::string FailureMessage(const LangText& lead, const FileFailure& failure, int language) {
  std::string reason;
  switch (failure.Fault) {
    case OperationFault::System:
      reason = failure.Detail;
      break;
    case OperationFault::TrashUnavailable:
      reason = Tr(TrashUnavailableReason, language);
      break;
    case OperationFault::ReplacedToTrash:
      reason = Tr(ReplacedToTrashReason, language);
      break;
    case OperationFault::SameFile:
      reason = Tr(SameFileReason, language);
      break;
    case OperationFault::FolderInTheWay:
      reason = Tr(FolderInTheWayReason, language);
      break;
    case OperationFault::NameTaken:
      reason = Tr(NameTakenReason, language);
      break;
    case OperationFault::BadName:
      reason = Tr(BadNameReason, language);
      break;
    case OperationFault::SourceMissing:
      reason = Tr(SourceMissingReason, language);
      break;
    case OperationFault::NotRegular:
      reason = Tr(NotRegularReason, language);
      break;
  }
  // The trash's own words say why it refused.
  if (failure.Fault != OperationFault::System && !failure.Detail.empty()) {
    reason += " (" + failure.Detail + ")";
  }
  return Filled(lead, "\"" + failure.File + "\"", language) + "\n" + reason;
}

std::string UnsafeEntriesMessage(const std::string& archive,
                                 const std::vector<std::string>& entries, int language) {
  std::string text = Filled(UnsafeEntriesText, "\"" + archive + "\"", language);
  for (const std::string& entry : entries) text += "\n" + PrintableEntryName(entry);
  return text;
}

}  // namespace zephirax
