#include "platform/QtUserInterface.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace zephirax {
namespace {

// A dialog shown while the busy cursor is on (a load that fails reports from
// inside the hourglass) must still get the ordinary pointer.
class NormalCursor {
 public:
  explicit NormalCursor(bool busy) : pushed_(busy) {
    if (pushed_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~NormalCursor() {
    if (pushed_) QApplication::restoreOverrideCursor();
  }
  NormalCursor(const NormalCursor&) = delete;
  NormalCursor& operator=(const NormalCursor&) = delete;

 private:
  bool pushed_;
};

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string> ChosenFile(const QString& fileName) {
  if (fileName.isEmpty()) return std::nullopt;
  return QFile::encodeName(fileName).toStdString();
}

}  // namespace

QString FileDialogFilter(const std::vector<FileFilter>& filters) {
  QStringList entries;
  for (const FileFilter& filter : filters) {
    QStringList patterns;
    for (const QString& pattern : FromUtf8(filter.Pattern).split(';')) {
      const QString trimmed = pattern.trimmed();
      if (!trimmed.isEmpty()) patterns << trimmed;
    }
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    entries << FromUtf8(filter.Description) + QStringLiteral(" (") + patterns.join(' ') +
                   QStringLiteral(")");
  }
  return entries.join(QStringLiteral(";;"));
}

QtUserInterface::QtUserInterface(QWidget* parent) : parent_(parent) {}

QtUserInterface::~QtUserInterface() {
  while (hourglassDepth_ > 0) Hourglass(false);
}

MsgResult QtUserInterface::MessageBox(const std::string& caption, const std::string& text,
                                      MsgButtons buttons, MsgIcon icon) {
  QMessageBox::StandardButtons shown = QMessageBox::Ok;
  switch (buttons) {
    case MsgButtons::Ok:
      shown = QMessageBox::Ok;
      break;
    case MsgButtons::OkCancel:
      shown = QMessageBox::Ok | QMessageBox::Cancel;
      break;
    case MsgButtons::YesNo:
      shown = QMessageBox::Yes | QMessageBox::No;
      break;
    case MsgButtons::YesNoCancel:
      shown = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      break;
  }
  const bool question = buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel;
  QMessageBox::Icon symbol = QMessageBox::NoIcon;
  if (icon == MsgIcon::Error) symbol = QMessageBox::Critical;
  if (icon == MsgIcon::Warning) symbol = QMessageBox::Warning;
  QMessageBox box(question ? QMessageBox::Question : symbol, FromUtf8(caption),
                  FromUtf8(text), shown, parent_);
  NormalCursor cursor(hourglassDepth_ > 0);
  const int pressed = box.exec();
  switch (pressed) {
    case QMessageBox::Ok:
      return MsgResult::Ok;
    case QMessageBox::Yes:
      return MsgResult::Yes;
    case QMessageBox::No:
      return MsgResult::No;
    case QMessageBox::Cancel:
      return MsgResult::Cancel;
    default:
      // Closed without a button (only possible where no Cancel or No exists).
      return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
  }
}

int QtUserInterface::Choose(const std::string& caption, const std::string& text,
                            const std::vector<std::string>& buttons) {
  QMessageBox box(QMessageBox::Question, FromUtf8(caption), FromUtf8(text), QMessageBox::NoButton,
                  parent_);
  // The first button is the affirmative one; with two buttons Escape and
  // the window's close box take the second.
  std::vector<QAbstractButton*> added;
  for (const std::string& button : buttons) {
    added.push_back(box.addButton(
        FromUtf8(button), added.empty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole));
  }
  if (!added.empty()) box.setDefaultButton(qobject_cast<QPushButton*>(added.front()));
  NormalCursor cursor(hourglassDepth_ > 0);
  box.exec();
  for (size_t i = 0; i < added.size(); ++i) {
    if (box.clickedButton() == added[i]) return static_cast<int>(i);
  }
  return -1;
}

std::optional<std::string> QtUserInterface::OpenFileName(const std::string& title,
                                                         const std::string& folder,
                                                         const std::vector<FileFilter>& filters) {
  NormalCursor cursor(hourglassDepth_ > 0);
  return ChosenFile(QFileDialog::getOpenFileName(
      parent_, FromUtf8(title), QFile::decodeName(folder.c_str()), FileDialogFilter(filters)));
}

std::optional<std::string> QtUserInterface::SaveFileName(const std::string& title,
                                                         const std::string& folder,
                                                         const std::vector<FileFilter>& filters) {
  NormalCursor cursor(hourglassDepth_ > 0);
  return ChosenFile(QFileDialog::getSaveFileName(
      parent_, FromUtf8(title), QFile::decodeName(folder.c_str()), FileDialogFilter(filters)));
}

std::optional<std::string> QtUserInterface::InputBox(const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& preset) {
  NormalCursor cursor(hourglassDepth_ > 0);
  bool accepted = false;
  const QString text = QInputDialog::getText(parent_, FromUtf8(caption), FromUtf8(prompt),
                                             QLineEdit::Normal, FromUtf8(preset), &accepted);
  if (!accepted) return std::nullopt;
  return text.toStdString();
}

void QtUserInterface::Beep() {
  QApplication::beep();
}

void QtUserInterface::Hourglass(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++hourglassDepth_;
  } else if (hourglassDepth_ > 0) {
    // Unbalanced "off" calls must not pop a cursor someone else pushed.
    QApplication::restoreOverrideCursor();
    --hourglassDepth_;
  }
}

}  // namespace zephirax
