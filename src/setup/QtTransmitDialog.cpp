#include "setup/QtTransmitDialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "devicelink/LinkMessages.h"
#include "platform/HelpTopics.h"
#include "platform/QtHelp.h"
#include "platform/QtLangText.h"
#include "setup/SetupTransmission.h"

namespace zephirax {

namespace {

QPushButton* NewButton(const char* name, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QLabel* NewLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

TTransmitDlg2::TTransmitDlg2(SerialLink& link, std::string frame, int language, QWidget* parent)
    : QDialog(parent), link_(link), frame_(std::move(frame)), language_(language) {
  setObjectName(QStringLiteral("TransmitDlg2"));
  setWindowTitle(Text(TransmitDlgCaption, language));
  OkButton = NewButton("OkButton", this);
  CancelButton = NewButton("CancelButton", this);
  HelpButton = NewButton("HelpButton", this);
  StartButton = NewButton("StartButton", this);
  InstructionLabel = NewLabel("InstructionLabel", this);
  StatusCaption = NewLabel("StatusCaption", this);
  StatusLabel = NewLabel("StatusLabel", this);
  StartHintLabel = NewLabel("StartHintLabel", this);
  ProgressBar = new QProgressBar(this);
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  ProgressBar->setRange(0, 100);
  ProgressBar->setValue(0);

  OkButton->setText(Text(TransmitOk, language));
  CancelButton->setText(Text(TransmitCancel, language));
  HelpButton->setText(Text(TransmitHelp, language));
  StartButton->setText(Text(TransmitStart, language));
  InstructionLabel->setText(Text(TransmitLabel1, language));
  StatusCaption->setText(Text(TransmitLabel2, language));
  StatusLabel->setText(Text(TransmitWaiting, language));
  StartHintLabel->setText(Text(TransmitLabel4, language));
  OkButton->setEnabled(false);
  OkButton->hide();

  auto* status = new QHBoxLayout;
  status->addWidget(StatusCaption);
  status->addWidget(StatusLabel, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {StartButton, OkButton, CancelButton, HelpButton})
    buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(InstructionLabel);
  layout->addWidget(StartHintLabel);
  layout->addLayout(status);
  layout->addWidget(ProgressBar);
  layout->addLayout(buttons);

  connect(StartButton, &QPushButton::clicked, this, &TTransmitDlg2::StartBtnClick);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  connect(HelpButton, &QPushButton::clicked, this,
          [this] { ShowHelp(language_, HelpTransmit, this); });
}

void TTransmitDlg2::StartBtnClick() {
  StartButton->setEnabled(false);
  StartButton->hide();
  StartHintLabel->clear();
  StatusLabel->setText(Text(TransmitInProgress, language_));
  InstructionLabel->setText(Text(TransmitPleaseWait, language_));
  CancelButton->setEnabled(false);
  repaint();
  SendSetupHooks hooks;
  hooks.Gauge = [this](int value) {
    ProgressBar->setValue(std::min(value, 100));
    // Repaint only: the user cannot start anything else while bytes go out.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  CancelButton->setEnabled(true);
  if (!SendSetup(link_, frame_, hooks)) {
    // Only Cancel is left: the device did not get the setup.
    StatusLabel->setText(Text(TransmitFailed, language_));
    InstructionLabel->setText(
        QString::fromStdString(LinkFailedMessage(language_, link_, /*incomplete=*/false)));
    return;
  }
  InstructionLabel->clear();
  OkButton->setEnabled(true);
  OkButton->show();
  StatusLabel->setText(Text(TransmitFinished, language_));
}

bool TransmitSetup(SerialLink& link, const std::string& frame, int language, UserInterface& ui,
                   QWidget* owner) {
  link.BaudRate = 9600;
  OpenSelectedPort(link);
  if (!link.PortOpen) {
    // Told even when the port simply is not there: otherwise the user would
    // wait for a dialog that never comes.
    ui.MessageBox(Tr(ErrorCaption, language), PortOpenErrorMessage(language, link), MsgButtons::Ok,
                  MsgIcon::Error);
    return false;
  }
  TTransmitDlg2 dialog(link, frame, language, owner);
  const bool sent = dialog.exec() == QDialog::Accepted;
  CloseLink(link);
  return sent;
}

}  // namespace zephirax
