#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QStringList>

#include "app/QtMainForm.h"
#include "platform/Paths.h"
#include "platform/QtNumericLocale.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zephirax::KeepCNumberFormat();
  // The application's name, not its display name: Qt would append a display
  // name to every window title, and the titles are the program's own texts.
  // The name is the window class, and it and the desktop entry's name are
  // how the desktop tells the program's windows, groups them and finds
  // their icon.
  QApplication::setApplicationName(QStringLiteral("zephirax"));
  QApplication::setApplicationVersion(QStringLiteral("1.03a"));
  QGuiApplication::setDesktopFileName(QStringLiteral("zephirax"));
  QIcon fallbackIcon;
  for (const QString& png : QDir(QStringLiteral(":/icons")).entryList({QStringLiteral("*.png")})) {
    fallbackIcon.addFile(QStringLiteral(":/icons/") + png);
  }
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("zephirax"), fallbackIcon));

  const std::string programDir =
      zephirax::ProgramDir(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
  zephirax::TMainForm form(programDir);
  // A desktop launcher or an unquoted path with blanks hands the file name
  // over in pieces: everything after the program name is one file name. The
  // window analyses it at its first activation.
  const QString fileName = QCoreApplication::arguments().mid(1).join(QLatin1Char(' '));
  form.State().View.PendingFileName = QFile::encodeName(fileName).toStdString();
  form.showMaximized();
  return QApplication::exec();
}
