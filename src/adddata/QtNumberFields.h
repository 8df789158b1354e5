#pragma once

#include <QObject>
#include <vector>

#include "adddata/AddDataEntry.h"
#include "adddata/AdditionalData.h"
#include "platform/Settings.h"

class QLineEdit;
class QWidget;

namespace zephirax {

class EntryHighlight;

// The numeric entry fields of a form, each bound to one value of the data.
// A change is stored at once, in the base units. A text that is not a number
// turns the field red and puts back the value the field held before the user
// started on it (as last filled, or left with a valid entry), so that neither
// a half-typed prefix nor 0 is stored in its place.
class NumberFields : public QObject {
  Q_OBJECT

 public:
  // How a form shows a stored value.
  using ShownFn = std::string (*)(const AdditionalData&, const AddDataField&, const Settings&);

  // `data` and `highlight` must outlive the fields.
  NumberFields(AdditionalData& data, const Settings& config, ShownFn shown,
               EntryHighlight& highlight, QObject* parent);

  // A new field for `field`, a child of `parent`, named after it ("Texh3").
  QLineEdit* Add(QWidget* parent, const AddDataField& field);
  // Shows the stored value and clears the red mark.
  void Fill(const AddDataField& field);
  void FillAll();
  QLineEdit* Field(const AddDataField& field) const;

 private:
  struct Entry {
    AddDataField Field;
    QLineEdit* Edit = nullptr;
    double Committed = 0;  // the value an invalid text leaves stored
  };
  void Edited(size_t index);
  void Left(size_t index);

  AdditionalData& data_;
  Settings config_;
  ShownFn shown_;
  EntryHighlight& highlight_;
  std::vector<Entry> entries_;
};

}  // namespace zephirax
