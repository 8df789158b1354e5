#include "devicelink/QtReceiveDialog.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "devicelink/LinkMessages.h"
#include "devicelink/ReceiveTexts.h"
#include "platform/HelpTopics.h"
#include "platform/LangText.h"
#include "platform/QtHelp.h"
#include "platform/QtLangText.h"

namespace zephirax {

namespace {

// Short enough that a whole block at 38400 baud never waits long, long enough
// that the processor sleeps between passes.
constexpr int PollMilliseconds = 20;

}  // namespace

TRcvDialog2::TRcvDialog2(ReceiveSession& session, int language, UserInterface& ui, QWidget* parent)
    : QDialog(parent), session_(session), language_(language), ui_(ui) {
  setObjectName(QStringLiteral("RcvDialog2"));
  // No close box: only the buttons end the exchange.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setWindowTitle(Text(ReceiveCaptionText, language));
  OkButton = new QPushButton(Text(ReceiveSaveButtonText, language), this);
  CancelButton = new QPushButton(Text(ReceiveCancelButtonText, language), this);
  HelpButton = new QPushButton(Text(ReceiveHelpButtonText, language), this);
  InstructionLabel = new QLabel(Text(ReceiveStartRequestText, language), this);
  StatusCaption = new QLabel(Text(ReceiveStatusCaptionText, language), this);
  StatusLabel = new QLabel(Text(ReceiveWaitingText, language), this);
  ProgressBar = new QProgressBar(this);
  ProgressBar->setRange(0, 100);
  ProgressBar->setValue(0);
  OkButton->setObjectName(QStringLiteral("OkButton"));
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  HelpButton->setObjectName(QStringLiteral("HelpButton"));
  InstructionLabel->setObjectName(QStringLiteral("InstructionLabel"));
  StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
  ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
  OkButton->setEnabled(false);

  auto* status = new QHBoxLayout;
  status->addWidget(StatusCaption);
  status->addWidget(StatusLabel, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {OkButton, CancelButton, HelpButton}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(InstructionLabel);
  layout->addLayout(status);
  layout->addWidget(ProgressBar);
  layout->addLayout(buttons);

  connect(OkButton, &QPushButton::clicked, this, [this] { End(1); });
  connect(CancelButton, &QPushButton::clicked, this, [this] { End(0); });
  connect(HelpButton, &QPushButton::clicked, this,
          [this] { ShowHelp(language_, HelpReceiving, this); });
  timer_ = new QTimer(this);
  timer_->setInterval(PollMilliseconds);
  connect(timer_, &QTimer::timeout, this, &TRcvDialog2::PollPort);
}

void TRcvDialog2::PollPort() {
  const ReceivePoll poll = session_.Poll();
  if (!poll.Notices.empty()) {
    timer_->stop();  // no second message while the first is shown
    for (const ReceiveNotice notice : poll.Notices) {
      ui_.MessageBox(Tr(ErrorCaption, language_), Tr(ReceiveNoticeText(notice), language_));
    }
    if (ReceiveDialogResult == -1 && !poll.Ended) timer_->start();
  }
  if (poll.Ended) {
    End(0);
    return;
  }
  if (poll.Failed) {
    timer_->stop();
    // A block that came in whole before the failure can still be saved.
    const bool incomplete = !session_.CanSave();
    ui_.MessageBox(Tr(ErrorCaption, language_),
                   LinkFailedMessage(language_, session_.Link(), incomplete), MsgButtons::Ok,
                   MsgIcon::Error);
    if (incomplete) {
      End(0);
      return;
    }
  }
  ProgressBar->setValue(std::min(session_.State().Gauge, 100));
  if (poll.ProcessingStarted) {
    StatusLabel->setText(Text(ReceiveProcessingText, language_));
    InstructionLabel->setText(Text(ReceivePleaseWaitText, language_));
  }
  if (session_.State().BlockComplete) ProgressBar->setValue(100);
  if (poll.Finished) {
    StatusLabel->setText(Text(ReceiveFinishedText, language_));
    InstructionLabel->clear();
  }
  // Save only what this exchange delivered intact.
  OkButton->setEnabled(session_.CanSave());
}

void TRcvDialog2::End(int result) {
  ReceiveDialogResult = result;
  timer_->stop();
  loop_.quit();
}

bool TRcvDialog2::ReceiveMeasurement() {
  ReceiveDialogResult = -1;
  show();
  timer_->start();
  loop_.exec();
  hide();
  return ReceiveDialogResult == 1;
}

std::optional<std::string> ReceiveAndSave(
    ReceiveSession& session, std::string& dataDir, int language, UserInterface& ui, QWidget* owner,
    const std::function<void(const std::string&)>& fileLabel) {
  session.Prepare();
  fileLabel("Noname");
  if (!session.OpenReceivePort()) {
    ui.MessageBox(Tr(ErrorCaption, language), PortOpenErrorMessage(language, session.Link()),
                  MsgButtons::Ok, MsgIcon::Error);
    return std::nullopt;
  }
  fileLabel("TEMP.DAT");
  TRcvDialog2 dialog(session, language, ui, owner);
  std::optional<std::string> saved;
  if (dialog.ReceiveMeasurement()) {
    const std::optional<std::string> chosen = ui.SaveFileName(
        Tr(ReceiveSaveTitleText, language), dataDir, {{"VOLTAN files", "*.KV;*.KS"}});
    if (chosen) {
      dataDir = std::filesystem::path(*chosen).parent_path().string();
      saved = SaveReceivedMeasurement(session.TempFilePath(), *chosen, session.State().MipSeen);
      if (saved) {
        fileLabel(std::filesystem::path(*saved).filename().string());
      } else {
        ui.MessageBox(Tr(ErrorCaption, language), Tr(ReceiveSaveFailedText, language));
      }
    }
  }
  session.Finish();
  return saved;
}

}  // namespace zephirax
