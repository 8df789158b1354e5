#pragma once

#include <QDialog>
#include <QEventLoop>
#include <functional>
#include <optional>
#include <string>

#include "devicelink/Receiver.h"
#include "platform/UserInterface.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace zephirax {

// The dialog shown while a measurement comes in. It polls the port on a
// short timer, so the windows stay responsive and the processor idle while
// nothing arrives. Its buttons end it, and so does a device that fails.
class TRcvDialog2 : public QDialog {
  Q_OBJECT

 public:
  TRcvDialog2(ReceiveSession& session, int language, UserInterface& ui, QWidget* parent = nullptr);

  // Shows the dialog without blocking its owner and returns once Save (true)
  // or Cancel, or a stray end of block (false), ended it.
  bool ReceiveMeasurement();
  // One pass of the receive loop: reads what is waiting and updates the texts.
  void PollPort();

  QPushButton* OkButton = nullptr;
  QPushButton* CancelButton = nullptr;
  QPushButton* HelpButton = nullptr;
  QLabel* InstructionLabel = nullptr;
  QLabel* StatusCaption = nullptr;
  QLabel* StatusLabel = nullptr;
  QProgressBar* ProgressBar = nullptr;
  int ReceiveDialogResult = -1;  // -1 waiting, 1 Save, 0 Cancel

 private:
  // Save (1) or Cancel (0) ends the exchange.
  void End(int result);

  ReceiveSession& session_;
  int language_;
  UserInterface& ui_;
  QTimer* timer_ = nullptr;
  QEventLoop loop_;
};

// The whole receive workflow after the port choice: opens the port, runs the
// dialog, and on Save asks for a name and saves the measurement there.
// `dataDir` is where the save dialog starts and becomes the chosen folder.
// Returns the saved file's path.
std::optional<std::string> ReceiveAndSave(ReceiveSession& session, std::string& dataDir,
                                          int language, UserInterface& ui, QWidget* owner,
                                          const std::function<void(const std::string&)>& fileLabel);

}  // namespace zephirax
