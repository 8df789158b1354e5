#include "adddata/QtEntryHighlight.h"

#include <QEvent>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace zephirax {

namespace {

constexpr const char* InvalidProperty = "entryInvalid";
constexpr const char* EditingProperty = "entryEditing";
constexpr const char* NormalProperty = "entryNormalPalette";

}  // namespace

void EntryHighlight::Watch(QWidget* field) {
  field->setProperty(NormalProperty, QVariant::fromValue(field->palette()));
  field->installEventFilter(this);
  Recolour(field);
}

void EntryHighlight::SetInvalid(QWidget* field, bool invalid) {
  if (IsInvalid(field) == invalid) return;
  field->setProperty(InvalidProperty, invalid);
  Recolour(field);
}

bool EntryHighlight::IsInvalid(const QWidget* field) {
  return field->property(InvalidProperty).toBool();
}

bool EntryHighlight::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    if (auto* field = qobject_cast<QWidget*>(watched)) {
      // The focus has not moved yet when the filter sees the event.
      field->setProperty(EditingProperty, event->type() == QEvent::FocusIn);
      Recolour(field);
    }
  }
  return QObject::eventFilter(watched, event);
}

void EntryHighlight::Recolour(QWidget* field) {
  QPalette palette = field->property(NormalProperty).value<QPalette>();
  if (IsInvalid(field)) {
    palette.setColor(QPalette::Base, InvalidColour);
  } else if (field->property(EditingProperty).toBool()) {
    palette.setColor(QPalette::Base, EditingColour);
  }
  field->setPalette(palette);
}

}  // namespace zephirax
