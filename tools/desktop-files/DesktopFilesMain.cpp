// Writes the desktop entry and the MIME package that an installation puts
// under share/, below the folder it is given (applications/..., mime/...):
// the same files the options dialog registers for one user, except that the
// entry starts the installed program by its name.
#include <iostream>
#include <string>

#include "app/FileTypeRegistration.h"
#include "platform/AtomicFile.h"

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::cerr << "usage: zephirax-desktop-files SHARE_DIR\n";
    return 2;
  }
  const zephirax::RegistrationTarget target{argv[1], "", ""};
  const std::string package = zephirax::MimePackagePath(target);
  const std::string entry = zephirax::DesktopEntryPath(target);
  if (!zephirax::ReplaceFileAtomically(package, zephirax::MimePackageXml()) ||
      !zephirax::ReplaceFileAtomically(entry, zephirax::InstalledDesktopEntryText())) {
    std::cerr << "zephirax-desktop-files: cannot write below " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
