#include "adddata/QtNumberFields.h"

#include <QLineEdit>
#include <iterator>

#include "adddata/QtEntryHighlight.h"

namespace zephirax {

namespace {

using Q = AddDataQuantity;

// The name a field's widget carries: "Texh3", "TscavAfter1", "McrPower".
QString FieldName(const AddDataField& field) {
  static const char* const names[] = {
      "Texh",           "TexhBeforeTc",    "TexhAfterTc", "FuelRack",      "Vit",
      "TcRpm",          "TscavBefore",     "TscavAfter",  "PDiff",         "ShaftPower",
      "EngineRoomTemp", "RunningHours",    "Pitch",       "ShaftGenPower", "McrPower",
      "EngineLoad",     "FuelConsumption", "Pbaro",       "FuelTemp",      "FuelSpecGravity",
      "FuelCalorific",  "FuelViscosity"};
  static_assert(std::size(names) == static_cast<size_t>(Q::FuelViscosity) + 1);
  QString name = QString::fromLatin1(names[static_cast<int>(field.Quantity)]);
  if (field.Index > 0) name += QString::number(field.Index);
  return name;
}

}  // namespace

NumberFields::NumberFields(AdditionalData& data, const Settings& config, ShownFn shown,
                           EntryHighlight& highlight, QObject* parent)
    : QObject(parent), data_(data), config_(config), shown_(shown), highlight_(highlight) {}

QLineEdit* NumberFields::Add(QWidget* parent, const AddDataField& field) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(FieldName(field));
  edit->setAlignment(Qt::AlignRight);
  edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 11 + 12);
  highlight_.Watch(edit);
  const size_t index = entries_.size();
  entries_.push_back({field, edit, 0});
  connect(edit, &QLineEdit::textEdited, this, [this, index] { Edited(index); });
  connect(edit, &QLineEdit::editingFinished, this, [this, index] { Left(index); });
  return edit;
}

void NumberFields::Fill(const AddDataField& field) {
  for (Entry& entry : entries_) {
    if (entry.Field != field) continue;
    entry.Edit->setText(QString::fromStdString(shown_(data_, field, config_)));
    entry.Committed = StoredValue(data_, field);
    highlight_.SetInvalid(entry.Edit, false);
  }
}

void NumberFields::FillAll() {
  for (const Entry& entry : entries_) Fill(entry.Field);
}

QLineEdit* NumberFields::Field(const AddDataField& field) const {
  for (const Entry& entry : entries_) {
    if (entry.Field == field) return entry.Edit;
  }
  return nullptr;
}

void NumberFields::Edited(size_t index) {
  Entry& entry = entries_[index];
  const bool valid = StoreEntry(data_, entry.Field, entry.Edit->text().toStdString(), config_);
  if (!valid) SetStoredValue(data_, entry.Field, entry.Committed);
  highlight_.SetInvalid(entry.Edit, !valid);
}

void NumberFields::Left(size_t index) {
  Entry& entry = entries_[index];
  if (!EntryHighlight::IsInvalid(entry.Edit)) entry.Committed = StoredValue(data_, entry.Field);
}

}  // namespace zephirax
