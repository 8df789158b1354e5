#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace zephirax {

enum class SetupChoice { Cancel, New, Open };

// The start of the setup sequence: a new setup or an existing setup file.
class TTransmitDlg1 : public QDialog {
  Q_OBJECT

 public:
  explicit TTransmitDlg1(int language, QWidget* parent = nullptr);

  // The user's choice; Cancel when the dialog was cancelled.
  static SetupChoice Ask(int language, QWidget* parent);
  SetupChoice Choice() const;

  QGroupBox* ChoiceGroup = nullptr;
  QRadioButton* NewButton = nullptr;
  QRadioButton* OpenButton = nullptr;
  QPushButton* OkButton = nullptr;
  QPushButton* CancelButton = nullptr;
  QPushButton* HelpButton = nullptr;
};

}  // namespace zephirax
