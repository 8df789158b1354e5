#include "files/QtEmailForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "files/MailTexts.h"
#include "files/QtMeasurementMail.h"
#include "platform/QtLangText.h"

namespace zephirax {

TEmailForm::TEmailForm(const std::string& measFileName, const std::string& address, int language,
                       UserInterface& ui, ToolRunner& mail, QWidget* parent)
    : QDialog(parent), measFileName_(measFileName), language_(language), ui_(ui), mail_(mail) {
  setObjectName(QStringLiteral("EmailForm"));
  setWindowTitle(Text(EmailFormTitle, language));
  // A title bar without the window buttons: the dialog ends through its own.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  auto* column = new QVBoxLayout(this);
  column->addWidget(new QLabel(Text(EmailIntroLine1, language), this));
  column->addWidget(new QLabel(Text(EmailIntroLine2, language), this));
  auto* fields = new QFormLayout;
  AddressEdit = new QLineEdit(QString::fromStdString(address), this);
  AddressEdit->setObjectName(QStringLiteral("AddressEdit"));
  SubjectEdit = new QLineEdit(this);
  SubjectEdit->setObjectName(QStringLiteral("SubjectEdit"));
  MessageEdit = new QPlainTextEdit(this);
  MessageEdit->setObjectName(QStringLiteral("MessageEdit"));
  MessageEdit->setTabChangesFocus(true);
  fields->addRow(Text(EmailAddressLabel, language), AddressEdit);
  fields->addRow(Text(EmailSubjectLabel, language), SubjectEdit);
  fields->addRow(Text(EmailMessageLabel, language), MessageEdit);
  column->addLayout(fields);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  TransmitBtn = new QPushButton(Text(EmailTransmitCaption, language), this);
  TransmitBtn->setObjectName(QStringLiteral("TransmitBtn"));
  TransmitBtn->setDefault(true);
  CancelBtn = new QPushButton(Text(EmailCancelCaption, language), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn->setAutoDefault(false);
  buttons->addWidget(TransmitBtn);
  buttons->addWidget(CancelBtn);
  column->addLayout(buttons);
  connect(TransmitBtn, &QPushButton::clicked, this, &TEmailForm::TransmitBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &TEmailForm::reject);
  resize(480, 320);
}

void TEmailForm::TransmitBtnClick() {
  SendMeasurement(ui_, mail_, language_, measFileName_, SubjectEdit->text().toStdString(),
                  MessageEdit->toPlainText().toStdString(), AddressEdit->text().toStdString());
  accept();
}

void TEmailForm::reject() {
  ui_.MessageBox(Tr(EmailFormTitle, language_), Tr(EmailCanceledText, language_));
  QDialog::reject();
}

}  // namespace zephirax
