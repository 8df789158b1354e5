#include "adddata/QtISOForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "adddata/AddDataTexts.h"
#include "adddata/QtEntryHighlight.h"
#include "adddata/QtNumberFields.h"
#include "measurement/Units.h"

namespace zephirax {

TISOForm::TISOForm(AdditionalData& data, const Settings& config, QWidget* parent)
    : QDialog(parent), data_(data), edited_(data), config_(config) {
  setObjectName("ISOForm");
  setWindowTitle(QString::fromUtf8(IsoFormTitle));
  highlight_ = new EntryHighlight(this);
  // The fields edit a copy: Cancel leaves the data alone.
  numbers_ = new NumberFields(edited_, config_, &IsoDisplayText, *highlight_, this);
  const char* tempUnit = config.TempUnit == UnitDegF ? DegFUnit : DegCUnit;
  struct Row {
    const char* Caption;
    const char* Unit;
  };
  // In the order of IsoFields().
  const Row rows[] = {
      {IsoEngineRoomTempCaption, tempUnit},
      {IsoScavTempCaption, tempUnit},
      {IsoPbaroCaption, IsoPbaroUnit},
      {IsoFuelTempCaption, tempUnit},
      {IsoSpecGravityCaption, ""},
      {IsoCalorificCaption, IsoCalorificUnit},
      {IsoViscosityCaption, IsoViscosityUnit},
  };
  auto* grid = new QGridLayout;
  const std::vector<AddDataField> iso = IsoFields();
  for (size_t r = 0; r < iso.size(); ++r) {
    const AddDataField field = iso[r];
    QLineEdit* edit = numbers_->Add(this, field);
    auto* caption = new QLabel(QString::fromUtf8(rows[r].Caption), this);
    caption->setBuddy(edit);
    const int row = static_cast<int>(r);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new QLabel(QString::fromUtf8(rows[r].Unit), this), row, 2);
  }
  grid->setColumnStretch(2, 1);

  OkButton = new QPushButton(QString::fromUtf8(IsoOkCaption), this);
  CancelButton = new QPushButton(QString::fromUtf8(IsoCancelCaption), this);
  OkButton->setObjectName("OkButton");
  CancelButton->setObjectName("CancelButton");
  OkButton->setDefault(true);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OkButton);
  buttons->addWidget(CancelButton);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  numbers_->FillAll();
  QLineEdit* first = numbers_->Field(iso.front());
  first->setFocus();
  first->selectAll();
}

QLineEdit* TISOForm::Field(const AddDataField& field) const {
  return numbers_->Field(field);
}

void TISOForm::accept() {
  // Only these seven: the form's copy holds nothing else the user changed.
  for (const AddDataField& field : IsoFields()) {
    SetStoredValue(data_, field, StoredValue(edited_, field));
  }
  QDialog::accept();
}

}  // namespace zephirax
