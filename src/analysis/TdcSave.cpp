#include "analysis/TdcSave.h"

#include <filesystem>

#include "adddata/AdditionalDataFile.h"
#include "platform/AtomicFile.h"
#include "platform/RegularFile.h"

namespace zephirax {

namespace {

bool EndsWithKv(const std::string& name) {
  if (name.size() < 3) return false;
  const std::string tail = name.substr(name.size() - 3);
  return tail[0] == '.' && (tail[1] == 'K' || tail[1] == 'k') && (tail[2] == 'V' || tail[2] == 'v');
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error);
}

// The additional data copied along; as large as the reader takes at most.
bool CopyFile(const std::string& from, const std::string& to) {
  const RegularFileRead read = ReadRegularFile(from, 64 << 20);
  return read && ReplaceFileAtomically(to, read.Bytes);
}

}  // namespace

std::string TdcSaveName(const std::string& chosenName) {
  return EndsWithKv(chosenName) ? chosenName : chosenName + ".KV";
}

std::optional<std::string> ExhToFollow(const std::string& tdcFileName) {
  const std::string name = AdditionalDataName(tdcFileName);
  std::error_code error;
  if (!std::filesystem::is_regular_file(name, error)) return std::nullopt;
  return name;
}

TdcSaveResult SaveTdcFile(const MeasurementData& data, const std::string& tdcFileName,
                          const std::string& chosenName, const std::optional<std::string>& exh) {
  TdcSaveResult result;
  result.SavedName = TdcSaveName(chosenName);
  result.Write = WriteTdcShifted(data, tdcFileName, result.SavedName);
  if (!result.Write || !exh) return result;
  std::filesystem::path target(result.SavedName);
  target.replace_extension(".EXH");
  // Saved over the file being corrected: its additional data are already there.
  if (SameFile(*exh, target.string())) return result;
  result.ExhName = target.string();
  result.ExhFailed = !CopyFile(*exh, result.ExhName);
  return result;
}

}  // namespace zephirax
