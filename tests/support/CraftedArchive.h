#pragma once

#include <sys/stat.h>
#include <zip.h>

#include <string>
#include <vector>

// Archives as a hostile or damaged source would make them: any entry name,
// links, stored (uncompressed) data whose bytes a test can find and spoil.

namespace zephirax::test {

struct CraftedEntry {
  std::string Name;
  std::string Bytes;  // a link's target for a link
  bool Link = false;
};

// False when libzip would not write it.
inline bool WriteCraftedArchive(const std::string& path, const std::vector<CraftedEntry>& entries) {
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (archive == nullptr) return false;
  for (const CraftedEntry& entry : entries) {
    zip_source_t* source = zip_source_buffer(archive, entry.Bytes.data(), entry.Bytes.size(), 0);
    const zip_int64_t index = zip_file_add(archive, entry.Name.c_str(), source, ZIP_FL_ENC_RAW);
    if (index < 0) {
      zip_source_free(source);
      zip_discard(archive);
      return false;
    }
    const auto at = static_cast<zip_uint64_t>(index);
    zip_set_file_compression(archive, at, ZIP_CM_STORE, 0);
    if (entry.Link) {
      zip_file_set_external_attributes(archive, at, 0, ZIP_OPSYS_UNIX,
                                       static_cast<zip_uint32_t>(S_IFLNK | 0777) << 16);
    }
  }
  return zip_close(archive) == 0;
}

}  // namespace zephirax::test
