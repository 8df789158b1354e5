#include "setup/QtSetupChoiceDialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/HelpTopics.h"
#include "platform/QtHelp.h"
#include "platform/QtLangText.h"
#include "setup/SetupEditorTexts.h"

namespace zephirax {

TTransmitDlg1::TTransmitDlg1(int language, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TransmitDlg1"));
  setWindowTitle(Text(SetupChoiceCaption, language));

  ChoiceGroup = new QGroupBox(Text(SetupChoiceGroup, language), this);
  ChoiceGroup->setObjectName(QStringLiteral("ChoiceGroup"));
  NewButton = new QRadioButton(Text(SetupChoiceNew, language), ChoiceGroup);
  NewButton->setObjectName(QStringLiteral("NewButton"));
  OpenButton = new QRadioButton(Text(SetupChoiceOpen, language), ChoiceGroup);
  OpenButton->setObjectName(QStringLiteral("OpenButton"));
  auto* choices = new QVBoxLayout(ChoiceGroup);
  choices->addWidget(NewButton);
  choices->addWidget(OpenButton);
  NewButton->setChecked(true);

  auto* buttons = new QDialogButtonBox(this);
  OkButton = buttons->addButton(Text(SetupChoiceOk, language), QDialogButtonBox::AcceptRole);
  CancelButton =
      buttons->addButton(Text(SetupChoiceCancel, language), QDialogButtonBox::RejectRole);
  HelpButton = buttons->addButton(Text(SetupChoiceHelp, language), QDialogButtonBox::HelpRole);
  OkButton->setObjectName(QStringLiteral("OkButton"));
  CancelButton->setObjectName(QStringLiteral("CancelButton"));
  HelpButton->setObjectName(QStringLiteral("HelpButton"));
  OkButton->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this,
          [this, language] { ShowHelp(language, HelpSetupChoice, this); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ChoiceGroup);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  NewButton->setFocus();
}

SetupChoice TTransmitDlg1::Choice() const {
  if (result() != QDialog::Accepted) return SetupChoice::Cancel;
  return OpenButton->isChecked() ? SetupChoice::Open : SetupChoice::New;
}

SetupChoice TTransmitDlg1::Ask(int language, QWidget* parent) {
  TTransmitDlg1 dialog(language, parent);
  dialog.exec();
  return dialog.Choice();
}

}  // namespace zephirax
