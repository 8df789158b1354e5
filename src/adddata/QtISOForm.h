#pragma once

#include <QDialog>

#include "adddata/AddDataEntry.h"
#include "adddata/AdditionalData.h"
#include "platform/Settings.h"

class QLineEdit;
class QPushButton;

namespace zephirax {

class EntryHighlight;
class NumberFields;

// The fuel and ambient data for the ISO correction: seven values in the
// user's temperature unit. OK takes them back into the data, Cancel leaves
// the data as they were.
class TISOForm : public QDialog {
  Q_OBJECT

 public:
  TISOForm(AdditionalData& data, const Settings& config, QWidget* parent = nullptr);

  QLineEdit* Field(const AddDataField& field) const;

  QPushButton* OkButton = nullptr;
  QPushButton* CancelButton = nullptr;

 public slots:
  void accept() override;

 private:
  AdditionalData& data_;
  AdditionalData edited_;  // the entries so far
  Settings config_;
  EntryHighlight* highlight_ = nullptr;
  NumberFields* numbers_ = nullptr;
};

}  // namespace zephirax
