#pragma once

#include <QColor>
#include <QObject>

class QWidget;

namespace zephirax {

// Colours the entry fields of a form so that the user sees where the typing
// goes and which entry was not taken: the field with the focus is light
// yellow, a field whose text is not a valid entry light red (also while it
// has the focus), every other field keeps the style's colour.
class EntryHighlight : public QObject {
  Q_OBJECT

 public:
  static inline const QColor EditingColour{255, 255, 160};
  static inline const QColor InvalidColour{255, 170, 170};

  explicit EntryHighlight(QObject* parent) : QObject(parent) {}

  // Follows the focus of `field` (a line edit or a text edit) from now on.
  void Watch(QWidget* field);
  void SetInvalid(QWidget* field, bool invalid);
  static bool IsInvalid(const QWidget* field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void Recolour(QWidget* field);
};

}  // namespace zephirax
