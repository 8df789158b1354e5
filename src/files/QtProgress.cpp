#include "files/QtProgress.h"

#include <QFile>
#include <QProgressDialog>
#include <algorithm>

namespace zephirax {

namespace {
constexpr int ShowAfterMs = 400;
}

QtProgress::QtProgress(const QString& title, const QString& cancelCaption, QWidget* parent)
    : dialog_(std::make_unique<QProgressDialog>(QString(), cancelCaption, 0, 1, parent)) {
  dialog_->setObjectName(QStringLiteral("FileProgress"));
  dialog_->setWindowTitle(title);
  dialog_->setWindowModality(Qt::WindowModal);
  dialog_->setMinimumDuration(ShowAfterMs);
  dialog_->setAutoClose(false);
  dialog_->setAutoReset(false);
  dialog_->setValue(0);
}

QtProgress::~QtProgress() {
  dialog_->close();
}

bool QtProgress::Step(const std::string& fileName, size_t done, size_t total) {
  if (dialog_->wasCanceled()) return false;
  dialog_->setMaximum(static_cast<int>(std::max<size_t>(total, 1)));
  dialog_->setLabelText(QFile::decodeName(fileName.c_str()));
  // A window-modal progress handles the events, the Cancel button's too.
  dialog_->setValue(static_cast<int>(done));
  return !dialog_->wasCanceled();
}

}  // namespace zephirax
