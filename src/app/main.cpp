#include <QApplication>
#include <QFile>
#include <QStringList>

#include "app/QtMainForm.h"
#include "platform/Paths.h"
#include "platform/QtNumericLocale.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zephirax::KeepCNumberFormat();
  // The application's name, not its display name: Qt would append a display
  // name to every window title, and the titles are the program's own texts.
  QApplication::setApplicationName(QStringLiteral("ZEPHIRAX Versio1 1.03a 32/64 Bit"));

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
