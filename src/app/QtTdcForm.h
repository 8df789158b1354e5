#pragma once

#include <QDialog>

class QPushButton;

namespace zephirax {

enum class TdcChoice { Manual, Automatic, Cancel };

// The choice between the manual and the automatic TDC correction: three
// full-width buttons, captioned in the user's language.
class TTDCForm : public QDialog {
  Q_OBJECT

 public:
  TTDCForm(int language, QWidget* parent = nullptr);

  // Shows the dialog modally; closing it counts as Cancel.
  static TdcChoice Ask(int language, QWidget* parent);

  QPushButton* ManualButton = nullptr;
  QPushButton* AutomaticButton = nullptr;
  QPushButton* CancelButton = nullptr;
};

}  // namespace zephirax
