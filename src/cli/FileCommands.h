#pragma once

#include <ostream>
#include <string>
#include <vector>

// `zip OUT.zip FILE...`: packs the files, each followed by its .EXH file,
// into OUT.zip (created or updated), as the file functions do.
// `unzip ARCHIVE DESTDIR`: extracts every entry that stays inside DESTDIR;
// exit status 1 naming the entries refused or failed.
// `mail FILE [--to ADDRESS] [--subject TEXT] [--body TEXT]`: packs the
// measurement with its .EXH file into FILE's name with ".ZIP" and hands it
// to the desktop's mail program; the address defaults to the settings'.

namespace zephirax {

extern const char* const ZipUsage;
extern const char* const UnzipUsage;
extern const char* const MailUsage;

int ZipCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int UnzipCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int MailCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zephirax
