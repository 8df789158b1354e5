#pragma once

#include <QDialog>
#include <string>

#include "devicelink/Serial.h"
#include "platform/UserInterface.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace zephirax {

// The dialog that sends a setup frame to the device once the user has put
// the device into RECEIVE DATA and pressed Start.
class TTransmitDlg2 : public QDialog {
  Q_OBJECT

 public:
  TTransmitDlg2(SerialLink& link, std::string frame, int language, QWidget* parent = nullptr);

  void StartBtnClick();

  QPushButton* OkButton = nullptr;
  QPushButton* CancelButton = nullptr;
  QPushButton* HelpButton = nullptr;
  QPushButton* StartButton = nullptr;
  QLabel* InstructionLabel = nullptr;
  QLabel* StatusCaption = nullptr;
  QLabel* StatusLabel = nullptr;
  QLabel* StartHintLabel = nullptr;
  QProgressBar* ProgressBar = nullptr;

 private:
  SerialLink& link_;
  std::string frame_;
  int language_;
};

// The transmit step: opens the port at 9600, shows the dialog modally and
// closes the port afterwards. A port that cannot be opened is reported and
// nothing is sent. Returns whether the frame was sent.
bool TransmitSetup(SerialLink& link, const std::string& frame, int language, UserInterface& ui,
                   QWidget* owner);

}  // namespace zephirax
