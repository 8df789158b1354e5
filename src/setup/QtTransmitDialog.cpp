#include "setup/QtTransmitDialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "devicelink/LinkMessages.h"
#include "setup/SetupTransmission.h"

namespace zephirax {

namespace {

QString Text(const LangText& text, int language) {
  return QString::fromUtf8(Tr(text, language));
}

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
  OKBtn = NewButton("OKBtn", this);
  CancelBtn = NewButton("CancelBtn", this);
  HelpBtn = NewButton("HelpBtn", this);
  StartBtn = NewButton("StartBtn", this);
  Label1 = NewLabel("Label1", this);
  Label2 = NewLabel("Label2", this);
  Label3 = NewLabel("Label3", this);
  Label4 = NewLabel("Label4", this);
  Gauge1 = new QProgressBar(this);
  Gauge1->setObjectName(QStringLiteral("Gauge1"));
  Gauge1->setRange(0, 100);
  Gauge1->setValue(0);

  OKBtn->setText(Text(TransmitOk, language));
  CancelBtn->setText(Text(TransmitCancel, language));
  HelpBtn->setText(Text(TransmitHelp, language));
  StartBtn->setText(Text(TransmitStart, language));
  Label1->setText(Text(TransmitLabel1, language));
  Label2->setText(Text(TransmitLabel2, language));
  Label3->setText(Text(TransmitWaiting, language));
  Label4->setText(Text(TransmitLabel4, language));
  OKBtn->setEnabled(false);
  OKBtn->hide();
  // The help pages are not written yet.
  HelpBtn->setEnabled(false);

  auto* status = new QHBoxLayout;
  status->addWidget(Label2);
  status->addWidget(Label3, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {StartBtn, OKBtn, CancelBtn, HelpBtn}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(Label4);
  layout->addLayout(status);
  layout->addWidget(Gauge1);
  layout->addLayout(buttons);

  connect(StartBtn, &QPushButton::clicked, this, &TTransmitDlg2::StartBtnClick);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TTransmitDlg2::StartBtnClick() {
  StartBtn->setEnabled(false);
  StartBtn->hide();
  Label4->clear();
  Label3->setText(Text(TransmitInProgress, language_));
  Label1->setText(Text(TransmitPleaseWait, language_));
  CancelBtn->setEnabled(false);
  repaint();
  SendSetupHooks hooks;
  hooks.Gauge = [this](int value) {
    Gauge1->setValue(std::min(value, 100));
    // Repaint only: the user cannot start anything else while bytes go out.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  SendSetup(link_, frame_, hooks);
  Label1->clear();
  OKBtn->setEnabled(true);
  OKBtn->show();
  CancelBtn->setEnabled(true);
  Label3->setText(Text(TransmitFinished, language_));
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
