#include "app/QtPscavForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/CorrectionTexts.h"

namespace zephirax {

TpscavForm::TpscavForm(int language, const std::string& shown, const char* unitName,
                       QWidget* parent)
    : QDialog(parent) {
  setObjectName("pscavForm");
  setWindowTitle(QString::fromUtf8(Tr(PscavFormCaption, language)));
  QFont bold("Arial", 8);
  bold.setBold(true);
  setFont(bold);
  TitleLabel = new QLabel(QString::fromUtf8(Tr(PscavTitleText, language)), this);
  ValueCaption = new QLabel(QString::fromUtf8(PscavValueCaption), this);
  ValueEdit = new QLineEdit(QString::fromUtf8(shown), this);
  UnitLabel = new QLabel(QString::fromUtf8(unitName), this);
  OkButton = new QPushButton(QString::fromUtf8(Tr(PscavOkCaption, language)), this);
  CancelButton = new QPushButton(QString::fromUtf8(Tr(PscavCancelCaption, language)), this);
  TitleLabel->setObjectName("TitleLabel");
  ValueCaption->setObjectName("ValueCaption");
  ValueEdit->setObjectName("ValueEdit");
  UnitLabel->setObjectName("UnitLabel");
  OkButton->setObjectName("OkButton");
  CancelButton->setObjectName("CancelButton");
  OkButton->setDefault(true);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QGridLayout(this);
  layout->addWidget(TitleLabel, 0, 0, 1, 3);
  layout->addWidget(ValueCaption, 1, 0);
  layout->addWidget(ValueEdit, 1, 1);
  layout->addWidget(UnitLabel, 1, 2);
  layout->addWidget(OkButton, 2, 0, 1, 2);
  layout->addWidget(CancelButton, 2, 2);
  ValueEdit->selectAll();
  ValueEdit->setFocus();
}

std::optional<std::string> TpscavForm::Ask(int language, const std::string& shown,
                                           const char* unitName, QWidget* parent) {
  TpscavForm form(language, shown, unitName, parent);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.ValueEdit->text().toStdString();
}

}  // namespace zephirax
