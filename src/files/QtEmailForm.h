#pragma once

#include <QDialog>
#include <string>

#include "platform/ToolRunner.h"
#include "platform/UserInterface.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zephirax {

// Sends the current measurement with its additional data by e-mail: the
// recipient (preset from the settings), a subject and a message.
class TEmailForm : public QDialog {
  Q_OBJECT

 public:
  TEmailForm(const std::string& measFileName, const std::string& address, int language,
             UserInterface& ui, ToolRunner& mail, QWidget* parent = nullptr);

  // Packs and hands over the measurement, says what went wrong, and closes.
  void TransmitBtnClick();
  // Says that nothing was sent, and closes; so does Escape.
  void reject() override;

  QPushButton* TransmitBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
  QLineEdit* AddressEdit = nullptr;
  QLineEdit* SubjectEdit = nullptr;
  QPlainTextEdit* MessageEdit = nullptr;

 private:
  std::string measFileName_;
  int language_;
  UserInterface& ui_;
  ToolRunner& mail_;
};

}  // namespace zephirax
