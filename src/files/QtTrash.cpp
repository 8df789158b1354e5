#include "files/QtTrash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace zephirax {

namespace {

// A place inside a freedesktop trash: ".../Trash/files/NAME" in the data
// folder, ".Trash-UID/files/NAME" or ".Trash/UID/files/NAME" on a volume.
bool InATrash(const QString& placed) {
  const QFileInfo info(placed);
  if (!info.isAbsolute()) return false;
  const QDir files = info.absoluteDir();
  if (files.dirName() != QLatin1String("files")) return false;
  QDir trash = files;
  if (!trash.cdUp()) return false;
  const QString name = trash.dirName();
  if (name == QLatin1String("Trash") || name.startsWith(QLatin1String(".Trash-"))) return true;
  return trash.cdUp() && trash.dirName() == QLatin1String(".Trash");
}

}  // namespace

bool QtTrash::MoveToTrash(const std::string& path, std::string& why) {
  // Without the user's data folder the trash would be made in the file's own
  // folder, which is no trash at all.
  const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (dataHome.isEmpty() || !QDir().mkpath(dataHome)) {
    why = "no data folder for the trash";
    return false;
  }
  const QString original = QFile::decodeName(path.c_str());
  QFile file(original);
  if (!file.moveToTrash()) {
    why = file.errorString().toStdString();
    return false;
  }
  const QString placed = file.fileName();
  if (InATrash(placed)) return true;
  // It went somewhere else: put it back.
  QFile::rename(placed, original);
  why = "no trash folder";
  return false;
}

}  // namespace zephirax
